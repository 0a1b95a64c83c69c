#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "model/TDFloatPoint.h"

namespace {

TEST(TDFloatPoint, ViewToImageAndBackTruncateTowardZero) {
  const BZoom zoom2(2.0f, 2.0f, 0.0f, 0.0f);
  const TDFloatPoint p(-1, 0, &zoom2);
  EXPECT_EQ(p.x, -0.5f);
  EXPECT_EQ(p.y, 0.0f);
  EXPECT_EQ(ImageToView(p, zoom2), (OsImgPoint{-1, 0}));

  const BZoom one;
  EXPECT_EQ(ImageToView(TDFloatPoint(-0.7f, 0.7f), one), (OsImgPoint{0, 0}));
  EXPECT_EQ(TDFloatPoint(-0.7f, 1.9f).ToImgPoint(), (OsImgPoint{0, 1}));

  // The origin is the image point at view (0, 0) and the divisor takes no part.
  const BZoom scrolled(4.0f, 0.5f, 100.0f, -8.0f, 3.0f, 3.0f);
  const TDFloatPoint q(6, 6, &scrolled);
  EXPECT_EQ(q.x, 101.5f);
  EXPECT_EQ(q.y, 4.0f);
  EXPECT_EQ(ImageToView(q, scrolled), (OsImgPoint{6, 6}));
}

TEST(TDFloatPoint, ViewToImageRefusesAMissingOrZeroZoom) {
  TDFloatPoint p(3.0f, 4.0f);
  EXPECT_FALSE(p.ViewToImage(nullptr));
  const BZoom zeroX(0.0f, 1.0f, 5.0f, 5.0f), zeroY(1.0f, 0.0f, 5.0f, 5.0f);
  EXPECT_FALSE(p.ViewToImage(&zeroX));
  EXPECT_FALSE(p.ViewToImage(&zeroY));
  EXPECT_EQ(p.x, 3.0f);
  EXPECT_EQ(p.y, 4.0f);
  // The constructor goes on with the point in view units.
  const TDFloatPoint q(7, -2, &zeroX);
  EXPECT_EQ(q.x, 7.0f);
  EXPECT_EQ(q.y, -2.0f);
}

TEST(TDFloatPoint, ArithmeticIsDoneInDoubleAndNarrowedOnce) {
  // 1 / 0.1f + 0.1f rounds to a different float when each step is rounded to
  // float: 10.1000004 instead of 10.0999994.
  const BZoom z(0.1f, 0.1f, 0.1f, 0.1f);
  const TDFloatPoint p(1, 1, &z);
  EXPECT_EQ(p.x, 10.0999994f);
  EXPECT_NE(p.x, 10.1000004f);
}

TEST(TDFloatPoint, OffsetsAndSums) {
  TDFloatPoint p(1.5f, -2.5f);
  const TDFloatPoint sum = p + TDFloatPoint(1.0f, 1.0f);
  const TDFloatPoint diff = p - TDFloatPoint(1.0f, 1.0f);
  EXPECT_EQ(p.x, 1.5f);  // unchanged
  EXPECT_EQ(sum.x, 2.5f);
  EXPECT_EQ(sum.y, -1.5f);
  EXPECT_EQ(diff.x, 0.5f);
  EXPECT_EQ(diff.y, -3.5f);

  p += TDFloatPoint(0.25f, 0.25f);
  p -= TDFloatPoint(0.5f, 0.5f);
  EXPECT_EQ(p.x, 1.25f);
  EXPECT_EQ(p.y, -2.75f);

  const TDFloatPoint copy = p.OffsetFloat(1.0f, 2.0f);
  EXPECT_EQ(p.x, 2.25f);
  EXPECT_EQ(copy.y, -0.75f);
  EXPECT_EQ(p.OffsetInt(-3, 1), (OsImgPoint{0, 0}));  // (-0.75, 0.25) truncates to 0
  EXPECT_EQ(p.x, -0.75f);

  const TDFloatPoint s = TDFloatPoint(3.0f, -1.0f).Scaled(0.5f);
  EXPECT_EQ(s.x, 1.5f);
  EXPECT_EQ(s.y, -0.5f);
}

TEST(TDFloatPoint, SetAndDiffers) {
  TDFloatPoint p;
  EXPECT_EQ(p.x, 0.0f);
  EXPECT_EQ(p.y, 0.0f);
  EXPECT_TRUE(p.Set(0.1f, 0.2f));
  EXPECT_FALSE(p.Differs(0.1f, 0.2f));
  EXPECT_TRUE(p.Differs(0.1f, std::nextafter(0.2f, 1.0f)));
  EXPECT_TRUE(p.SetInt(16777217, -3));  // not representable: rounds to 16777216
  EXPECT_EQ(p.x, 16777216.0f);
  EXPECT_FALSE(TDFloatPoint(0.0f, 0.0f).Differs(-0.0f, 0.0f));
}

TEST(TDFloatPoint, ExtremeValuesSaturate) {
  const BZoom big(16.0f, 16.0f, 0.0f, 0.0f);
  EXPECT_EQ(ImageToView(TDFloatPoint(3e9f, -3e9f), big), (OsImgPoint{INT_MAX, INT_MIN}));
  EXPECT_EQ(TDFloatPoint(1e20f, -1e20f).ToImgPoint(), (OsImgPoint{INT_MAX, INT_MIN}));
  TDFloatPoint p(2147483520.0f, 0.0f);  // the largest float below 2^31
  EXPECT_EQ(p.OffsetInt(INT_MAX, INT_MIN), (OsImgPoint{INT_MAX, INT_MIN}));
}

}  // namespace
