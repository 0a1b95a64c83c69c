#pragma once
// The host's region: a set of pixels stored as y-bands of disjoint x-spans
// (banded rectangles, as the platform keeps regions). Pixel (x, y) is the unit
// square [x, x + 1) x [y, y + 1).
//
// Regions are kept within [kMin, kMax] on both axes; anything beyond is clipped,
// so a polygon with extreme vertices costs at most that range to fill.

#include <cstdint>
#include <vector>

#include "OsImgTypes.h"

class BRegion {
 public:
  static constexpr std::int32_t kMin = -32768;
  static constexpr std::int32_t kMax = 32768;

  struct Span {
    std::int32_t left, right;  // [left, right)
    friend bool operator==(const Span&, const Span&) = default;
  };
  struct Band {
    std::int32_t top, bottom;  // [top, bottom)
    std::vector<Span> spans;   // sorted, disjoint, not touching
    friend bool operator==(const Band&, const Band&) = default;
  };

  BRegion() = default;

  // Second construction step: an empty region. Returns 1.
  int IRegion();
  void EmptyRegion();
  bool IsEmptyRegion() const { return fBands.empty(); }

  // Replaces the region by the polygon through the count points, closed back to
  // the first, filled by the even-odd rule: a pixel is inside when its centre is.
  // Returns 1; 0 (region empty) for a null array or fewer than 3 points.
  int PolygonRegion(const OsImgPoint* points, int count);
  // This region becomes this XOR other.
  void XorRegion(const BRegion& other);
  // This region becomes a copy of other.
  void CopyRegion(const BRegion& other);

  bool Contains(std::int32_t x, std::int32_t y) const;
  // The smallest rectangle holding the region; all 0 when empty.
  OsImgRect GetBounds() const;
  // The region as rectangles, band by band, top to bottom and left to right.
  std::vector<OsImgRect> GetRects() const;
  const std::vector<Band>& GetBands() const { return fBands; }

  friend bool operator==(const BRegion& a, const BRegion& b) { return a.fBands == b.fBands; }

 private:
  // Canonical form: bands sorted, non-empty, and two touching bands never hold
  // the same spans (they are merged), so equal pixel sets compare equal.
  std::vector<Band> fBands;
};
