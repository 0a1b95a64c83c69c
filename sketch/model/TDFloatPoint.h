#pragma once
// A point in image coordinates. Stored as 32-bit floats; every operation computes
// in double from those floats and narrows once, at the store.

#include <limits>

#include "BZoom.h"
#include "OsImgTypes.h"

// A double result stored as a float. Values past the float range stay at its
// largest finite value, so a figure scaled or turned far away keeps finite
// coordinates and later arithmetic never meets an infinity.
inline float Narrow(double v) {
  constexpr double kMax = std::numeric_limits<float>::max();
  if (v > kMax) return std::numeric_limits<float>::max();
  if (v < -kMax) return -std::numeric_limits<float>::max();
  return static_cast<float>(v);
}

class TDFloatPoint {
 public:
  TDFloatPoint() = default;
  TDFloatPoint(float x, float y) : x(x), y(y) {}
  // A view point turned into image coordinates with the view's zoom. When the
  // zoom cannot convert, the point stays in view units.
  TDFloatPoint(int x, int y, const BZoom* zoom);

  bool Set(float nx, float ny);
  bool SetInt(int nx, int ny);

  // image = view / zoom + origin. False, with the point unchanged, for a null
  // zoom or a zero zoom factor.
  bool ViewToImage(const BZoom* zoom);

  OsImgPoint ToImgPoint() const;
  TDFloatPoint Scaled(float f) const;

  TDFloatPoint operator+(const TDFloatPoint& d) const;
  TDFloatPoint operator-(const TDFloatPoint& d) const;
  TDFloatPoint& operator+=(const TDFloatPoint& d);
  TDFloatPoint& operator-=(const TDFloatPoint& d);

  TDFloatPoint OffsetFloat(float dx, float dy);
  OsImgPoint OffsetInt(int dx, int dy);

  // Exact float comparison: any difference at all counts.
  bool Differs(float ox, float oy) const { return ox != x || oy != y; }

  float x = 0.0f;
  float y = 0.0f;
};

// Image coordinates to view pixels: trunc((image - origin) * zoom), per axis.
OsImgPoint ImageToView(const TDFloatPoint& p, const BZoom& zoom);
