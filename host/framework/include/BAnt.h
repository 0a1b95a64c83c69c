#pragma once
// Marching ants: a dashed rectangle the host draws over a view, above the
// picture and the sketch, while a tracker shows it. The rectangle is in image
// coordinates; the host converts it with the view's zoom when it draws.

#include "OsAfx.h"
#include "OsImgTypes.h"

class BView;

class BAnt : public CObject {
 public:
  explicit BAnt(BView* window) : fWindow(window) {}
  ~BAnt() override;

  int IAnt();
  // The rectangle between two corners, in any order.
  void SetRectAnt(int x0, int y0, int x1, int y1);
  // 1 shows the ants on the view, 0 takes them away.
  void DrawAnt(int show);

  bool IsShown() const { return fShown; }
  // Normalised: left <= right, top <= bottom.
  OsImgRect GetRect() const { return fRect; }

 private:
  BView* fWindow;
  OsImgRect fRect{};
  bool fShown = false;
};
