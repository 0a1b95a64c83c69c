#pragma once
// The join tool: a press on an end vertex of an open figure and a release on an
// end vertex join the two figures end to end, or close the figure when both
// ends are its own. The result is a new figure; undo and redo exchange it with
// the originals, and whichever side is out of the container goes with the
// tracker.

#include <cstdint>

#include "trackers/TDCBase.h"

class TDShape;
class TDUnit;
struct TDCheck;

class TDCJoin final : public TDCBase {
  DECLARE_DYNAMIC(TDCJoin)

 public:
  // Which end of a figure: its first or its last vertex.
  enum : std::uint8_t { kNoEnd = 0, kFirstEnd = 1, kLastEnd = 2 };

  TDCJoin() = default;
  TDCJoin(const TDCJoin&) = delete;
  TDCJoin& operator=(const TDCJoin&) = delete;
  ~TDCJoin() override;

  // Running out of memory raises the memory exception before anything changes.
  void DoIt() override;
  void RedoIt() override;
  void UndoIt() override;
  void TrackFeedback(int phase, const OsImgPoint& anchor, const OsImgPoint& previous, const OsImgPoint& next, int moved,
                     int show) override;
  BTracker* TrackMouse(int phase, OsImgPoint& anchor, OsImgPoint& previous, OsImgPoint& next, int moved) override;

  // Only an anchor hit on an end vertex of an open figure gives a figure to join.
  virtual void IDCJoin(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
                       TDCheck* check);

  std::uint8_t fFirstEnd = kNoEnd;
  std::uint8_t fSecondEnd = kNoEnd;
  TDShape* fFirst = nullptr;
  TDShape* fSecond = nullptr;  // null when the figure is closed on itself
  TDShape* fJoined = nullptr;  // made by DoIt; null until then
  int fUndone = 0;

 private:
  // Which end of the figure the vertex is, or kNoEnd.
  static std::uint8_t EndOf(const TDShape& figure, const TDUnit* unit);
  // The figure's vertices in the opposite order, each with its handles
  // exchanged and its steps recomputed; null when memory runs out.
  TDShape* Reversed(const TDShape& figure) const;
  // The result, not yet in the container; null when memory runs out.
  TDShape* Join() const;
  void Release(const OsImgPoint& point);
};
