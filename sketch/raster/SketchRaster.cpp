#include "raster/SketchRaster.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

#include "OsWindows.h"

DibImage* gSketchRaster = nullptr;
int gSketchDirty = 0;
OsImgRect gSketchDirtyRect;  // all zero until the module is loaded; then reset to empty
int gTraceMode = 0;
OsImgPoint* gTracePoints = nullptr;
int gTraceCount = 0;

namespace {

// Coordinates are widened to 64 bits inside the primitives: callers may pass
// anything a 32-bit point holds, and differences or edges one past it must not
// overflow.
using I64 = std::int64_t;

constexpr BYTE kSingleBit[8] = {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01};
constexpr BYTE kPixelToEnd[8] = {0xFF, 0x7F, 0x3F, 0x1F, 0x0F, 0x07, 0x03, 0x01};
constexpr BYTE kStartToPixel[8] = {0x80, 0xC0, 0xE0, 0xF0, 0xF8, 0xFC, 0xFE, 0xFF};

constexpr BYTE kCenterGlyph[7] = {0x38, 0x44, 0x82, 0x82, 0x82, 0x44, 0x38};

// The raster as the primitives address it: the byte of pixel (0, 0), and the row
// offset from there, so that a pixel's byte costs no call into the image.
struct Raster {
  I64 w = 0;
  I64 h = 0;
  BYTE* origin = nullptr;
  std::ptrdiff_t rowOffset = 0;

