#pragma once
// A free-hand stroke: samples of the mouse's path while the button is down,
// turned into a smooth path when it is released.

#include "model/TDShape.h"

class TDFreeLine : public TDShape {
  DECLARE_DYNAMIC(TDFreeLine)

 public:
  // Records the press point as the first sample. True even when that sample
  // cannot be added: the stroke simply starts with the next one.
  virtual bool Begin(TObjectContainer* container, int x, int y);
  // Press and move record samples; release closes, smooths and shows the stroke.
  int Track(int phase, OsImgPoint* press, OsImgPoint* current) override;

  // Closes the stroke by dropping its last sample when that lies less than
  // (tx, ty) image units from the first (both truncated); true when it did.
  bool CloseIfNearStart(int tx, int ty);
  // Handles along the tangent at every inner sample, a third of the way to
  // each neighbour; samples on the straight line between their neighbours stay
  // corners.
  void Smooth();

  OsImgPoint fLastPoint{};  // the last recorded sample, image units, truncated
};
