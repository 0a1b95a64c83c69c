#include "BView.h"

#include "BCommand.h"

IMPLEMENT_DYNAMIC(BView, CObject)

namespace {
std::int32_t ToImage(std::int32_t v, float zoom, float origin) {
  return OsTruncToInt(static_cast<double>(v) / zoom + origin);
}
std::int32_t ToView(std::int32_t v, float zoom, float origin) {
  return OsTruncToInt((static_cast<double>(v) - origin) * zoom);
}
}  // namespace

void BEventHandler::DPToIP(OsImgPoint& p) const {
  const BZoom& z = fView.GetZoom();
  p = {ToImage(p.x, z.fZoomX, z.fOriginX), ToImage(p.y, z.fZoomY, z.fOriginY)};
}

void BEventHandler::DPToIP(OsImgRect& r) const {
  const BZoom& z = fView.GetZoom();
  r = {ToImage(r.left, z.fZoomX, z.fOriginX), ToImage(r.top, z.fZoomY, z.fOriginY),
       ToImage(r.right, z.fZoomX, z.fOriginX), ToImage(r.bottom, z.fZoomY, z.fOriginY)};
}

void BEventHandler::DPToIP(OsImgSize& s) const {
  const BZoom& z = fView.GetZoom();
  s = {OsTruncToInt(s.cx / static_cast<double>(z.fZoomX)), OsTruncToInt(s.cy / static_cast<double>(z.fZoomY))};
}

void BEventHandler::IPToDP(OsImgPoint& p) const {
  const BZoom& z = fView.GetZoom();
  p = {ToView(p.x, z.fZoomX, z.fOriginX), ToView(p.y, z.fZoomY, z.fOriginY)};
}

void BEventHandler::IPToDP(OsImgRect& r) const {
  const BZoom& z = fView.GetZoom();
  r = {ToView(r.left, z.fZoomX, z.fOriginX), ToView(r.top, z.fZoomY, z.fOriginY), ToView(r.right, z.fZoomX, z.fOriginX),
       ToView(r.bottom, z.fZoomY, z.fOriginY)};
}

void BEventHandler::IPToDP(OsImgSize& s) const {
  const BZoom& z = fView.GetZoom();
  s = {OsTruncToInt(s.cx * static_cast<double>(z.fZoomX)), OsTruncToInt(s.cy * static_cast<double>(z.fZoomY))};
}

void BEventHandler::PostCommand(BCommand* command) {
  // Without a host to run it the command would be lost, so it goes at once.
  if (const auto& post = fView.OsPost()) {
    post(command);
  } else {
    delete command;
  }
}

BOOL BView::RedrawWindow(const RECT*, const void*, UINT flags) {
  if ((flags & RDW_UPDATENOW) && fRepaint) fRepaint(*this);
  return 1;
}
