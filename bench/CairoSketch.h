#pragma once
// The same sketch done with a general 2-D library: the figures' very Bézier
// segments stroked 1 pixel wide on a one-bit surface without antialiasing, 5 x 5
// filled boxes on the selected figures' vertices, the mask composited over a
// 32-bit frame with pixman (inverted, or a solid colour), and clicks tested with
// cairo_in_stroke at the tolerance of our click test.

#include <cairo.h>
#include <pixman.h>

#include <cstdint>
#include <vector>

#include "OsImgTypes.h"

class TObjectContainer;

class CairoSketch {
 public:
  struct Figure {
    std::vector<double> points;   // x, y pairs: the first anchor, then c1, c2, end per segment
    std::vector<double> anchors;  // x, y pairs, where the markers go
    bool closed = false;
    bool selected = false;
  };

  // Copies the figures of `c` in view pixels at zoom 1.
  CairoSketch(const TObjectContainer& c, int width, int height);
  ~CairoSketch();
  CairoSketch(const CairoSketch&) = delete;
  CairoSketch& operator=(const CairoSketch&) = delete;

  void Clear();
  // Every figure stroked, then the selected figures' markers; `extra` (may be null)
  // is drawn with its markers too, as the figure being drawn.
  void Draw(const Figure* extra = nullptr);
  void CompositeInverted();
  void CompositeSolid();
  // The first figure, in list order, whose stroke passes within the tolerance of
  // p; -1 when none.
  int Hit(OsImgPoint p);
  void MoveSelected(double dx, double dy);
  void Deselect();

  std::vector<std::uint32_t>& Frame() { return fFrame; }
  std::vector<Figure>& Figures() { return fFigures; }

 private:
  void AddPath(const Figure& f);

  int fWidth, fHeight;
  std::vector<Figure> fFigures;
  std::vector<std::uint32_t> fFrame;
  cairo_surface_t* fSurface = nullptr;
  cairo_t* fCairo = nullptr;
  pixman_image_t* fMask = nullptr;
  pixman_image_t* fDest = nullptr;
  pixman_image_t* fWhite = nullptr;
  pixman_image_t* fInk = nullptr;
};
