// Runs, frames, fills, centre marks and clearing: byte masks, clipping on every
// side, and the dirty state each one leaves.

#include <climits>
#include <tuple>

#include "RasterFixture.h"

namespace {

using SketchPrimitive = RasterFixture;

TEST_F(SketchPrimitive, HorizontalRunsUseEdgeMasksAndWholeBytes) {
  UseScreen(32, 3);
  SketchDrawHRun({3, 0}, {12, 0});
  SketchDrawHRun({6, 1}, {3, 1});  // within one byte, given right to left
  EXPECT_EQ(gSketchDirtyRect, (OsImgRect{3, 0, 13, 2}));
  SketchDrawHRun({5, 2}, {26, 2});
  EXPECT_EQ(Art(), Rows({"...##########...................",
                         "...####.........................",
                         ".....######################....."}));
}

TEST_F(SketchPrimitive, RunsClipOnEverySide) {
  SketchDrawHRun({-5, 2}, {4, 2});
  EXPECT_EQ(gSketchDirtyRect, (OsImgRect{0, 2, 5, 3}));
  SketchDrawHRun({12, 4}, {INT_MAX, 4});
  SketchDrawVRun({1, INT_MIN}, {1, 0});
  SketchDrawVRun({14, 6}, {14, 100});
  EXPECT_EQ(Art(), Rows({".#..............",
                         "................",
                         "#####...........",
                         "................",
                         "............####",
                         "................",
                         "..............#.",
                         "..............#."}));
  EXPECT_EQ(gSketchDirtyRect, (OsImgRect{0, 0, 16, 8}));

  SketchResetDirty();
  SketchDrawHRun({-9, 3}, {-1, 3});
  SketchDrawHRun({16, 3}, {30, 3});
  SketchDrawHRun({0, -1}, {15, -1});
  SketchDrawVRun({-1, 0}, {-1, 7});
  SketchDrawVRun({3, 8}, {3, INT_MAX});
  SketchDrawPixel({16, 0});
  SketchDrawPixel({0, -1});
  EXPECT_EQ(gSketchDirty, 0);
  EXPECT_EQ(gSketchDirtyRect, kSketchEmptyDirtyRect);
}

TEST_F(SketchPrimitive, FramesOutlineTheInnerEdgeAndClip) {
  UseScreen(24, 8);
  SketchFrameRect({12, 1, 19, 6});
  EXPECT_EQ(gSketchDirtyRect, (OsImgRect{12, 1, 19, 6}));
  SketchFrameRect({-3, -2, 5, 3});
  SketchFrameRect({20, 5, 40, 40});
  // One row high: the sides run from top + 1 back up to bottom - 2, which the
  // runs draw as columns of three, one row above and one below.
  SketchFrameRect({5, 5, 9, 6});
  EXPECT_EQ(Art(), Rows({"....#...................",
                         "....#.......#######.....",
                         "#####.......#.....#.....",
                         "............#.....#.....",
                         ".....#..#...#.....#.....",
                         ".....####...#######.####",
                         ".....#..#...........#...",
                         "....................#..."}));
}

TEST_F(SketchPrimitive, FillNormalisesItsEdgesAndClips) {
  UseScreen(16, 6);
  SketchFillRect({3, 2, 12, 5});
  const std::string normal = Art();
  const OsImgRect normalDirty = gSketchDirtyRect;
  EXPECT_EQ(normal, Rows({"................",
                          "................",
                          "...#########....",
                          "...#########....",
                          "...#########....",
                          "................"}));
  for (OsImgRect swapped : {OsImgRect{12, 2, 3, 5}, OsImgRect{3, 5, 12, 2}, OsImgRect{12, 5, 3, 2}}) {
    UseScreen(16, 6);
    SketchFillRect(swapped);
    EXPECT_EQ(Art(), normal) << swapped;
    EXPECT_EQ(gSketchDirtyRect, normalDirty);
  }

  UseScreen(13, 5);  // a width that ends inside a byte
  SketchFillRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX});
  EXPECT_EQ(InkCount(), 13 * 5);
  EXPECT_EQ(gSketchDirtyRect, (OsImgRect{0, 0, 13, 5}));
}

TEST_F(SketchPrimitive, FillOutsideTheRasterLeavesTheDirtyStateAlone) {
  for (OsImgRect r : {OsImgRect{-5, 0, 0, 8}, OsImgRect{0, -5, 16, 0}, OsImgRect{16, 0, 20, 8},
                      OsImgRect{0, 8, 16, 12}, OsImgRect{INT_MIN, INT_MIN, INT_MIN, INT_MIN},
                      OsImgRect{INT_MAX, INT_MAX, INT_MAX, INT_MAX}}) {
    SketchFillRect(r);
    EXPECT_EQ(gSketchDirty, 0) << r;
  }
  EXPECT_EQ(InkCount(), 0);
  EXPECT_EQ(gSketchDirtyRect, kSketchEmptyDirtyRect);
}

