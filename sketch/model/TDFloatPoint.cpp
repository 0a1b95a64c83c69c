#include "model/TDFloatPoint.h"

namespace {}  // namespace

TDFloatPoint::TDFloatPoint(int nx, int ny, const BZoom* zoom) : x(static_cast<float>(nx)), y(static_cast<float>(ny)) {
  ViewToImage(zoom);
}

bool TDFloatPoint::Set(float nx, float ny) {
  x = nx;
  y = ny;
  return true;
}

bool TDFloatPoint::SetInt(int nx, int ny) {
  x = static_cast<float>(nx);
  y = static_cast<float>(ny);
  return true;
}

bool TDFloatPoint::ViewToImage(const BZoom* zoom) {
  if (zoom == nullptr || zoom->fZoomX == 0.0f || zoom->fZoomY == 0.0f) return false;
  x = Narrow(static_cast<double>(x) / zoom->fZoomX + zoom->fOriginX);
  y = Narrow(static_cast<double>(y) / zoom->fZoomY + zoom->fOriginY);
  return true;
}

OsImgPoint TDFloatPoint::ToImgPoint() const { return {OsTruncToInt(x), OsTruncToInt(y)}; }

TDFloatPoint TDFloatPoint::Scaled(float f) const {
  return {Narrow(static_cast<double>(x) * f), Narrow(static_cast<double>(y) * f)};
}

TDFloatPoint TDFloatPoint::operator+(const TDFloatPoint& d) const {
  TDFloatPoint r(*this);
  return r += d;
}

TDFloatPoint TDFloatPoint::operator-(const TDFloatPoint& d) const {
  TDFloatPoint r(*this);
  return r -= d;
}

TDFloatPoint& TDFloatPoint::operator+=(const TDFloatPoint& d) {
  x = Narrow(static_cast<double>(x) + d.x);
  y = Narrow(static_cast<double>(y) + d.y);
  return *this;
}

TDFloatPoint& TDFloatPoint::operator-=(const TDFloatPoint& d) {
  x = Narrow(static_cast<double>(x) - d.x);
  y = Narrow(static_cast<double>(y) - d.y);
  return *this;
}

TDFloatPoint TDFloatPoint::OffsetFloat(float dx, float dy) {
  *this += TDFloatPoint(dx, dy);
  return *this;
}

OsImgPoint TDFloatPoint::OffsetInt(int dx, int dy) {
  x = Narrow(static_cast<double>(x) + dx);
  y = Narrow(static_cast<double>(y) + dy);
  return ToImgPoint();
}

OsImgPoint ImageToView(const TDFloatPoint& p, const BZoom& zoom) {
  return {OsTruncToInt((static_cast<double>(p.x) - zoom.fOriginX) * zoom.fZoomX),
          OsTruncToInt((static_cast<double>(p.y) - zoom.fOriginY) * zoom.fZoomY)};
}
