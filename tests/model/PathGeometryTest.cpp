// Hit tests, rectangle selection, region points, traces and the trackers'
// geometry.

#include <cmath>
#include <vector>

#include "FigureFixture.h"
#include "OsPlatformHost.h"
#include "OsRuntime.h"
#include "model/LineWalk.h"

namespace {

class PathGeometry : public FigureFixture {
 protected:
  TDCheck Segments(TDShape* s, int mx, int my, bool* hit = nullptr) {
    TDCheck check;
    check.fFlags = TDCheck::kSegments;
    check.fTolerance = 4.0f;
    const bool h = s->CheckSegments(mx, my, &check, &fView.GetZoom());
    if (hit != nullptr) *hit = h;
    return check;
  }
  int UnitPart(TDShape* s, int mx, int my) {
    TDCheck check;
    check.fFlags = TDCheck::kAnchor | TDCheck::kDirection1 | TDCheck::kDirection2;
    check.fTolerance = 4.0f;
    s->CheckUnits(mx, my, &check, &fView.GetZoom());
    return check.fResult;
  }
};

TEST(LineWalk, NeverVisitsTheEndPoint) {
  std::vector<OsImgPoint> seen;
  const auto collect = [&](std::int64_t x, std::int64_t y, std::int64_t) {
    seen.push_back({static_cast<int>(x), static_cast<int>(y)});
    return true;
  };
  EXPECT_EQ(LineWalk(0, 0, 4, 1, collect), 4);
  EXPECT_EQ(seen, (std::vector<OsImgPoint>{{0, 0}, {1, 0}, {2, 0}, {3, 1}}));
  seen.clear();
  EXPECT_EQ(LineWalk(5, 5, 5, 5, collect), 0);
  EXPECT_EQ(LineWalk(0, 0, static_cast<int>(kMaxWalk) + 1, 3, collect), 0);
  EXPECT_TRUE(seen.empty());
  // Twice 32768 is 0 in sixteen bits: once the error term wraps positive the
  // sideways loop could never end, and the walk gives up there.
  std::int64_t visits = 0;
  EXPECT_EQ(LineWalk(0, 0, 32768, 1, [&](std::int64_t, std::int64_t, std::int64_t) { return ++visits; }),
            32768);
  EXPECT_GT(visits, 16000);
  EXPECT_LT(visits, 32768);
}

TEST_F(PathGeometry, SegmentHitToleranceAndPositionAtZoomOne) {
  TDShape* s = Polyline({{10, 10}, {30, 10}});
  bool hit = false;
  const TDCheck c = Segments(s, 15, 13, &hit);
  ASSERT_TRUE(hit);
  EXPECT_EQ(c.fResult, TDCheck::kSegment);
  EXPECT_EQ(c.fShape, s);
  EXPECT_EQ(c.fUnit, Unit(*s, 0));
  EXPECT_EQ(c.fParam, 0.05f);  // first pixel in the box: x = 11, 1 of 20
  // The square is [m - 4, m + 4): four pixels above the line, three below.
  for (auto [my, expected] : {std::pair{6, false}, {7, true}, {14, true}, {15, false}}) {
    Segments(s, 15, my, &hit);
    EXPECT_EQ(hit, expected) << my;
  }
}

TEST_F(PathGeometry, SegmentHitScalesItsSamplesWithTheZoom) {
  TDShape* s = Polyline({{10, 10}, {30, 10}});
  SetZoom(2.0f);  // view (20, 20) to (60, 20), sampled in two halves
  bool hit = false;
  EXPECT_EQ(Segments(s, 30, 23, &hit).fParam, 0.15f);
  EXPECT_TRUE(hit);
  EXPECT_EQ(Segments(s, 50, 20, &hit).fParam, 0.65f);
  EXPECT_TRUE(hit);

  // A bulging segment with no steps: at zoom 0.5 no sample is taken at all and
  // the chord is tested; at zoom 2 the middle of the curve is sampled.
  TDShape* curve = Polyline({{0, 0}, {40, 0}});
  Unit(*curve, 0)->fDirection1.Set(0, 40);
  Unit(*curve, 1)->fDirection2.Set(40, 40);
  SetZoom(0.5f);
  EXPECT_EQ(Segments(curve, 10, 15, &hit).fShape, nullptr);
  EXPECT_FALSE(hit);
  EXPECT_EQ(Segments(curve, 12, 1, &hit).fParam, 0.4f);  // chord (0,0)-(20,0): x = 8 of 20
  EXPECT_TRUE(hit);
  SetZoom(2.0f);
  Segments(curve, 40, 60, &hit);  // the curve's middle, (20, 30) in the image
  EXPECT_TRUE(hit);
}

TEST_F(PathGeometry, ClosingSegmentAndZeroLengthSegments) {
  TDShape* closed = Polyline({{2, 2}, {20, 2}, {2, 20}}, true);
  bool hit = false;
  const TDCheck c = Segments(closed, 2, 11, &hit);
  EXPECT_TRUE(hit);
  EXPECT_EQ(c.fUnit, Unit(*closed, 2));
  closed->fOpen = 1;
  Segments(closed, 2, 11, &hit);
  EXPECT_FALSE(hit);

  TDShape* dot = Polyline({{10.2f, 10}, {10.7f, 10}});
  Segments(dot, 10, 10, &hit);
  EXPECT_FALSE(hit);
}

TEST_F(PathGeometry, VertexHitsPreferTheAnchor) {
  TDShape* s = Polyline({{10, 10}, {20, 20}});
  TDUnit* u = Unit(*s, 0);
  u->SetState(TDUnit::kBothHandles);
  EXPECT_EQ(UnitPart(s, 10, 10), TDCheck::kAnchor);  // both handles lie on it
  // The vertex square is [m - r, m + r + 1).
  EXPECT_EQ(UnitPart(s, 14, 10), TDCheck::kAnchor);
  EXPECT_EQ(UnitPart(s, 6, 10), TDCheck::kAnchor);
  EXPECT_EQ(UnitPart(s, 5, 10), TDCheck::kNothing);
  u->fDirection1.Set(2, 30);
  u->fDirection2.Set(28, 2);
  EXPECT_EQ(UnitPart(s, 2, 30), TDCheck::kDirection1);
  EXPECT_EQ(UnitPart(s, 28, 2), TDCheck::kDirection2);
  u->SetState(TDUnit::kHandle2);  // handle 1 not shown: not hit
  EXPECT_EQ(UnitPart(s, 2, 30), TDCheck::kNothing);
  EXPECT_EQ(UnitPart(s, 28, 2), TDCheck::kDirection2);
  u->SetState(TDUnit::kFilled);
  EXPECT_EQ(UnitPart(s, 28, 2), TDCheck::kNothing);
  EXPECT_EQ(UnitPart(s, 20, 20), TDCheck::kAnchor);
}

TEST_F(PathGeometry, RectangleSelectionTogglesFiguresAndPicksPoints) {
  TDShape* s = Polyline({{10, 10}, {30, 10}});
  EXPECT_TRUE(s->SelectInRect(15, 5, 20, 12, 0));
  EXPECT_EQ(s->fSelected, 1);
  EXPECT_TRUE(s->SelectInRect(15, 5, 20, 12, 0));
  EXPECT_EQ(s->fSelected, 0);
  EXPECT_FALSE(s->SelectInRect(15, 11, 20, 20, 0));
  EXPECT_FALSE(s->SelectInRect(30, 0, 40, 20, 0));  // the end point is never walked

  TDShape* tri = Polyline({{2, 2}, {20, 2}, {2, 20}}, true);
  EXPECT_TRUE(tri->SelectInRect(0, 0, 5, 5, 1));
  EXPECT_EQ(tri->fSelected, 1);
  EXPECT_EQ(Unit(*tri, 0)->fState, TDUnit::kBothHandles);
  EXPECT_EQ(Unit(*tri, 1)->fState, TDUnit::kOutline);
  EXPECT_EQ(Unit(*tri, 2)->fState, TDUnit::kOutline);
  EXPECT_TRUE(tri->SelectInRect(0, 0, 5, 5, 1));  // picked again: dropped
  EXPECT_EQ(Unit(*tri, 0)->fState, TDUnit::kOutline);
  EXPECT_FALSE(tri->SelectInRect(25, 25, 30, 30, 1));
}

TEST_F(PathGeometry, RegionPointsFollowTheDrawnPolyline) {
  const auto points = [](TDShape* s) {
    const int n = s->CountRegionPoints();
    std::vector<OsImgPoint> buffer(n);
    s->FillRegionPoints(buffer.data());
    EXPECT_EQ(gTraceMode, 0);
    EXPECT_EQ(gTraceCount, 0);
    EXPECT_EQ(gTracePoints, nullptr);
    return buffer;
  };
  TDShape* tri = Polyline({{2, 2}, {20, 2}, {2, 20}}, true);
  EXPECT_EQ(points(tri), (std::vector<OsImgPoint>{{2, 2}, {20, 2}, {2, 20}, {2, 2}}));
  tri->fOpen = 1;  // the chord brings the last anchor a second time
  EXPECT_EQ(points(tri), (std::vector<OsImgPoint>{{2, 2}, {20, 2}, {2, 20}, {2, 20}}));
  EXPECT_EQ(InkCount(), 0);
}

TEST_F(PathGeometry, TraceAppendsWalkedPixelsAndDropsEverythingWhenOutOfMemory) {
  TDShape* s = Polyline({{0, 0}, {3, 0}, {3, 2}}, true);  // closing segment not traced
  OsImgPoint* list = nullptr;
  int count = 0;
  ASSERT_TRUE(s->AppendTrace(&list, &count));
  ASSERT_EQ(count, 5);
  EXPECT_EQ(std::vector<OsImgPoint>(list, list + count),
            (std::vector<OsImgPoint>{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 1}}));

