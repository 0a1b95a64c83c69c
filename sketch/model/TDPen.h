#pragma once
// A Bézier path, built click by click: each press sets a vertex, and dragging
// before the release pulls its handles out symmetrically. A click on the first
// vertex closes the path.

#include "model/TDShape.h"

class TDPen : public TDShape {
  DECLARE_DYNAMIC(TDPen)

 public:
  // No vertex yet: the press that follows places the first. Always true.
  virtual bool Begin(TObjectContainer* container, int x, int y);
  // The current vertex's marker and its segments to and from its neighbours.
  virtual void DrawCurrent(int value);
  // Press places a vertex (or closes the path), a drag pulls its handles; 0
  // when the vertex cannot be added.
  int Track(int phase, OsImgPoint* press, OsImgPoint* current) override;
  // A TDPen with copies of every vertex and no current vertex.
  TDShape* Clone() const override;

  TDUnit* fCurrent = nullptr;  // one of fUnits, the vertex being shaped; not owned
};
