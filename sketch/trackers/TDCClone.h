#pragma once
// The arrow tool pressed on a figure with Alt: the selected figures are
// duplicated and the duplicates follow the mouse, the originals stay put.

#include "trackers/TDCDragBase.h"

class TDCClone : public TDCDragBase {
  DECLARE_DYNAMIC(TDCClone)

 public:
  TDCClone() = default;
  ~TDCClone() override = default;

  void DoIt() override;

  // The press point is snapped to the grid first.
  virtual void IDCClone(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point);
};
