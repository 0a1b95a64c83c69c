#pragma once
// A straight line from the press point to wherever the mouse is.

#include "model/TDShape.h"

class TDLine : public TDShape {
  DECLARE_DYNAMIC(TDLine)

 public:
  // Both ends at the press point (view pixels); false when one cannot be added.
  virtual bool Begin(TObjectContainer* container, int x, int y);
  // Every phase moves the far end; the near end stays at the press point.
  int Track(int phase, OsImgPoint* press, OsImgPoint* current) override;
};
