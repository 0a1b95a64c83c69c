#include <climits>

#include "FigureFixture.h"
#include "model/TDFloatPoint.h"

namespace {

TEST(TDFloatPoint, ViewPointsToImagePointsAndBack) {
  const struct {
    BZoom zoom;
    TDFloatPoint view;
    bool converts;
    const char* image;
    OsImgPoint back;
  } cases[] = {
      {BZoom(2, 2, 0, 0), {-1, 0}, true, "-0.5,0", {-1, 0}},
      // The origin is the image point at view (0, 0); the divisor takes no part.
      {BZoom(4, 0.5f, 100, -8, 3, 3), {6, 6}, true, "101.5,4", {6, 6}},
      // In double, narrowed once: float steps would give 10.1000004. Back, 0.9999
      // truncates to 0.
      {BZoom(0.1f, 0.1f, 0.1f, 0.1f), {1, 1}, true, "10.099999,10.099999", {0, 0}},
      // A zero zoom refuses, the point left in view units.
      {BZoom(0, 1, 5, 5), {7, -2}, false, "7,-2", {0, -7}},
      {BZoom(1, 0, 5, 5), {7, -2}, false, "7,-2", {2, 0}},
  };
  for (const auto& c : cases) {
    TDFloatPoint p = c.view;
    EXPECT_EQ(p.ViewToImage(&c.zoom), c.converts) << c.image;
    EXPECT_EQ(PointText(p), c.image);
    EXPECT_EQ(ImageToView(p, c.zoom), c.back) << c.image;
  }
  EXPECT_FALSE(TDFloatPoint(3, 4).ViewToImage(nullptr));
}

TEST(TDFloatPoint, PixelsTruncateTowardZeroWithinTheIntegers) {
  EXPECT_EQ(ImageToView(TDFloatPoint(-0.7f, 0.7f), BZoom()), (OsImgPoint{0, 0}));
  EXPECT_EQ(TDFloatPoint(-0.7f, 1.9f).ToImgPoint(), (OsImgPoint{0, 1}));
  EXPECT_EQ(ImageToView(TDFloatPoint(3e9f, -3e9f), BZoom(16, 16, 0, 0)), (OsImgPoint{INT_MAX, INT_MIN}));
  EXPECT_EQ(TDFloatPoint(1e20f, -1e20f).ToImgPoint(), (OsImgPoint{INT_MAX, INT_MIN}));
  TDFloatPoint p(2147483520.0f, 0.0f);  // the largest float below 2^31
  EXPECT_EQ(p.OffsetInt(INT_MAX, INT_MIN), (OsImgPoint{INT_MAX, INT_MIN}));
}

}  // namespace
