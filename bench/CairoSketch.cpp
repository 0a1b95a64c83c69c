#include "CairoSketch.h"

#include <cmath>

#include "container/TObjectContainer.h"
#include "model/TDShape.h"

namespace {
// The figures' tolerance is a square of half-width 4 view pixels around the
// mouse; the nearest a stroke can express is a stroke 8 pixels wide.
constexpr double kHitWidth = 8.0;

void Push(std::vector<double>& v, const TDFloatPoint& p) {
  v.push_back(p.x);
  v.push_back(p.y);
}
}  // namespace

CairoSketch::CairoSketch(const TObjectContainer& c, int width, int height)
    : fWidth(width), fHeight(height), fFrame(static_cast<std::size_t>(width) * height, 0xFFB4B4B4u) {
  for (BPosition pos = c.GetHeadPosition(); pos != nullptr;) {
    const auto* s = static_cast<const TDShape*>(c.GetNext(pos));
    Figure f;
    f.closed = s->fOpen == 0;
    f.selected = s->fSelected != 0;
    const TDUnit* prev = nullptr;
    for (BPosition u = s->fUnits.GetHeadPosition(); u != nullptr;) {
      const auto* unit = static_cast<const TDUnit*>(s->fUnits.GetNext(u));
      if (prev == nullptr) {
        Push(f.points, unit->fAnchor);
      } else {
        Push(f.points, prev->fDirection1);
        Push(f.points, unit->fDirection2);
        Push(f.points, unit->fAnchor);
      }
      Push(f.anchors, unit->fAnchor);
      prev = unit;
    }
    if (f.closed && prev != nullptr) {
      const auto* first = static_cast<const TDUnit*>(s->fUnits.GetItem(s->fUnits.GetHeadPosition()));
      Push(f.points, prev->fDirection1);
      Push(f.points, first->fDirection2);
      Push(f.points, first->fAnchor);
    }
    fFigures.push_back(std::move(f));
  }
  fSurface = cairo_image_surface_create(CAIRO_FORMAT_A1, width, height);
  fCairo = cairo_create(fSurface);
  cairo_set_antialias(fCairo, CAIRO_ANTIALIAS_NONE);
  cairo_set_line_width(fCairo, 1.0);
  cairo_set_source_rgba(fCairo, 0, 0, 0, 1);
  fMask = pixman_image_create_bits(PIXMAN_a1, width, height,
                                   reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(fSurface)),
                                   cairo_image_surface_get_stride(fSurface));
  fDest = pixman_image_create_bits(PIXMAN_x8r8g8b8, width, height, fFrame.data(), width * 4);
  const pixman_color_t white{0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
  const pixman_color_t ink{0, 0, 0, 0xFFFF};
  fWhite = pixman_image_create_solid_fill(&white);
  fInk = pixman_image_create_solid_fill(&ink);
}

CairoSketch::~CairoSketch() {
  pixman_image_unref(fInk);
  pixman_image_unref(fWhite);
  pixman_image_unref(fDest);
  pixman_image_unref(fMask);
  cairo_destroy(fCairo);
  cairo_surface_destroy(fSurface);
}

void CairoSketch::Clear() {
  // The surface remembers that it is clear and would skip the work; a repaint
  // clears what was drawn, so tell it the pixels changed.
  cairo_surface_mark_dirty(fSurface);
  cairo_save(fCairo);
  cairo_set_operator(fCairo, CAIRO_OPERATOR_CLEAR);
  cairo_paint(fCairo);
  cairo_restore(fCairo);
}

void CairoSketch::AddPath(const Figure& f) {
  const std::vector<double>& p = f.points;
  if (p.size() < 2) return;
  // Pixel centres, so that a 1-pixel line covers the pixels our lines do.
  cairo_move_to(fCairo, p[0] + 0.5, p[1] + 0.5);
  for (std::size_t i = 2; i + 5 < p.size(); i += 6) {
    cairo_curve_to(fCairo, p[i] + 0.5, p[i + 1] + 0.5, p[i + 2] + 0.5, p[i + 3] + 0.5, p[i + 4] + 0.5, p[i + 5] + 0.5);
  }
  if (f.closed) cairo_close_path(fCairo);
}

void CairoSketch::Draw(const Figure* extra) {
  cairo_new_path(fCairo);
  for (const Figure& f : fFigures) AddPath(f);
  if (extra != nullptr) AddPath(*extra);
  cairo_stroke(fCairo);
  const auto markers = [this](const Figure& f) {
    for (std::size_t i = 0; i + 1 < f.anchors.size(); i += 2) {
      cairo_rectangle(fCairo, std::trunc(f.anchors[i]) - 2, std::trunc(f.anchors[i + 1]) - 2, 5, 5);
    }
  };
  for (const Figure& f : fFigures) {
    if (f.selected) markers(f);
  }
  if (extra != nullptr) markers(*extra);
  cairo_fill(fCairo);
  cairo_surface_flush(fSurface);
}

void CairoSketch::CompositeInverted() {
  pixman_image_composite32(PIXMAN_OP_DIFFERENCE, fWhite, fMask, fDest, 0, 0, 0, 0, 0, 0, fWidth, fHeight);
}

void CairoSketch::CompositeSolid() {
  pixman_image_composite32(PIXMAN_OP_OVER, fInk, fMask, fDest, 0, 0, 0, 0, 0, 0, fWidth, fHeight);
}

int CairoSketch::Hit(OsImgPoint p) {
  cairo_save(fCairo);
  cairo_set_line_width(fCairo, kHitWidth);
  int hit = -1;
  for (std::size_t i = 0; i < fFigures.size() && hit < 0; ++i) {
    cairo_new_path(fCairo);
    AddPath(fFigures[i]);
    if (cairo_in_stroke(fCairo, p.x + 0.5, p.y + 0.5)) hit = static_cast<int>(i);
  }
  cairo_new_path(fCairo);
  cairo_restore(fCairo);
  return hit;
}

void CairoSketch::MoveSelected(double dx, double dy) {
  for (Figure& f : fFigures) {
    if (!f.selected) continue;
    for (std::vector<double>* v : {&f.points, &f.anchors}) {
      for (std::size_t i = 0; i + 1 < v->size(); i += 2) {
        (*v)[i] += dx;
        (*v)[i + 1] += dy;
      }
    }
  }
}

void CairoSketch::Deselect() {
  for (Figure& f : fFigures) f.selected = false;
}
