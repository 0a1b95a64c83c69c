#pragma once
// The scale tool pressed on a figure: the selection stretches about the centre
// so that the press point goes where the mouse is, each axis on its own.

#include "trackers/TDCTransform.h"

class TDCScale : public TDCTransform {
  DECLARE_DYNAMIC(TDCScale)

 public:
  TDCScale() = default;
  // The figures out of the container at the time go with the tracker.
  ~TDCScale() override;

  // Snaps to the grid after the press; with Shift, keeps the point on a
  // diagonal through the press point.
  void TrackConstrain(int phase, const OsImgPoint& anchor, const OsImgPoint& previous, OsImgPoint& next,
                      int moved) override;
  // Each moving step recomputes the selection from the snapshot; crossing the
  // centre's line mirrors it on that axis.
  BTracker* TrackMouse(int phase, OsImgPoint& anchor, OsImgPoint& previous, OsImgPoint& next, int moved) override;

  // The selection is marked busy until the gesture is done.
  virtual void IDCScale(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point);

  // The factor of one axis: how far the mouse is from the centre against how far
  // the press was. A press level with the centre keeps that axis as it is.
  static double Factor(float to, float press, float centre);

  TDFloatPoint fPressPoint;  // image coordinates
  FigureSnapshot* fSnapshot = nullptr;

 protected:
  FigureSnapshot* Snapshot() const override { return fSnapshot; }

 private:
  void ScaleFromSnapshot(double sx, double sy);
};
