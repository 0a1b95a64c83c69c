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

BZoom ZoomedAbout(const BZoom& zoom, OsImgPoint at, bool in) {
  const auto step = [in](float z) {
    return in ? std::min(z * 2.0f, TFWCZoom::kMaxZoom) : std::max(z / 2.0f, TFWCZoom::kMinZoom);
  };
  BZoom next = zoom;
  // At a limit the axis stays as it is, without the origin drifting by rounding.
  if (const float z = step(zoom.fZoomX); z != zoom.fZoomX) ZoomAxis(next.fZoomX, next.fOriginX, at.x, z);
  if (const float z = step(zoom.fZoomY); z != zoom.fZoomY) ZoomAxis(next.fZoomY, next.fOriginY, at.y, z);
  return next;
}

BTracker* TFWCZoom::TrackMouse(int phase, OsImgPoint&, OsImgPoint&, OsImgPoint& next, int) {
  if (phase != kTrackEnd || fView == nullptr || (fZoomState != kZoomIn && fZoomState != kZoomOut)) return this;
  BZoom& z = fView->GetZoom();
  const BZoom zoomed = ZoomedAbout(z, next, fZoomState == kZoomIn);
  if (zoomed.fZoomX == z.fZoomX && zoomed.fZoomY == z.fZoomY) return this;
  z = zoomed;
  Repaint(fView);
  return this;
}
