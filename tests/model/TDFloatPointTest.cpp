#include <climits>

#include "FigureFixture.h"
#include "model/TDFloatPoint.h"

namespace {

TEST(TDFloatPoint, ViewToImageAndBack) {
  const BZoom zoom2(2.0f, 2.0f, 0.0f, 0.0f);
  const TDFloatPoint p(-1, 0, &zoom2);
  EXPECT_EQ(PointText(p), "-0.5,0");
  EXPECT_EQ(ImageToView(p, zoom2), (OsImgPoint{-1, 0}));
  EXPECT_EQ(ImageToView(TDFloatPoint(-0.7f, 0.7f), BZoom()), (OsImgPoint{0, 0}));
  EXPECT_EQ(TDFloatPoint(-0.7f, 1.9f).ToImgPoint(), (OsImgPoint{0, 1}));

  // The origin is the image point at view (0, 0) and the divisor takes no part.
  const BZoom scrolled(4.0f, 0.5f, 100.0f, -8.0f, 3.0f, 3.0f);
  const TDFloatPoint q(6, 6, &scrolled);
  EXPECT_EQ(PointText(q), "101.5,4");
  EXPECT_EQ(ImageToView(q, scrolled), (OsImgPoint{6, 6}));

  // Computed in double and narrowed once: 1 / 0.1f + 0.1f is 10.0999994, where
  // rounding each step to float would give 10.1000004.
  const BZoom tenth(0.1f, 0.1f, 0.1f, 0.1f);
  EXPECT_EQ(TDFloatPoint(1, 1, &tenth).x, 10.0999994f);

  // A missing or zero zoom refuses, the point left in view units.
  TDFloatPoint r(3.0f, 4.0f);
  const BZoom zeroX(0.0f, 1.0f, 5.0f, 5.0f), zeroY(1.0f, 0.0f, 5.0f, 5.0f);
  EXPECT_FALSE(r.ViewToImage(nullptr) || r.ViewToImage(&zeroX) || r.ViewToImage(&zeroY));
  EXPECT_EQ(PointText(r) + " " + PointText(TDFloatPoint(7, -2, &zeroX)), "3,4 7,-2");
}

TEST(TDFloatPoint, ExtremeValuesSaturate) {
  const BZoom big(16.0f, 16.0f, 0.0f, 0.0f);
  EXPECT_EQ(ImageToView(TDFloatPoint(3e9f, -3e9f), big), (OsImgPoint{INT_MAX, INT_MIN}));
  EXPECT_EQ(TDFloatPoint(1e20f, -1e20f).ToImgPoint(), (OsImgPoint{INT_MAX, INT_MIN}));
  TDFloatPoint p(2147483520.0f, 0.0f);  // the largest float below 2^31
  EXPECT_EQ(p.OffsetInt(INT_MAX, INT_MIN), (OsImgPoint{INT_MAX, INT_MIN}));
}

}  // namespace
