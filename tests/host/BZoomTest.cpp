#include <gtest/gtest.h>

#include <climits>
#include <limits>

#include "BView.h"
#include "BZoom.h"

namespace {

TEST(BZoom, GPtoLPAppliesZoomOriginAndDivisorPerAxisGPtoLP2LeavesOutTheOrigin) {
  const BZoom z(2.0f, 4.0f, 10.0f, -20.0f, 3.0f, 1.0f);
  OsImgPoint p{7, 9}, p2 = p;
  OsImgSize s{7, 9}, s2 = s;
  OsImgRect r{7, 9, -9, 200}, r2 = r;
  z.GPtoLP(p);
  z.GPtoLP(s);
  z.GPtoLP(r);
  z.GPtoLP2(p2);
  z.GPtoLP2(s2);
  z.GPtoLP2(r2);
  // x: (7 / 2 + 10) / 3 = 4.5 -> 4; y: 9 / 4 - 20 = -17.75 -> -17;
  // right: (-4.5 + 10) / 3 = 1.83 -> 1; bottom: 50 - 20 = 30
  EXPECT_EQ(p, (OsImgPoint{4, -17}));
  EXPECT_EQ(s, (OsImgSize{4, -17}));
  EXPECT_EQ(r, (OsImgRect{4, -17, 1, 30}));
  // 7 / 2 / 3 = 1.17 -> 1; 9 / 4 = 2.25 -> 2; -9 / 2 / 3 = -1.5 -> -1; 200 / 4 = 50
  EXPECT_EQ(p2, (OsImgPoint{1, 2}));
  EXPECT_EQ(s2, (OsImgSize{1, 2}));
  EXPECT_EQ(r2, (OsImgRect{1, 2, -1, 50}));
}

// Truncation toward zero is in the module's point tests.
TEST(OsTruncToInt, SaturatesAtTheIntRangeAndTakesNaNAsZeroAsDoTheZoomsConversions) {
  EXPECT_EQ(OsTruncToInt(2147483647.9), INT_MAX);
  EXPECT_EQ(OsTruncToInt(2147483648.0), INT_MAX);
  EXPECT_EQ(OsTruncToInt(-2147483648.9), INT_MIN);
  EXPECT_EQ(OsTruncToInt(-1e300), INT_MIN);
  EXPECT_EQ(OsTruncToInt(std::numeric_limits<double>::infinity()), INT_MAX);
  EXPECT_EQ(OsTruncToInt(std::numeric_limits<double>::quiet_NaN()), 0);

  OsImgPoint p{INT_MAX, INT_MIN}, q{5, 0};
  BZoom(0.0625f, 0.0625f, 0.0f, 0.0f).GPtoLP(p);
  BZoom(0.0f, 0.0f, 0.0f, 0.0f).GPtoLP(q);  // 5 / 0 = inf, 0 / 0 = NaN
  EXPECT_EQ(p, (OsImgPoint{INT_MAX, INT_MIN}));
  EXPECT_EQ(q, (OsImgPoint{INT_MAX, 0}));
}

// Only a redraw asked for at once repaints, and only a view that can.
TEST(BView, RedrawRepaintsAtOnceOnlyWhenAskedAndWhenTheViewCan) {
  BView view;
  EXPECT_EQ(view.RedrawWindow(nullptr, nullptr, BView::RDW_INVALIDATE | BView::RDW_UPDATENOW), 1);
  int repaints = 0;
  view.OsSetRepaint([&](BView&) { ++repaints; });
  view.RedrawWindow(nullptr, nullptr, BView::RDW_INVALIDATE);
  view.RedrawWindow(nullptr, nullptr, BView::RDW_INVALIDATE | BView::RDW_UPDATENOW);
  EXPECT_EQ(repaints, 1);
}

}  // namespace
