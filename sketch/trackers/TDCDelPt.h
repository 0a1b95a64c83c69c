#pragma once
// The delete-point tool: a press on an anchor removes that vertex. The change is
// made in DoIt on a copy of the figure, which takes the figure's place at the
// end of the drawing order. Undo and redo exchange the two, so fTarget is always
// the figure out of the container and goes with the tracker.

#include "trackers/TDCBase.h"

class TDShape;
class TDUnit;
struct TDCheck;

class TDCDelPt final : public TDCBase {
  DECLARE_DYNAMIC(TDCDelPt)

 public:
  TDCDelPt() = default;
  TDCDelPt(const TDCDelPt&) = delete;
  TDCDelPt& operator=(const TDCDelPt&) = delete;
  ~TDCDelPt() override;

  void DoIt() override;
  void RedoIt() override;
  void UndoIt() override;
  BTracker* TrackMouse(int phase, OsImgPoint& anchor, OsImgPoint& previous, OsImgPoint& next, int moved) override;

  virtual void IDCDelPt(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
                        TDCheck* check);

  TDUnit* fUnit = nullptr;  // the hit vertex, in fTarget
  TDShape* fCopy = nullptr;
};
