#pragma once
// An ellipse inscribed in the dragged rectangle: four smooth Bézier vertices.

#include "model/TDShape.h"

class TDOval : public TDShape {
  DECLARE_DYNAMIC(TDOval)

 public:
  // Four vertices at the press point (view pixels); false when one cannot be added.
  virtual bool Begin(TObjectContainer* container, int x, int y);
  int Track(int phase, OsImgPoint* press, OsImgPoint* current) override;
};
