#pragma once
// White arrow on a segment. A straight segment moves with the mouse, both end
// vertices with their handles; a curved one is reshaped by scaling its two
// handles with the mouse's distance from the far anchor. The work is done on a
// copy that takes the figure's place at the end of the list; undo and redo
// exchange the two.

#include "trackers/TDCDragBase.h"

class TDCDLine final : public TDCDCommand {
  DECLARE_DYNAMIC(TDCDLine)

 public:
  // The kinds of segment: none (no successor), straight, curved.
  enum : int { kNoSegment = -1, kStraight = 1, kCurved = 4 };

  TDCDLine() = default;
  TDCDLine(const TDCDLine&) = delete;
  TDCDLine& operator=(const TDCDLine&) = delete;
  // Deletes fShape once it is the figure out of the container.
  ~TDCDLine() override;

  void DoIt() override;
  void RedoIt() override { UndoIt(); }
  void UndoIt() override;
  // Under Shift, the 45-degree rule.
  void TrackConstrain(int phase, const OsImgPoint& anchor, const OsImgPoint& previous, OsImgPoint& next,
                      int moved) override;
  void TrackFeedback(int phase, const OsImgPoint& anchor, const OsImgPoint& previous, const OsImgPoint& next, int moved,
                     int show) override;
  BTracker* TrackMouse(int phase, OsImgPoint& anchor, OsImgPoint& previous, OsImgPoint& next, int moved) override;

  // Raises the memory exception, with nothing changed, when the figure cannot
  // be copied.
  virtual void IDCDLine(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
                        TDCheck* check);

  OsImgPoint fLast{};       // the previous step, view pixels
  TDUnit* fNext = nullptr;  // the segment's end vertex, in fCopy
  int fSegmentKind = kNoSegment;
  TDShape* fCopy = nullptr;  // the figure being changed
};
