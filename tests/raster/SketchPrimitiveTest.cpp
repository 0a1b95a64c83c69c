#include <climits>
#include <tuple>

#include "RasterFixture.h"

namespace {

using SketchPrimitive = RasterFixture;

TEST_F(SketchPrimitive, FramesOutlineTheInnerEdgeAndClip) {
  UseScreen(24, 8);
  SketchFrameRect({12, 1, 19, 6});
  EXPECT_EQ(gSketchDirtyRect, (OsImgRect{12, 1, 19, 6}));
  SketchFrameRect({-3, -2, 5, 3});
  SketchFrameRect({20, 5, 40, 40});
  // One row high: the sides run from top + 1 back up to bottom - 2, which the
  // runs draw as columns of three, one row above and one below.
  SketchFrameRect({5, 5, 9, 6});
  EXPECT_EQ(Art(), Rows({
                       "....#...................",
                       "....#.......#######.....",
                       "#####.......#.....#.....",
                       "............#.....#.....",
                       ".....#..#...#.....#.....",
                       ".....####...#######.####",
                       ".....#..#...........#...",
                       "....................#...",
                   }));
}

TEST_F(SketchPrimitive, FillsTheNormalisedClippedRectangle) {
  UseScreen(16, 6);
  SketchFillRect({3, 2, 12, 5});
  const std::string normal = Art();
  EXPECT_EQ(normal, Rows({
                        "................",
                        "................",
                        "...#########....",
                        "...#########....",
                        "...#########....",
                        "................",
                    }));
  for (OsImgRect swapped : {OsImgRect{12, 2, 3, 5}, OsImgRect{3, 5, 12, 2}, OsImgRect{12, 5, 3, 2}}) {
    UseScreen(16, 6);
    SketchFillRect(swapped);
    EXPECT_EQ(Art(), normal) << swapped;
    EXPECT_EQ(gSketchDirtyRect, (OsImgRect{3, 2, 12, 5}));
  }

  UseScreen(13, 5);  // a width that ends inside a byte
  // Wholly outside, on each side: nothing drawn and the dirty state left alone.
  for (OsImgRect r : {OsImgRect{-5, 0, 0, 8}, OsImgRect{0, -5, 16, 0}, OsImgRect{13, 0, 20, 8}, OsImgRect{0, 5, 16, 12},
                      OsImgRect{INT_MIN, INT_MIN, INT_MIN, INT_MIN}, OsImgRect{INT_MAX, INT_MAX, INT_MAX, INT_MAX}}) {
    SketchFillRect(r);
    EXPECT_EQ(std::tuple(InkCount(), gSketchDirty, gSketchDirtyRect), std::tuple(0, 0, kSketchEmptyDirtyRect)) << r;
  }
  SketchFillRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX});
  EXPECT_EQ(InkCount(), 13 * 5);
  EXPECT_EQ(gSketchDirtyRect, (OsImgRect{0, 0, 13, 5}));
}

// Every bit position and edge; rows ending inside a byte or at its end, where
// the byte after the row belongs to the next row or to nothing.
TEST_F(SketchPrimitive, CenterMarkIsTheClippedRing) {
  const char* const ring[7] = {"..###..", ".#...#.", "#.....#", "#.....#", "#.....#", ".#...#.", "..###.."};
  for (int width : {29, 30, 32, 33}) {
    for (int cx = -5; cx <= width + 4; ++cx) {
      for (int cy : {-5, -1, 3, 8, 10}) {
        UseScreen(width, 7);
        SketchDrawCenterMark({cx, cy});
        std::string expected;
        for (int y = 0; y < 7; ++y) {
          for (int x = 0; x < width; ++x) {
            const int c = x - (cx - 3), r = y - (cy - 3);
            expected += c >= 0 && c < 7 && r >= 0 && r < 7 && ring[r][c] == '#' ? '#' : '.';
          }
          expected += '\n';
        }
        ASSERT_EQ(Art(), expected) << "width " << width << ", centre " << cx << "," << cy;
        // The caller's cross marks the raster dirty.
        ASSERT_EQ(std::tuple(gSketchDirty, gSketchDirtyRect), std::tuple(0, kSketchEmptyDirtyRect));
      }
    }
  }
  SketchDrawCenterMark({INT_MIN, INT_MIN});
  SketchDrawCenterMark({INT_MAX, INT_MAX});
  EXPECT_EQ(InkCount(), 0);
}

TEST_F(SketchPrimitive, ClearTakesWholeBytes) {
  UseScreen(16, 5);
  SketchFillRect({0, 0, 16, 5});
  SketchClearRect(gSketchRaster, {3, 2, 10, 4});
  EXPECT_EQ(Art(), Rows({
                       "################",
                       "################",
                       "................",
                       "................",
                       "################",
                   }));
  EXPECT_EQ(std::tuple(gSketchDirty, gSketchDirtyRect), std::tuple(1, OsImgRect{0, 0, 16, 5}));
  SketchClearRect(gSketchRaster, {9, 4, 3, 5});   // no width: bytes 1 to 0, nothing
  SketchClearRect(gSketchRaster, {0, 4, 16, 4});  // no height: nothing
  EXPECT_EQ(InkCount(), 3 * 16);
  SketchClearRect(gSketchRaster, kSketchEmptyDirtyRect);
  EXPECT_EQ(InkCount(), 3 * 16);
  SketchClearRect(gSketchRaster, {INT_MIN, 4, INT_MAX, INT_MAX});
  EXPECT_EQ(InkCount(), 2 * 16);
  SketchClearRect(nullptr, {0, 0, 16, 8});
}

TEST(SketchRasterLifecycle, CreatedCleanAtTheScreenSize) {
  OsSetScreenSize(100, 40);
  gSketchDirty = 1;
  ASSERT_EQ(SketchCreateRaster(), 1);
  OsImgSize size;
  gSketchRaster->GetSize(size);
  EXPECT_EQ(size, (OsImgSize{100, 40}));
  EXPECT_EQ(std::tuple(gSketchDirty, gSketchDirtyRect), std::tuple(0, kSketchEmptyDirtyRect));

  // A screen that cannot hold a raster: the primitives then draw nothing.
  OsSetScreenSize(0, 0);
  EXPECT_EQ(SketchCreateRaster(), 0);
  SketchDrawLine({0, 0}, {5, 5});
  SketchFillRect({0, 0, 5, 5});
  SketchFrameRect({0, 0, 5, 5});
  SketchDrawCenterMark({3, 3});
  EXPECT_EQ(gSketchDirty, 0);
  SketchDeleteRaster();
  EXPECT_EQ(gSketchRaster, nullptr);
  SketchDrawLine({0, 0}, {5, 5});
  OsSetScreenSize(1024, 768);
}

}  // namespace
