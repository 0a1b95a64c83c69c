// BRegion: polygon fill by pixel centres, XOR, and bands canonical enough to compare.

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "BRegion.h"

namespace {

using Bands = std::vector<BRegion::Band>;
using Art = std::vector<std::string>;

BRegion Polygon(std::vector<OsImgPoint> points) {
  BRegion r;
  EXPECT_EQ(r.PolygonRegion(points.data(), static_cast<int>(points.size())), 1);
  return r;
}

BRegion Rect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
  return Polygon({{l, t}, {r, t}, {r, b}, {l, b}});
}

// '#' for each pixel of [0, w) x [0, h) in the region.
Art Draw(const BRegion& r, int w, int h) {
  Art rows(h, std::string(w, '.'));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) rows[y][x] = r.Contains(x, y) ? '#' : '.';
  return rows;
}

TEST(BRegion, PolygonsTakeThePixelsWhoseCentresTheyHoldByTheEvenOddRule) {
  EXPECT_EQ(Rect(1, 2, 5, 4).GetBands(), (Bands{{2, 4, {{1, 5}}}}));
  // The slanted edge runs x = 6 - 1.5 y; no centre lies on it.
  EXPECT_EQ(Draw(Polygon({{0, 0}, {6, 0}, {0, 4}}), 7, 5),
            (Art{"#####..", "####...", "##.....", "#......", "......."}));

  const BRegion star = Polygon({{50, 10}, {74, 82}, {12, 38}, {88, 38}, {26, 82}});
  EXPECT_FALSE(star.Contains(50, 50));  // the centre
  EXPECT_TRUE(star.Contains(50, 16));   // top point
  EXPECT_TRUE(star.Contains(20, 40));   // left point
  // Row 10's centres miss the top point; the side points' nearest ones lie just outside.
  EXPECT_EQ(star.GetBounds(), (OsImgRect{13, 11, 87, 82}));
}

TEST(BRegion, XorLeavesAHoleWhereTwoSquaresOverlap) {
  BRegion r = Rect(0, 0, 4, 4);
  r.XorRegion(Rect(2, 2, 6, 6));
  EXPECT_EQ(Draw(r, 6, 6), (Art{"####..", "####..", "##..##", "##..##", "..####", "..####"}));
  EXPECT_EQ(r.GetRects(), (std::vector<OsImgRect>{{0, 0, 4, 2}, {0, 2, 2, 4}, {4, 2, 6, 4}, {2, 4, 6, 6}}));

  BRegion copy;
  copy.CopyRegion(r);
  r.XorRegion(BRegion());
  EXPECT_EQ(r, copy);
  r.XorRegion(r);
  EXPECT_TRUE(r.IsEmptyRegion());
  EXPECT_EQ(r.GetBounds(), (OsImgRect{}));
  r.XorRegion(copy);
  EXPECT_EQ(r, copy);
}

TEST(BRegion, EqualPixelSetsHaveEqualBands) {
  // Two triangles on one diagonal: a centre on it belongs to exactly one of them.
  BRegion lower = Polygon({{0, 0}, {4, 0}, {0, 4}});
  const BRegion upper = Polygon({{4, 0}, {4, 4}, {0, 4}});
  BRegion both = lower;
  both.XorRegion(upper);
  EXPECT_EQ(both, Rect(0, 0, 4, 4));
  lower.XorRegion(both);
  EXPECT_EQ(lower, upper);
}

TEST(BRegion, PolygonsClipToTheKeptRange) {
  constexpr std::int32_t lo = BRegion::kMin, hi = BRegion::kMax;
  EXPECT_EQ(Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX).GetBands(), (Bands{{lo, hi, {{lo, hi}}}}));
  // Left of the diagonal x = y: row y holds [kMin, y).
  const BRegion r = Polygon({{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MAX}});
  EXPECT_EQ(r.GetBands().size(), static_cast<std::size_t>(hi - lo - 1));
  EXPECT_EQ(r.GetBounds(), (OsImgRect{lo, lo + 1, hi - 1, hi}));
  EXPECT_TRUE(r.Contains(-1, 0));
  EXPECT_FALSE(r.Contains(0, 0));

  const OsImgPoint line[] = {{0, 0}, {5, 5}};
  BRegion none = Rect(0, 0, 2, 2);
  EXPECT_EQ(none.PolygonRegion(line, 2), 0);
  EXPECT_TRUE(none.IsEmptyRegion());
}

}  // namespace