  OsClearBeeps();
  OsFailAllocationsAfter(2);
  EXPECT_FALSE(s->AppendTrace(&list, &count));
  OsFailAllocationsAfter(-1);
  EXPECT_EQ(list, nullptr);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(OsGetBeeps(), (std::vector<unsigned>{0}));
}

TEST(TrackerGeometry, AnglesRatiosAndDistances) {
  EXPECT_DOUBLE_EQ(AngleBetween(0, 0, 1, 0, 0, 1), M_PI / 2);  // downwards on the screen
  EXPECT_DOUBLE_EQ(AngleBetween(0, 0, 1, 0, 0, -1), -M_PI / 2);
  EXPECT_DOUBLE_EQ(AngleBetween(0, 0, 0, -3, -5, 0), M_PI - (-M_PI / 2));
  EXPECT_EQ(AngleBetween(2, 2, 2, 2, 5, 5), 0.0);

  EXPECT_EQ(DistanceRatio(0, 0, 2, 0, 0, 4), 2.0);
  EXPECT_EQ(DistanceRatio(0, 0, 0.05f, 0.05f, 3, 3), -1.0);

  float d = 0.0f;
  EXPECT_TRUE(Distance(0, 0, 3, 4, 5, &d));
  EXPECT_EQ(d, 5.0f);
  EXPECT_FALSE(Distance(0, 0, 3, 4, 6, &d));
}

}  // namespace
