#pragma once
// The add-point tool: a press on a segment inserts a vertex there, the curve
// keeping its shape. The press only records the hit; DoIt makes the change on a
// copy of the figure, which takes the figure's place at the end of the drawing
// order. Undo and redo exchange the two, so that after DoIt fTarget is always
// the figure out of the container, and goes with the tracker.
//
// A gesture with nothing to do (no hit, the last vertex of an open figure) turns
// inactive and cannot be undone, so the host does not keep it in the history.
// Running out of memory for the copy or its new vertex raises the memory
// exception with the document untouched.

#include "trackers/TDCPointCopy.h"

class TDShape;
class TDUnit;
struct TDCheck;

class TDCAddPt final : public TDCPointCopy {
  DECLARE_DYNAMIC(TDCAddPt)

 public:
  TDCAddPt() = default;

  void DoIt() override;
  void UndoIt() override;
  void TrackConstrain(int, const OsImgPoint&, const OsImgPoint&, OsImgPoint&, int) override {}
  BTracker* TrackMouse(int phase, OsImgPoint& anchor, OsImgPoint& previous, OsImgPoint& next, int moved) override;

  // Records the hit; a record that hit nothing leaves the tracker without a
  // target, and the press then turns it inactive.
  virtual void IDCAddPt(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
                        TDCheck* check);

  TDUnit* fUnit = nullptr;  // start vertex of the hit segment, in fTarget
  double fParam = 0.0;      // where along the segment
};
