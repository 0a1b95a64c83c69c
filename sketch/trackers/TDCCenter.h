#pragma once
// The scale and rotate tools pressed on the centre mark: the centre of rotation
// and scaling follows the mouse, kept inside the view.

#include "model/TDFloatPoint.h"
#include "trackers/TDCDragBase.h"

class TDCCenter : public TDCDCommand {
  DECLARE_DYNAMIC(TDCCenter)

 public:
  // How close to the right and bottom edges of the view the centre may come.
  static constexpr int kEdgeMargin = 5;

  TDCCenter() = default;
  ~TDCCenter() override = default;

  void DoIt() override;
  // Both exchange the container's centre with fSavedCenter.
  void RedoIt() override;
  void UndoIt() override;
  void TrackConstrain(int phase, const OsImgPoint& anchor, const OsImgPoint& previous, OsImgPoint& next,
                      int moved) override;
  void TrackFeedback(int phase, const OsImgPoint& anchor, const OsImgPoint& previous, const OsImgPoint& next, int moved,
                     int show) override;
  BTracker* TrackMouse(int phase, OsImgPoint& anchor, OsImgPoint& previous, OsImgPoint& next, int moved) override;

  virtual void IDCCenter(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point);

  TDFloatPoint fSavedCenter;

 private:
  void ExchangeCenter();
};
