#include <gtest/gtest.h>

#include <climits>
#include <limits>

#include "BView.h"
#include "BZoom.h"

namespace {

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
