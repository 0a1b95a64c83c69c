#include "TFWCommands.h"

#include <algorithm>

#include "BView.h"

IMPLEMENT_DYNAMIC(TFWCScroll, BTracker)
IMPLEMENT_DYNAMIC(TFWCZoom, BTracker)

namespace {

// The view shows the change while the mouse is still down.
void Repaint(BView* view) { view->RedrawWindow(nullptr, nullptr, BView::RDW_INVALIDATE | BView::RDW_UPDATENOW); }

// Zooms one axis to newZoom about view pixel v: the image point under it stays
// under it. Unrounded, so that zooming in and out again returns to the start.
void ZoomAxis(float& zoom, float& origin, std::int32_t v, float newZoom) {
  const double image = v / static_cast<double>(zoom) + origin;
  origin = static_cast<float>(image - v / static_cast<double>(newZoom));
  zoom = newZoom;
}

}  // namespace

void TFWCScroll::IFWCommand(int number, BDocument* handler, BDocument* notify, BView* view, OsImgPoint& point) {
  ITracker(number, handler, 0, 0, notify, view, point);
}

BTracker* TFWCScroll::TrackMouse(int phase, OsImgPoint&, OsImgPoint& previous, OsImgPoint& next, int) {
  if (phase == kTrackBegin || fView == nullptr || next == previous) return this;
  BZoom& z = fView->GetZoom();
  // In double: the difference of two 32-bit coordinates need not fit in 32 bits.
  const double dx = static_cast<double>(next.x) - previous.x;
  const double dy = static_cast<double>(next.y) - previous.y;
  z.fOriginX = static_cast<float>(z.fOriginX - dx / z.fZoomX);
  z.fOriginY = static_cast<float>(z.fOriginY - dy / z.fZoomY);
  Repaint(fView);
  return this;
}

void TFWCZoom::IFWCommand(int number, BDocument* handler, BDocument* notify, BView* view, OsImgPoint& point) {
  ITracker(number, handler, 0, 0, notify, view, point);
}

BTracker* TFWCZoom::TrackMouse(int phase, OsImgPoint&, OsImgPoint&, OsImgPoint& next, int) {
  if (phase != kTrackEnd || fView == nullptr || (fZoomState != kZoomIn && fZoomState != kZoomOut)) return this;
  BZoom& z = fView->GetZoom();
  auto step = [this](float zoom) {
    return fZoomState == kZoomIn ? std::min(zoom * 2.0f, kMaxZoom) : std::max(zoom / 2.0f, kMinZoom);
  };
  const float zoomX = step(z.fZoomX);
  const float zoomY = step(z.fZoomY);
  // At a limit the axis stays as it is, without the origin drifting by rounding.
  if (zoomX == z.fZoomX && zoomY == z.fZoomY) return this;
  if (zoomX != z.fZoomX) ZoomAxis(z.fZoomX, z.fOriginX, next.x, zoomX);
  if (zoomY != z.fZoomY) ZoomAxis(z.fZoomY, z.fOriginY, next.y, zoomY);
  Repaint(fView);
  return this;
}
