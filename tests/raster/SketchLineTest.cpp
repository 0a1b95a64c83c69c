#include <climits>
#include <cstdint>
#include <random>
#include <tuple>
#include <utility>
#include <vector>

#include "RasterFixture.h"

namespace {

// Every step of the walk, clipped pixel by pixel: slow, obvious, and
// independent of the clipped walk the raster uses.
struct ReferenceLine {
  int w, h;
  std::string art;
  OsImgRect dirty = kSketchEmptyDirtyRect;

  ReferenceLine(int w, int h) : w(w), h(h) {
    for (int y = 0; y < h; ++y) art += std::string(w, '.') + '\n';
  }
  void Set(std::int64_t x, std::int64_t y) {
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    art[y * (w + 1) + x] = '#';
    dirty.left = std::min<std::int64_t>(dirty.left, x);
    dirty.top = std::min<std::int64_t>(dirty.top, y);
    dirty.right = std::max<std::int64_t>(dirty.right, x + 1);
    dirty.bottom = std::max<std::int64_t>(dirty.bottom, y + 1);
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
    // The walk along the major axis m; the minor axis n steps while the error is positive.
    const int m = ay > ax ? 1 : 0, n = 1 - m;
    const std::int64_t step[2] = {sx, sy}, extent[2] = {ax, ay};
    std::int64_t at[2] = {x1, y1}, start[2] = {x1, y1};
    std::int64_t e = 2 * extent[n] - extent[m];
    for (std::int64_t i = 0; i < extent[m]; ++i) {
      const std::int64_t previous[2] = {at[0], at[1]};
      for (; e > 0; e -= 2 * extent[m]) at[n] += step[n];
      at[m] += step[m];
      e += 2 * extent[n];
      if (start[n] != at[n]) {
        Run(start[0], start[1], previous[0], previous[1]);
        start[0] = at[0], start[1] = at[1];
      }
    }
    Run(start[0], start[1], at[0], at[1]);
  }
};

using SketchLine = RasterFixture;

TEST_F(SketchLine, LinesWhollyOutsideLeaveTheRasterAlone) {
  // Only a diagonal marks the raster dirty without writing to it.
  for (auto [a, b, dirty] : {std::tuple{OsImgPoint{-10, -1}, OsImgPoint{-2, -9}, 1},  // diagonal
                             {{-1, -1}, {-1, -1}, 0},                                 // one pixel
                             {{INT_MAX, INT_MIN}, {INT_MAX - 5, INT_MAX}, 0},         // steep, far right
                             {{INT_MIN, INT_MIN}, {INT_MIN, INT_MAX}, 0},
                             {{INT_MAX, INT_MAX}, {INT_MAX, INT_MAX}, 0}}) {
    SketchResetDirty();
    SketchDrawLine(a, b);
    EXPECT_EQ(std::tuple(gSketchDirty, gSketchDirtyRect), std::tuple(dirty, kSketchEmptyDirtyRect)) << a << b;
  }
  EXPECT_EQ(InkCount(), 0);
}

TEST_F(SketchLine, LinesAreTheFullWalkClippedPixelByPixel) {
  // Each line both ways round (where the error term ties, the direction decides
  // the pixel); far ends make the walk start and stop at computed steps.
  UseScreen(37, 23);
  std::mt19937 rng(12345);
  std::uniform_int_distribution<int> coord(-3000, 3000), near(-6, 42);
  for (int i = 0; i < 3000; ++i) {
    OsImgPoint a{near(rng), near(rng)}, b{near(rng), near(rng)};
    if (i % 2 == 1) a = {coord(rng), coord(rng)};
    if (i % 4 == 1) b = {coord(rng), coord(rng)};
    for (const auto& [from, to] : {std::pair{a, b}, std::pair{b, a}}) {
      ReferenceLine ref(37, 23);
      ref.Draw(from.x, from.y, to.x, to.y);
      ClearRaster();
      SketchDrawLine(from, to);
      ASSERT_EQ(Art(), ref.art) << from << " -> " << to;
      ASSERT_EQ(gSketchDirtyRect, ref.dirty) << from << " -> " << to;
    }
  }
}

TEST_F(SketchLine, ExtremeCoordinatesClipWithoutOverflow) {
  // Shallow across the whole 32-bit range: the minor axis steps exactly once,
  // half way, which is at x = 0 in both directions.
  const std::string row3 = Rows({"................", "................", "................", "################",
                                 "................", "................", "................", "................"});
  for (const auto& [a, b] : {std::pair{OsImgPoint{INT_MIN, 2}, OsImgPoint{INT_MAX, 3}}, {{INT_MAX, 3}, {INT_MIN, 2}}}) {
    ClearRaster();
    SketchDrawLine(a, b);
    EXPECT_EQ(Art(), row3);
  }
  ClearRaster();
  SketchDrawLine({INT_MIN, INT_MIN}, {INT_MAX, INT_MAX});  // the main diagonal
  EXPECT_EQ(InkCount(), 8);
  for (int i = 0; i < 8; ++i) EXPECT_TRUE(Ink(i, i));
}

TEST_F(SketchLine, TraceCaptureRecordsEachVertexOnceInsteadOfDrawing) {
  const OsImgPoint a{1, 1}, b{9, 2}, c{9, 7}, d{-40, 3};  // d off the raster: recorded all the same
  std::vector<OsImgPoint> points(4);
  gTraceMode = 1;
  for (OsImgPoint* buffer : {points.data(), static_cast<OsImgPoint*>(nullptr)}) {  // then counting only
    gTracePoints = buffer;
    gTraceCount = 0;
    SketchDrawLine(a, b);
    SketchDrawLine(b, c);
    SketchDrawLine(c, d);
    EXPECT_EQ(gTraceCount, 4);
  }
  EXPECT_EQ(points, (std::vector<OsImgPoint>{a, b, c, d}));
  EXPECT_EQ(std::tuple(InkCount(), gSketchDirty, gSketchDirtyRect), std::tuple(0, 0, kSketchEmptyDirtyRect));
  // Only the line looks at the mode.
  SketchFillRect({0, 0, 2, 2});
  EXPECT_EQ(InkCount(), 4);
  EXPECT_EQ(gTraceCount, 4);
}

}  // namespace
