#pragma once
// The arrow tool pressed on a figure: the selected figures follow the mouse.

#include "trackers/TDCDragBase.h"

class TDCDrag : public TDCDragBase {
  DECLARE_DYNAMIC(TDCDrag)

 public:
  TDCDrag() = default;
  ~TDCDrag() override = default;

  void DoIt() override;

  // The press point is snapped to the grid first.
  virtual void IDCDrag(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point);
};
