#pragma once
// A multi-segment line, built click by click and closed by a click on its first
// vertex.

#include "model/TDShape.h"

class TDMuLine : public TDShape {
  DECLARE_DYNAMIC(TDMuLine)

 public:
  // The first vertex at the press point (view pixels); false when it cannot be
  // added.
  virtual bool Begin(TObjectContainer* container, int x, int y);
  // The current vertex's marker and its segments to and from its neighbours.
  virtual void DrawCurrent(int value);
  // Press adds a vertex (or closes the figure), move drags the current vertex;
  // 0 when the vertex cannot be added.
  int Track(int phase, OsImgPoint* press, OsImgPoint* current) override;
  // A TDMuLine with copies of every vertex and no current vertex.
  TDShape* Clone() const override;

  TDUnit* fCurrent = nullptr;  // one of fUnits, the vertex being placed; not owned
};