  bool Inside(I64 x, I64 y) const { return x >= 0 && x < w && y >= 0 && y < h; }
  BYTE* Byte(I64 x, I64 y) const { return origin + y * rowOffset + x / 8; }
};

// The raster's size, or false when there is no usable raster.
bool GetRaster(Raster& r) {
  if (gSketchRaster == nullptr) return false;
  OsImgSize size;
  gSketchRaster->GetSize(size);
  if (size.cx <= 0 || size.cy <= 0) return false;
  r.w = size.cx;
  r.h = size.cy;
  r.origin = gSketchRaster->GetPixelAddress(0, 0, 1);
  r.rowOffset = gSketchRaster->GetRasterOffset();
  return r.origin != nullptr;
}

// Grows the dirty state by the inclusive block (x0, y0)-(x1, y1), which the
// callers have already clipped to the raster.
void ExtendDirty(I64 x0, I64 y0, I64 x1, I64 y1) {
  OsImgRect& d = gSketchDirtyRect;
  d.left = static_cast<std::int32_t>(std::min<I64>(d.left, x0));
  d.top = static_cast<std::int32_t>(std::min<I64>(d.top, y0));
  d.right = static_cast<std::int32_t>(std::max<I64>(d.right, x1 + 1));
  d.bottom = static_cast<std::int32_t>(std::max<I64>(d.bottom, y1 + 1));
  gSketchDirty = 1;
}

// Sets columns xa..xb (0 <= xa <= xb < width) of the row whose byte for xa is
// `first`: edge masks on the end bytes, whole bytes between.
void OrSpan(BYTE* first, I64 xa, I64 xb) {
  const I64 bytes = xb / 8 - xa / 8;
  if (bytes == 0) {
    *first |= kPixelToEnd[xa % 8] & kStartToPixel[xb % 8];
    return;
  }
  first[0] |= kPixelToEnd[xa % 8];
  std::memset(first + 1, 0xFF, static_cast<std::size_t>(bytes - 1));
  first[bytes] |= kStartToPixel[xb % 8];
}

void Pixel(const Raster& r, I64 x, I64 y) {
  if (!r.Inside(x, y)) return;
  *r.Byte(x, y) |= kSingleBit[x % 8];
  ExtendDirty(x, y, x, y);
}

void VRun(const Raster& r, I64 x, I64 y1, I64 y2) {
  if (x < 0 || x >= r.w) return;
  I64 ya = std::min(y1, y2);
  I64 yb = std::max(y1, y2);
  if (yb < 0 || ya >= r.h) return;
  ya = std::max<I64>(ya, 0);
  yb = std::min<I64>(yb, r.h - 1);
  const BYTE mask = kSingleBit[x % 8];
  BYTE* p = r.Byte(x, ya);
  for (I64 y = ya; y <= yb; ++y, p += r.rowOffset) *p |= mask;
  ExtendDirty(x, ya, x, yb);
}

void HRun(const Raster& r, I64 y, I64 x1, I64 x2) {
  if (y < 0 || y >= r.h) return;
  I64 xa = std::min(x1, x2);
  I64 xb = std::max(x1, x2);
  if (xb < 0 || xa >= r.w) return;
  xa = std::max<I64>(xa, 0);
  xb = std::min<I64>(xb, r.w - 1);
  OrSpan(r.Byte(xa, y), xa, xb);
  ExtendDirty(xa, y, xb, y);
}

void Diagonal(const Raster& r, I64 x1, I64 y1, I64 x2, I64 y2) {
  if (x1 > x2) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  const I64 step = y1 <= y2 ? 1 : -1;
  // Only the steps whose pixel is inside can write: find them instead of walking
  // a line that may be four billion pixels long.
  I64 tlo = std::max<I64>(0, -x1);
  I64 thi = std::min<I64>(x2 - x1, r.w - 1 - x1);
  if (step > 0) {
    tlo = std::max<I64>(tlo, -y1);
    thi = std::min<I64>(thi, r.h - 1 - y1);
  } else {
    tlo = std::max<I64>(tlo, y1 - (r.h - 1));
    thi = std::min<I64>(thi, y1);
  }
  if (tlo <= thi) {
    BYTE* p = r.Byte(x1 + tlo, y1 + step * tlo);
    const std::ptrdiff_t down = step * r.rowOffset;
    for (I64 x = x1 + tlo; x <= x1 + thi; ++x, p += down) {
      *p |= kSingleBit[x % 8];
      if (x % 8 == 7) ++p;
    }
    const I64 ya = y1 + step * tlo, yb = y1 + step * thi;
    ExtendDirty(x1 + tlo, std::min(ya, yb), x1 + thi, std::max(ya, yb));
  }
  gSketchDirty = 1;
}

I64 Sign(I64 v) { return (v > 0) - (v < 0); }

// Ceiling of a / b for b > 0.
I64 CeilDiv(__int128 a, I64 b) {
  __int128 q = a / b;
  if (a % b != 0 && a > 0) ++q;
  return static_cast<I64>(q);
}

// The walk of a sloped line along its major axis (y for a steep line, x for a
// shallow one), writing each maximal run of constant minor coordinate with one
// run primitive. Runs whose major coordinate lies outside the raster write
// nothing, so the walk starts at the first step that can be inside, with the
// error term that step would have had, and stops after the last.
template <typename RunFn>
void WalkLine(I64 major0, I64 minor0, I64 dMajor, I64 dMinor, I64 majorLimit, RunFn run) {
  const I64 sMajor = Sign(dMajor);
  const I64 sMinor = Sign(dMinor);
  const I64 aMajor = dMajor < 0 ? -dMajor : dMajor;
  const I64 aMinor = dMinor < 0 ? -dMinor : dMinor;

  // Steps j (0..aMajor) whose major coordinate major0 + sMajor*j is in [0, limit).
  I64 jlo, jhi;
  if (sMajor > 0) {
    jlo = -major0;
    jhi = majorLimit - 1 - major0;
  } else {
    jlo = major0 - (majorLimit - 1);
    jhi = major0;
  }
  jlo = std::max<I64>(jlo, 0);
  jhi = std::min<I64>(jhi, aMajor);
  if (jlo > jhi) return;

  // After j steps the minor axis has advanced n times, where n is the one integer
  // that keeps the error term in (-2*aMajor, 0] after the advance.
  const I64 n = CeilDiv(static_cast<__int128>(2 * aMinor) * jlo - aMajor, 2 * aMajor);
  I64 e = 2 * aMinor - aMajor +
          static_cast<I64>(static_cast<__int128>(2 * aMinor) * jlo - static_cast<__int128>(2 * aMajor) * n);
  I64 aMaj = major0 + sMajor * jlo;
  I64 aMin = minor0 + sMinor * n;
  I64 sMaj = aMaj;
  I64 sMin = aMin;
  const I64 last = std::min(jhi, aMajor - 1);
  for (I64 k = jlo; k <= last; ++k) {
    const I64 pMaj = aMaj;
    while (e > 0) {
      aMin += sMinor;
      e -= 2 * aMajor;
    }
    aMaj += sMajor;
    e += 2 * aMinor;
    if (sMin != aMin) {
      run(sMin, sMaj, pMaj);
      sMaj = aMaj;
      sMin = aMin;
    }
  }
  run(sMin, sMaj, aMaj);
}

void Line(const Raster& r, I64 x1, I64 y1, I64 x2, I64 y2) {
  if (x1 == x2 && y1 == y2) return Pixel(r, x1, y1);
  if (x1 == x2) return VRun(r, x1, y1, y2);
  if (y1 == y2) return HRun(r, y1, x1, x2);
  const I64 dx = x2 - x1;
  const I64 dy = y2 - y1;
  const I64 ax = dx < 0 ? -dx : dx;
  const I64 ay = dy < 0 ? -dy : dy;
  if (ax == ay) return Diagonal(r, x1, y1, x2, y2);
  if (ay > ax) {
    WalkLine(y1, x1, dy, dx, r.h, [&r](I64 x, I64 ya, I64 yb) { VRun(r, x, ya, yb); });
  } else {
    WalkLine(x1, y1, dx, dy, r.w, [&r](I64 y, I64 xa, I64 xb) { HRun(r, y, xa, xb); });
  }
}

void RecordTrace(const OsImgPoint& p) {
  if (gTracePoints != nullptr) gTracePoints[gTraceCount] = p;
  ++gTraceCount;
}

}  // namespace

