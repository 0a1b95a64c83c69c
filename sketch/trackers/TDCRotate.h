#pragma once
// The rotate tool pressed on a figure: the selection turns about the centre by
// the angle the mouse sweeps around it.

#include "trackers/TDCTransform.h"

class TDCRotate : public TDCTransform {
  DECLARE_DYNAMIC(TDCRotate)

 public:
  // A full turn as the typed rotation takes it, so that both turn alike.
  static constexpr double kFullTurn = 6.28318;

  TDCRotate() = default;
  // The figures out of the container at the time go with the tracker.
  ~TDCRotate() override;

  // Snaps to the grid after the press.
  void TrackConstrain(int phase, const OsImgPoint& anchor, const OsImgPoint& previous, OsImgPoint& next,
                      int moved) override;
  // Each moving step turns the selection by the angle swept since the step
  // before, clockwise on the screen when the mouse goes clockwise.
  BTracker* TrackMouse(int phase, OsImgPoint& anchor, OsImgPoint& previous, OsImgPoint& next, int moved) override;

  virtual void IDCRotate(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point);

  OsImgPoint fPrevPoint{};  // image coordinates, truncated
  FigureSnapshot* fSnapshot = nullptr;

 protected:
  FigureSnapshot* Snapshot() const override { return fSnapshot; }
};
