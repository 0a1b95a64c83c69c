// Lines: the run structure, both directions, clipping and trace capture.

#include <climits>
#include <cstdint>
#include <random>
#include <vector>

#include "RasterFixture.h"

namespace {

// The line walk exactly as written, over every step, with per-pixel clipping:
// slow, obvious, and independent of the clipped walk the raster uses.
struct ReferenceLine {
  int w, h;
  std::vector<char> ink;
  OsImgRect dirty = kSketchEmptyDirtyRect;
  bool any = false;

  ReferenceLine(int w, int h) : w(w), h(h), ink(static_cast<std::size_t>(w) * h) {}

  void Set(std::int64_t x, std::int64_t y) {
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    ink[y * w + x] = 1;
    dirty.left = std::min<std::int64_t>(dirty.left, x);
    dirty.top = std::min<std::int64_t>(dirty.top, y);
    dirty.right = std::max<std::int64_t>(dirty.right, x + 1);
    dirty.bottom = std::max<std::int64_t>(dirty.bottom, y + 1);
    any = true;
  }
  void Run(std::int64_t ax, std::int64_t ay, std::int64_t bx, std::int64_t by) {
    for (std::int64_t y = std::min(ay, by); y <= std::max(ay, by); ++y)
      for (std::int64_t x = std::min(ax, bx); x <= std::max(ax, bx); ++x) Set(x, y);
  }
  void Draw(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
    const std::int64_t dx = x2 - x1, dy = y2 - y1;
    const std::int64_t sx = (dx > 0) - (dx < 0), sy = (dy > 0) - (dy < 0);
    const std::int64_t ax = std::abs(dx), ay = std::abs(dy);
    if (ax == 0 || ay == 0 || ax == ay) {
      for (std::int64_t i = 0; i <= std::max(ax, ay); ++i) Set(x1 + sx * i, y1 + sy * i);
      return;
    }
    std::int64_t Ax = x1, Ay = y1, Sx = x1, Sy = y1;
    if (ay > ax) {
      std::int64_t e = 2 * ax - ay;
      for (std::int64_t i = 0; i < ay; ++i) {
        const std::int64_t Px = Ax, Py = Ay;
        while (e > 0) { Ax += sx; e -= 2 * ay; }
        Ay += sy;
        e += 2 * ax;
        if (Sx != Ax) { Run(Sx, Sy, Px, Py); Sx = Ax; Sy = Ay; }
      }
    } else {
      std::int64_t e = 2 * ay - ax;
      for (std::int64_t i = 0; i < ax; ++i) {
        const std::int64_t Px = Ax, Py = Ay;
        while (e > 0) { Ay += sy; e -= 2 * ax; }
        Ax += sx;
        e += 2 * ay;
        if (Sy != Ay) { Run(Sx, Sy, Px, Py); Sx = Ax; Sy = Ay; }
      }
    }
    Run(Sx, Sy, Ax, Ay);
  }
};

class SketchLine : public RasterFixture {
 protected:
  std::vector<char> Pixels() {
    const OsImgSize s = Size();
    std::vector<char> out(static_cast<std::size_t>(s.cx) * s.cy);
    for (int y = 0; y < s.cy; ++y)
      for (int x = 0; x < s.cx; ++x) out[y * s.cx + x] = Ink(x, y);
    return out;
  }
  void Clear() {
    const OsImgSize s = Size();
    SketchClearRect(gSketchRaster, {0, 0, s.cx, s.cy});
    SketchResetDirty();
  }
};

TEST_F(SketchLine, SteepLineIsTwoColumnRunsInEitherDirection) {
  const std::string expected = Rows({"#...............",
                                     "#...............",
                                     ".#..............",
                                     ".#..............",
                                     "................",
                                     "................",
                                     "................",
                                     "................"});
  SketchDrawLine({0, 0}, {1, 3});
  EXPECT_EQ(Art(), expected);
  EXPECT_EQ(gSketchDirtyRect, (OsImgRect{0, 0, 2, 4}));
  Clear();
  SketchDrawLine({1, 3}, {0, 0});
  EXPECT_EQ(Art(), expected);
}

TEST_F(SketchLine, EqualEndPointsSetOnePixel) {
  SketchDrawLine({5, 6}, {5, 6});
  EXPECT_EQ(InkCount(), 1);
  EXPECT_TRUE(Ink(5, 6));
  EXPECT_EQ(gSketchDirty, 1);
  EXPECT_EQ(gSketchDirtyRect, (OsImgRect{5, 6, 6, 7}));
}

TEST_F(SketchLine, ShallowLineInAllFourDirections) {
  const std::string expected = Rows({"................",
                                     ".###............",
                                     "....####........",
                                     "........###.....",
                                     "................",
                                     "................",
                                     "................",
                                     "................"});
  for (auto [a, b] : {std::pair<OsImgPoint, OsImgPoint>{{1, 1}, {10, 3}}, {{10, 3}, {1, 1}}}) {
    Clear();
    SketchDrawLine(a, b);
    EXPECT_EQ(Art(), expected) << a << " -> " << b;
    EXPECT_EQ(gSketchDirtyRect, (OsImgRect{1, 1, 11, 4}));
  }
  // The mirror image, rising to the right.
  Clear();
  SketchDrawLine({1, 3}, {10, 1});
  EXPECT_EQ(Art(), Rows({"................",
                         "........###.....",
                         "....####........",
                         ".###............",
                         "................",
                         "................",
                         "................",
                         "................"}));
}

TEST_F(SketchLine, OddMajorExtentGivesTheSamePixelsBothWays) {
  // Without a tie in the error term the walk is symmetric: every slope in every
  // octant, drawn from each end.
  UseScreen(40, 40);
  const OsImgPoint c{20, 20};
  for (int major : {1, 3, 7, 15}) {
    for (int minor = 0; minor <= major; ++minor) {
      for (int sx : {-1, 1}) {
        for (int sy : {-1, 1}) {
          for (bool steep : {false, true}) {
            const OsImgPoint end{c.x + sx * (steep ? minor : major),
                                 c.y + sy * (steep ? major : minor)};
            Clear();
            SketchDrawLine(c, end);
            const auto forward = Pixels();
            const OsImgRect forwardDirty = gSketchDirtyRect;
            Clear();
            SketchDrawLine(end, c);
            EXPECT_EQ(Pixels(), forward) << c << " <-> " << end;
            EXPECT_EQ(gSketchDirtyRect, forwardDirty);
            EXPECT_TRUE(Ink(c.x, c.y) && Ink(end.x, end.y));
            EXPECT_EQ(InkCount(), major + 1);  // one pixel per step of the major axis
          }
        }
      }
    }
  }
}

TEST_F(SketchLine, TieInTheErrorTermFavoursTheStartColumn) {
  // With an even major extent the error term can reach exactly 0, where the walk
  // does not step sideways; which pixel that picks depends on the direction.
  SketchDrawLine({0, 0}, {1, 2});
  EXPECT_TRUE(Ink(0, 0) && Ink(0, 1) && Ink(1, 2));
  Clear();
  SketchDrawLine({1, 2}, {0, 0});
  EXPECT_TRUE(Ink(1, 2) && Ink(1, 1) && Ink(0, 0));
  EXPECT_EQ(InkCount(), 3);
}

TEST_F(SketchLine, DiagonalsInAllFourDirections) {
  UseScreen(8, 8);
  SketchDrawLine({1, 1}, {4, 4});
  SketchDrawLine({6, 6}, {5, 5});
  SketchDrawLine({7, 0}, {6, 1});
  SketchDrawLine({0, 7}, {2, 5});
  EXPECT_EQ(Art(), Rows({".......#",
                         ".#....#.",
                         "..#.....",
                         "...#....",
                         "....#...",
                         "..#..#..",
                         ".#....#.",
                         "#......."}));
  EXPECT_EQ(gSketchDirtyRect, (OsImgRect{0, 0, 8, 8}));
}

TEST_F(SketchLine, DiagonalWhollyOutsideMarksDirtyButLeavesTheRectangle) {
  SketchDrawLine({-10, -1}, {-2, -9});
  EXPECT_EQ(InkCount(), 0);
  EXPECT_EQ(gSketchDirty, 1);
  EXPECT_EQ(gSketchDirtyRect, kSketchEmptyDirtyRect);
}

TEST_F(SketchLine, LinesWhollyOutsideLeaveTheDirtyStateAlone) {
  for (auto [a, b] : {std::pair<OsImgPoint, OsImgPoint>{{-5, 3}, {-1, 5}},   // sloped, left
                      {{3, -9}, {12, -2}},                                     // shallow, above
                      {{20, 0}, {20, 7}},                                      // vertical, right
                      {{0, 8}, {15, 8}},                                       // horizontal, below
                      {{-1, -1}, {-1, -1}}}) {                                 // one pixel
    SketchDrawLine(a, b);
    EXPECT_EQ(gSketchDirty, 0) << a << " -> " << b;
  }
  EXPECT_EQ(InkCount(), 0);
  EXPECT_EQ(gSketchDirtyRect, kSketchEmptyDirtyRect);
}

TEST_F(SketchLine, ClippedWalkMatchesTheFullWalk) {
  // Lines reaching far beyond the raster, where the walk starts and stops at
  // computed steps, against the full walk over every step.
  UseScreen(37, 23);
  std::mt19937 rng(12345);
  std::uniform_int_distribution<int> coord(-3000, 3000);
  std::uniform_int_distribution<int> near(-6, 42);
  for (int i = 0; i < 2000; ++i) {
    OsImgPoint a{coord(rng), coord(rng)}, b{coord(rng), coord(rng)};
    if (i % 3 == 0) a = {near(rng), near(rng)};  // one end on or near the raster
    if (i % 5 == 0) b = {near(rng), near(rng)};
    ReferenceLine ref(37, 23);
    ref.Draw(a.x, a.y, b.x, b.y);
    Clear();
    SketchDrawLine(a, b);
    ASSERT_EQ(Pixels(), ref.ink) << a << " -> " << b;
    ASSERT_EQ(gSketchDirtyRect, ref.dirty) << a << " -> " << b;
  }
}

TEST_F(SketchLine, ExtremeCoordinatesClipWithoutOverflow) {
  // Shallow across the whole 32-bit range: the minor axis steps exactly once,
  // half way, which is at x = 0 in both directions.
  SketchDrawLine({INT_MIN, 2}, {INT_MAX, 3});
  EXPECT_EQ(Art(), Rows({"................",
                         "................",
                         "................",
                         "################",
                         "................",
                         "................",
                         "................",
                         "................"}));
  Clear();
  SketchDrawLine({INT_MAX, 3}, {INT_MIN, 2});
  EXPECT_EQ(InkCount(), 16);
  EXPECT_TRUE(Ink(0, 3) && Ink(15, 3));

  Clear();
  SketchDrawLine({INT_MIN, INT_MIN}, {INT_MAX, INT_MAX});  // the main diagonal
  EXPECT_EQ(InkCount(), 8);
  for (int i = 0; i < 8; ++i) EXPECT_TRUE(Ink(i, i));

  Clear();
  SketchDrawLine({INT_MAX, INT_MIN}, {INT_MAX - 5, INT_MAX});  // steep, far right
  SketchDrawLine({INT_MIN, INT_MIN}, {INT_MIN, INT_MAX});
  SketchDrawLine({INT_MAX, INT_MAX}, {INT_MAX, INT_MAX});
  EXPECT_EQ(InkCount(), 0);
  EXPECT_EQ(gSketchDirty, 0);
}

TEST_F(SketchLine, TraceCaptureRecordsEachVertexOnceAndDrawsNothing) {
  const OsImgPoint a{1, 1}, b{9, 2}, c{9, 7}, d{-40, 3};
  OsImgPoint points[4];
  gTracePoints = points;
  gTraceCount = 0;
  gTraceMode = 1;
  SketchDrawLine(a, b);
  SketchDrawLine(b, c);
  SketchDrawLine(c, d);
  EXPECT_EQ(gTraceCount, 4);
  EXPECT_EQ(points[0], a);
  EXPECT_EQ(points[1], b);
  EXPECT_EQ(points[2], c);
  EXPECT_EQ(points[3], d);  // off the raster: recorded all the same

  // Counting only.
  gTracePoints = nullptr;
  gTraceCount = 0;
  SketchDrawLine(a, b);
  SketchDrawLine(b, c);
  SketchDrawLine(c, d);
  EXPECT_EQ(gTraceCount, 4);

  EXPECT_EQ(InkCount(), 0);
  EXPECT_EQ(gSketchDirty, 0);
  EXPECT_EQ(gSketchDirtyRect, kSketchEmptyDirtyRect);

  // Only the line looks at the mode.
  SketchFillRect({0, 0, 2, 2});
  EXPECT_EQ(InkCount(), 4);
  EXPECT_EQ(gTraceCount, 4);
}

}  // namespace