const char* const kRing[7] = {"..###..", ".#...#.", "#.....#", "#.....#", "#.....#", ".#...#.", "..###.."};

TEST_F(SketchPrimitive, CenterMarkIsARingAtEveryBitPositionAndLeavesTheDirtyStateAlone) {
  const auto& ring = kRing;
  for (int cx = 3; cx < 28; ++cx) {
    UseScreen(32, 9);
    SketchDrawCenterMark({cx, 4});
    std::string expected;
    for (int y = 0; y < 9; ++y) {
      const std::string row = y == 0 || y == 8 ? std::string(7, '.') : ring[y - 1];
      expected += std::string(cx - 3, '.') + row + std::string(32 - 4 - cx, '.') + '\n';
    }
    ASSERT_EQ(Art(), expected) << "centre " << cx;
    EXPECT_EQ(gSketchDirty, 0);  // the caller's cross marks the raster dirty
    EXPECT_EQ(gSketchDirtyRect, kSketchEmptyDirtyRect);
  }
}

TEST_F(SketchPrimitive, CenterMarkClipsAtTheEdges) {
  SketchDrawCenterMark({1, 1});
  SketchDrawCenterMark({14, 6});
  EXPECT_EQ(Art(), Rows({"....#...........",
                         "....#...........",
                         "....#...........",
                         "...#.........###",
                         "###.........#...",
                         "...........#....",
                         "...........#....",
                         "...........#...."}));
  // Wholly outside on each side.
  UseScreen(16, 8);
  for (OsImgPoint p : {OsImgPoint{-5, 3}, OsImgPoint{3, -5}, OsImgPoint{19, 3}, OsImgPoint{3, 11},
                       OsImgPoint{INT_MIN, INT_MIN}, OsImgPoint{INT_MAX, INT_MAX}}) {
    SketchDrawCenterMark(p);
  }
  EXPECT_EQ(InkCount(), 0);
}

// Every column of the ring inside the row is drawn, whether or not the ring
// crosses into the row's last byte or runs past its end.
TEST_F(SketchPrimitive, CenterMarkNearTheRowEndDrawsEveryColumnInside) {
  for (int width : {29, 30, 32, 33}) {
    for (int cx = width - 8; cx <= width + 3; ++cx) {
      UseScreen(width, 7);
      SketchDrawCenterMark({cx, 3});
      int wrong = 0;
      for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < width; ++x) {
          const int c = x - (cx - 3);
          wrong += Ink(x, y) != (c >= 0 && c < 7 && kRing[y][c] == '#');
        }
      }
      EXPECT_EQ(wrong, 0) << "width " << width << ", centre " << cx;
    }
  }
}

TEST_F(SketchPrimitive, CenterMarkNextToTheRowEndOfAByteAlignedRaster) {
  // A 32-pixel row has no padding; a mark whose ring ends in the last byte must
  // not touch the byte after it, which belongs to another row or to nothing.
  UseScreen(32, 7);
  SketchDrawCenterMark({27, 3});
  SketchDrawCenterMark({27, 0});
  EXPECT_EQ(InkCount(), 16 + 9);
  // A ring spilling into the last byte of a row that ends inside that byte.
  UseScreen(30, 7);
  SketchDrawCenterMark({25, 3});
  EXPECT_EQ(InkCount(), 16);
  EXPECT_TRUE(Ink(22, 3) && Ink(28, 3) && Ink(25, 0) && Ink(25, 6));
}

TEST_F(SketchPrimitive, ClearTakesWholeBytesAndLeavesTheDirtyStateAlone) {
  UseScreen(16, 5);
  SketchFillRect({0, 0, 16, 5});
  SketchClearRect(gSketchRaster, {3, 2, 10, 4});
  EXPECT_EQ(Art(), Rows({"################",
                         "################",
                         "................",
                         "................",
                         "################"}));
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

TEST(SketchRasterLifecycle, CreatedAtTheScreenSizeBlackAndWhite) {
  OsSetScreenSize(100, 40);
  gSketchDirty = 1;
  ASSERT_EQ(SketchCreateRaster(), 1);
  OsImgSize size;
  gSketchRaster->GetSize(size);
  EXPECT_EQ(size, (OsImgSize{100, 40}));
  RGBQUAD table[2];
  ASSERT_EQ(gSketchRaster->GetColorTable(table, 2), 2);
  EXPECT_EQ(table[0], (RGBQUAD{0, 0, 0, 0}));
  EXPECT_EQ(table[1], (RGBQUAD{255, 255, 255, 0}));
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
