#include "BAnt.h"

#include <algorithm>

#include "BView.h"

BAnt::~BAnt() {
  // The view draws its ants at every repaint; it must not keep a destroyed one.
  DrawAnt(0);
}

int BAnt::IAnt() {
  DrawAnt(0);
  fRect = {};
  return 1;
}

void BAnt::SetRectAnt(int x0, int y0, int x1, int y1) {
  fRect = {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
}

void BAnt::DrawAnt(int show) {
  fShown = show != 0;
  if (fWindow == nullptr) return;
  if (fShown) {
    fWindow->fShownAnt = this;
  } else if (fWindow->fShownAnt == this) {
    // Another ant may have taken the view over since; that one stays.
    fWindow->fShownAnt = nullptr;
  }
}
