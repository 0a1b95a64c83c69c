#pragma once
// The scissors: a press on a segment or an anchor cuts the figure there. A
// closed figure becomes one open path starting and ending at the cut; an open
// one becomes two that share the cut vertex. Undo and redo exchange the pieces
// with the figure, and whichever side is out of the container goes with the
// tracker.

#include <cstdint>

#include "trackers/TDCBase.h"

class TDShape;
class TDUnit;
struct TDCheck;

class TDCScissor final : public TDCBase {
  DECLARE_DYNAMIC(TDCScissor)

 public:
  TDCScissor() = default;
  TDCScissor(const TDCScissor&) = delete;
  TDCScissor& operator=(const TDCScissor&) = delete;
  ~TDCScissor() override;

  void DoIt() override;
  void RedoIt() override;
  void UndoIt() override;
  BTracker* TrackMouse(int phase, OsImgPoint& anchor, OsImgPoint& previous, OsImgPoint& next, int moved) override;

  virtual void IDCScissor(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
                          TDCheck* check);

  TDUnit* fUnit = nullptr;    // the vertex hit, or where the hit segment starts
  std::uint8_t fHitKind = 0;  // the hit's kind: segment, anchor or handle
  TDShape* fPart1 = nullptr;
  TDShape* fPart2 = nullptr;  // stays null when a closed figure is cut
  int fUndone = 0;
  int fCutIndex = 0;         // of the cut vertex in fCopy, from 1
  TDShape* fCopy = nullptr;  // owned
};
