#pragma once
// The add-point tool: a press on a segment inserts a vertex there, the curve
// keeping its shape. The press only records the hit; DoIt makes the change on a
// copy of the figure, which takes the figure's place at the end of the drawing
// order. Undo and redo exchange the two, so fTarget is always the figure out of
// the container and goes with the tracker.

#include "trackers/TDCBase.h"

class TDShape;
class TDUnit;
struct TDCheck;

class TDCAddPt final : public TDCBase {
  DECLARE_DYNAMIC(TDCAddPt)

 public:
  TDCAddPt() = default;
  TDCAddPt(const TDCAddPt&) = delete;
  TDCAddPt& operator=(const TDCAddPt&) = delete;
  ~TDCAddPt() override;

  void DoIt() override;
  void RedoIt() override;
  void UndoIt() override;
  void TrackConstrain(int, const OsImgPoint&, const OsImgPoint&, OsImgPoint&, int) override {}
  BTracker* TrackMouse(int phase, OsImgPoint& anchor, OsImgPoint& previous, OsImgPoint& next, int moved) override;

  virtual void IDCAddPt(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
                        TDCheck* check);

  TDUnit* fUnit = nullptr;  // start vertex of the hit segment, in fTarget
  double fParam = 0.0;      // where along the segment
  TDShape* fCopy = nullptr;
};
