#pragma once
// Four straight corners between the press point and the current point.

#include "model/TDShape.h"

class TDRectangle : public TDShape {
  DECLARE_DYNAMIC(TDRectangle)

 public:
  virtual bool Begin(TObjectContainer* container, int x, int y);
  int Track(int phase, OsImgPoint* press, OsImgPoint* current) override;
};
