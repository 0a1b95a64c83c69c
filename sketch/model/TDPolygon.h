#pragma once
// A regular polygon around the press point, its first vertex under the mouse.

#include "model/TDShape.h"

class TDPolygon : public TDShape {
  DECLARE_DYNAMIC(TDPolygon)

 public:
  // count below 3 is raised to 3.
  virtual bool Begin(TObjectContainer* container, int x, int y, int count);
  int Track(int phase, OsImgPoint* press, OsImgPoint* current) override;

  int fCount = 3;
};
