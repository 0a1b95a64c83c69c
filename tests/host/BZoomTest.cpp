#include <gtest/gtest.h>

#include <climits>
#include <limits>

#include "BZoom.h"

namespace {

TEST(BZoom, DefaultsToOneToOneAtTheOrigin) {
  const BZoom z;
  EXPECT_EQ(z.fZoomX, 1.0f);
  EXPECT_EQ(z.fZoomY, 1.0f);
  EXPECT_EQ(z.fOriginX, 0.0f);
  EXPECT_EQ(z.fOriginY, 0.0f);
  EXPECT_EQ(z.fDivX, 1.0f);
  EXPECT_EQ(z.fDivY, 1.0f);
}

TEST(BZoom, GPtoLPAppliesZoomOriginAndDivisorPerAxisTruncatingTowardZero) {
  const BZoom z(2.0f, 4.0f, 10.0f, -20.0f, 3.0f, 1.0f);
  OsImgPoint p{7, 9};
  z.GPtoLP(p);
  // x: (7 / 2 + 10) / 3 = 4.5 -> 4; y: (9 / 4 - 20) / 1 = -17.75 -> -17
  EXPECT_EQ(p, (OsImgPoint{4, -17}));

  OsImgSize s{7, 9};
  z.GPtoLP(s);
  EXPECT_EQ(s, (OsImgSize{4, -17}));

  OsImgRect r{7, 9, -9, 200};
  z.GPtoLP(r);
  // right: (-4.5 + 10) / 3 = 1.83 -> 1; bottom: 50 - 20 = 30
  EXPECT_EQ(r, (OsImgRect{4, -17, 1, 30}));
}

TEST(BZoom, GPtoLP2IgnoresTheOrigin) {
  const BZoom z(2.0f, 2.0f, 1234.5f, -77.0f);
  OsImgSize s{10, 10};
  z.GPtoLP2(s);
  EXPECT_EQ(s, (OsImgSize{5, 5}));
  OsImgPoint p{-3, 3};
  z.GPtoLP2(p);
  EXPECT_EQ(p, (OsImgPoint{-1, 1}));
  OsImgRect r{10, 20, -10, -21};
  BZoom(2.0f, 1.0f, 99.0f, 99.0f, 1.0f, 2.0f).GPtoLP2(r);
  EXPECT_EQ(r, (OsImgRect{5, 10, -5, -10}));
}

TEST(BZoom, ConversionsSaturateInsteadOfOverflowing) {
  OsImgPoint p{INT_MAX, INT_MIN};
  BZoom(0.0625f, 0.0625f, 0.0f, 0.0f).GPtoLP(p);
  EXPECT_EQ(p, (OsImgPoint{INT_MAX, INT_MIN}));

  OsImgPoint q{5, 0};
  BZoom(0.0f, 0.0f, 0.0f, 0.0f).GPtoLP(q);  // 5 / 0 = inf, 0 / 0 = NaN
  EXPECT_EQ(q, (OsImgPoint{INT_MAX, 0}));
}

TEST(BZoom, SetZoomReturnsThePreviousValuesSoTheyCanBeRestored) {
  BZoom z(2.0f, 3.0f, 4.0f, 5.0f, 6.0f, 7.0f);
  const BZoom previous = z.SetZoom(BZoom());
  EXPECT_EQ(z.fZoomX, 1.0f);
  EXPECT_EQ(z.fDivY, 1.0f);
  EXPECT_EQ(previous.fZoomX, 2.0f);
  EXPECT_EQ(previous.fZoomY, 3.0f);
  EXPECT_EQ(previous.fOriginX, 4.0f);
  EXPECT_EQ(previous.fOriginY, 5.0f);
  EXPECT_EQ(previous.fDivX, 6.0f);
  EXPECT_EQ(previous.fDivY, 7.0f);
  z.SetZoom(previous);
  EXPECT_EQ(z.fOriginY, 5.0f);
  EXPECT_EQ(z.fDivX, 6.0f);
}

TEST(OsTruncToInt, TruncatesTowardZeroAndSaturates) {
  EXPECT_EQ(OsTruncToInt(-0.7), 0);
  EXPECT_EQ(OsTruncToInt(-1.0), -1);
  EXPECT_EQ(OsTruncToInt(2.9999), 2);
  EXPECT_EQ(OsTruncToInt(2147483647.9), INT_MAX);
  EXPECT_EQ(OsTruncToInt(2147483648.0), INT_MAX);
  EXPECT_EQ(OsTruncToInt(-2147483648.9), INT_MIN);
  EXPECT_EQ(OsTruncToInt(-1e300), INT_MIN);
  EXPECT_EQ(OsTruncToInt(std::numeric_limits<double>::infinity()), INT_MAX);
  EXPECT_EQ(OsTruncToInt(std::numeric_limits<double>::quiet_NaN()), 0);
}

}  // namespace
