#pragma once
// The host's zoom value: view pixels per image unit, the image point shown at the
// view's top-left corner, and an extra divisor the host applies in GPtoLP. All of
// it is inline so that a module carries its own copy.

#include "OsImgTypes.h"

class BZoom {
 public:
  BZoom() = default;
  BZoom(float zoomX, float zoomY, float originX, float originY, float divX = 1.0f, float divY = 1.0f)
      : fZoomX(zoomX), fZoomY(zoomY), fOriginX(originX), fOriginY(originY), fDivX(divX), fDivY(divY) {}
  BZoom(const BZoom&) = default;
  BZoom& operator=(const BZoom&) = default;
  virtual ~BZoom() = default;

  // View point to image point: trunc((v / zoom + origin) / divisor).
  virtual void GPtoLP(OsImgPoint& p) const {
    p.x = ToImage(p.x, fZoomX, fOriginX, fDivX);
    p.y = ToImage(p.y, fZoomY, fOriginY, fDivY);
  }
  virtual void GPtoLP(OsImgRect& r) const {
    r.left = ToImage(r.left, fZoomX, fOriginX, fDivX);
    r.right = ToImage(r.right, fZoomX, fOriginX, fDivX);
    r.top = ToImage(r.top, fZoomY, fOriginY, fDivY);
    r.bottom = ToImage(r.bottom, fZoomY, fOriginY, fDivY);
  }
  virtual void GPtoLP(OsImgSize& s) const {
    s.cx = ToImage(s.cx, fZoomX, fOriginX, fDivX);
    s.cy = ToImage(s.cy, fZoomY, fOriginY, fDivY);
  }

  // Sizes and distances: no origin, trunc(v / zoom / divisor).
  virtual void GPtoLP2(OsImgPoint& p) const {
    p.x = ToImageDistance(p.x, fZoomX, fDivX);
    p.y = ToImageDistance(p.y, fZoomY, fDivY);
  }
  virtual void GPtoLP2(OsImgRect& r) const {
    r.left = ToImageDistance(r.left, fZoomX, fDivX);
    r.right = ToImageDistance(r.right, fZoomX, fDivX);
    r.top = ToImageDistance(r.top, fZoomY, fDivY);
    r.bottom = ToImageDistance(r.bottom, fZoomY, fDivY);
  }
  virtual void GPtoLP2(OsImgSize& s) const {
    s.cx = ToImageDistance(s.cx, fZoomX, fDivX);
    s.cy = ToImageDistance(s.cy, fZoomY, fDivY);
  }

  // Takes all six values of z and hands back the six it replaced, so that a
  // caller can put them back with a second call.
  BZoom SetZoom(BZoom z) {
    BZoom previous(*this);
    *this = z;
    return previous;
  }

  float fZoomX = 1.0f;
  float fZoomY = 1.0f;
  float fOriginX = 0.0f;
  float fOriginY = 0.0f;
  float fDivX = 1.0f;
  float fDivY = 1.0f;

 private:
  static std::int32_t ToImage(std::int32_t v, float zoom, float origin, float div) {
    return OsTruncToInt((static_cast<double>(v) / zoom + origin) / div);
  }
  static std::int32_t ToImageDistance(std::int32_t v, float zoom, float div) {
    return OsTruncToInt(static_cast<double>(v) / zoom / div);
  }
};