int SketchCreateRaster() {
  SketchDeleteRaster();
  gSketchRaster = new (std::nothrow) DibImage;
  if (gSketchRaster == nullptr) return 0;
  const RGBQUAD table[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
  const OsImgSize size{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (gSketchRaster->Create(1, size, table, 2) == 0) return 0;
  SketchClearRect(gSketchRaster, {0, 0, size.cx, size.cy});
  SketchResetDirty();
  return 1;
}

void SketchDeleteRaster() {
  delete gSketchRaster;
  gSketchRaster = nullptr;
}

void SketchResetDirty() {
  gSketchDirty = 0;
  gSketchDirtyRect = kSketchEmptyDirtyRect;
}

void SketchMarkDirty() { gSketchDirty = 1; }

void SketchDrawLine(const OsImgPoint& p1, const OsImgPoint& p2) {
  if (gTraceMode != 0) {
    // Segments drawn end to end share their joints: record the first start
    // point and then only end points, so each vertex appears once.
    if (gTraceCount == 0) RecordTrace(p1);
    RecordTrace(p2);
    return;
  }
  Raster r;
  if (!GetRaster(r)) return;
  Line(r, p1.x, p1.y, p2.x, p2.y);
}

void SketchDrawPixel(const OsImgPoint& p) {
  Raster r;
  if (GetRaster(r)) Pixel(r, p.x, p.y);
}

void SketchDrawVRun(const OsImgPoint& p1, const OsImgPoint& p2) {
  Raster r;
  if (GetRaster(r)) VRun(r, p1.y <= p2.y ? p1.x : p2.x, p1.y, p2.y);
}

void SketchDrawHRun(const OsImgPoint& p1, const OsImgPoint& p2) {
  Raster r;
  if (GetRaster(r)) HRun(r, p1.y, p1.x, p2.x);
}

void SketchDrawDiagonal(const OsImgPoint& p1, const OsImgPoint& p2) {
  Raster r;
  if (GetRaster(r)) Diagonal(r, p1.x, p1.y, p2.x, p2.y);
}

void SketchFrameRect(const OsImgRect& rect) {
  Raster r;
  if (!GetRaster(r)) return;
  const I64 left = rect.left, top = rect.top, right = rect.right, bottom = rect.bottom;
  HRun(r, top, left, right - 1);
  HRun(r, bottom - 1, left, right - 1);
  VRun(r, left, top + 1, bottom - 2);
  VRun(r, right - 1, top + 1, bottom - 2);
}

void SketchFillRect(const OsImgRect& rect) {
  Raster r;
  if (!GetRaster(r)) return;
  I64 left = std::min(rect.left, rect.right), right = std::max(rect.left, rect.right);
  I64 top = std::min(rect.top, rect.bottom), bottom = std::max(rect.top, rect.bottom);
  if (right - 1 < 0 || bottom - 1 < 0 || left >= r.w || top >= r.h) return;
  left = std::max<I64>(left, 0);
  top = std::max<I64>(top, 0);
  right = std::min(right, r.w);
  bottom = std::min(bottom, r.h);
  // A rectangle of no width or height sets no pixel, but still counts as drawn.
  if (left < right) {
    BYTE* row = r.Byte(left, top);
    for (I64 y = top; y < bottom; ++y, row += r.rowOffset) OrSpan(row, left, right - 1);
  }
  ExtendDirty(left, top, right - 1, bottom - 1);
}

void SketchDrawCenterMark(const OsImgPoint& p) {
  Raster r;
  if (!GetRaster(r)) return;
  const I64 x = p.x, y = p.y;
  if (x + 4 < 0 || y + 4 < 0 || x - 3 >= r.w || y - 3 >= r.h) return;
  const I64 left = x - 3;
  const unsigned s = static_cast<unsigned>(left & 7);
  for (I64 row = 0; row < 7; ++row) {
    const I64 yy = y - 3 + row;
    if (yy < 0 || yy >= r.h) continue;
    const unsigned glyph = kCenterGlyph[row];
    if (left < 0) {
      *r.Byte(0, yy) |= static_cast<BYTE>(glyph << (8 - s));
    } else {
      const unsigned wide = glyph << (8 - s);
      *r.Byte(left, yy) |= static_cast<BYTE>(wide >> 8);
      // The next byte is touched only when the ring reaches into it and it
      // holds a column of the row: past the row's last column there may be no
      // byte at all.
      const I64 next = (left / 8 + 1) * 8;
      if ((wide & 0xFF) != 0 && next < r.w) *r.Byte(next, yy) |= static_cast<BYTE>(wide & 0xFF);
    }
  }
}

void SketchClearRect(DibImage* image, OsImgRect rect) {
  if (image == nullptr) return;
  OsImgSize size;
  image->GetSize(size);
  const I64 left = std::clamp<I64>(rect.left, 0, size.cx);
  const I64 right = std::clamp<I64>(rect.right, 0, size.cx);
  const I64 top = std::clamp<I64>(rect.top, 0, size.cy);
  const I64 bottom = std::clamp<I64>(rect.bottom, 0, size.cy);
  if (top >= bottom) return;
  const I64 first = left / 8;
  const I64 bytes = (right + 7) / 8 - first;
  if (bytes <= 0) return;
  const int n = static_cast<int>(bytes);
  BYTE* row = image->GetPixelAddress(static_cast<int>(first * 8), static_cast<int>(top), n);
  if (row == nullptr) return;
  const std::ptrdiff_t step = image->GetRasterOffset();
  for (I64 y = top; y < bottom; ++y, row += step) std::memset(row, 0, bytes);
}
