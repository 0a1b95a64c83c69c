// Hit tests, rectangle selection, region points, traces and the trackers' geometry.

#include <cmath>
#include <tuple>
#include <vector>

#include "FigureFixture.h"
#include "OsPlatformHost.h"
#include "OsRuntime.h"
#include "model/LineWalk.h"

namespace {

class PathGeometry : public FigureFixture {
 protected:
  // The position along the segment hit, or -1 for no hit; fLast has the rest.
  float Hit(TDShape* s, int mx, int my) {
    fLast = TDCheck{.fFlags = TDCheck::kSegments, .fTolerance = 4.0f};
    return s->CheckSegments(mx, my, &fLast, &fView.GetZoom()) ? fLast.fParam : -1.0f;
  }
  // The vertex part hit at each point, as TDCheck numbers.
  std::string UnitParts(TDShape* s, std::initializer_list<OsImgPoint> at) {
    std::string out;
    for (OsImgPoint p : at) {
      TDCheck check{.fFlags = TDCheck::kAnchor | TDCheck::kDirection1 | TDCheck::kDirection2, .fTolerance = 4.0f};
      s->CheckUnits(p.x, p.y, &check, &fView.GetZoom());
      out += std::to_string(check.fResult) + " ";
    }
    return out;
  }
  TDCheck fLast;
};

TEST(LineWalk, NeverVisitsTheEndPoint) {
  std::vector<OsImgPoint> seen;
  const auto collect = [&](std::int64_t x, std::int64_t y, std::int64_t) {
    seen.push_back({static_cast<int>(x), static_cast<int>(y)});
    return true;
  };
  EXPECT_EQ(LineWalk(0, 0, 4, 1, collect), 4);
  EXPECT_EQ(seen, (std::vector<OsImgPoint>{{0, 0}, {1, 0}, {2, 0}, {3, 1}}));
  EXPECT_EQ(LineWalk(5, 5, 5, 5, collect) + LineWalk(0, 0, static_cast<int>(kMaxWalk) + 1, 3, collect), 0);
  EXPECT_EQ(seen.size(), 4u);
}

// The box round the click is [m - 4, m + 4): four pixels above a line, three
// below; the position is that of the first pixel of the walk in it.
TEST_F(PathGeometry, SegmentHitsAtTheFirstWalkedPixelInTheBox) {
  TDShape* line = Polyline({{10, 10}, {30, 10}});
  TDShape* curve = Curve({{{0, 0}, {0, 40}, {0, 0}}, {{40, 0}, {40, 0}, {40, 40}}});  // no steps
  TDShape* closed = Polyline({{2, 2}, {20, 2}, {2, 20}}, true);
  TDShape* open = Polyline({{2, 2}, {20, 2}, {2, 20}});
  TDShape* dot = Polyline({{10.2f, 10}, {10.7f, 10}});
  const struct {
    TDShape* s;
    float zoom;
    OsImgPoint at;
    const char* t;
  } cases[] = {
      {line, 1, {15, 6}, "-1"},
      {line, 1, {15, 7}, "0.05"},
      {line, 1, {15, 14}, "0.05"},
      {line, 1, {15, 15}, "-1"},
      {line, 2, {30, 23}, "0.15"},
      {line, 2, {50, 20}, "0.65"},  // sampled in two halves
      // No sample of the curve is taken at zoom 0.5, where its chord is tested;
      // at zoom 2 its middle, (20, 30) in the image, is sampled.
      {curve, 0.5f, {10, 15}, "-1"},
      {curve, 0.5f, {12, 1}, "0.4"},
      {curve, 2, {40, 60}, "0.46666667"},
      {open, 1, {2, 11}, "-1"},
      {dot, 1, {10, 10}, "-1"},  // zero length
      {closed, 1, {2, 11}, "0.33333334"},
  };
  for (const auto& c : cases) {
    SetZoom(c.zoom);
    EXPECT_EQ(FloatText(Hit(c.s, c.at.x, c.at.y)), c.t) << PathText(*c.s) << " at " << c.at.x << "," << c.at.y;
  }
  // The last row hits the closing segment, which starts at the last vertex.
  EXPECT_EQ(std::tuple(fLast.fResult, fLast.fShape, fLast.fUnit),
            std::tuple(int{TDCheck::kSegment}, closed, Unit(*closed, 2)));
}

TEST_F(PathGeometry, VertexHitsPreferTheAnchorAndSeeOnlyShownHandles) {
  TDShape* s = Polyline({{10, 10}, {20, 20}});
  TDUnit* u = Unit(*s, 0);
  u->SetState(TDUnit::kBothHandles);
  // The vertex square is [m - r, m + r + 1); both handles lie on the anchor.
  EXPECT_EQ(UnitParts(s, {{10, 10}, {14, 10}, {6, 10}, {5, 10}, {10, 5}}), "2 2 2 -1 -1 ");
  u->fDirection1.Set(2, 30);
  u->fDirection2.Set(28, 2);
  std::string seen;
  for (int state : {TDUnit::kBothHandles, TDUnit::kHandle1, TDUnit::kHandle2, TDUnit::kFilled}) {
    u->SetState(static_cast<std::uint8_t>(state));
    seen += UnitParts(s, {{2, 30}, {28, 2}, {20, 20}}) + "| ";
  }
  EXPECT_EQ(seen, "4 8 2 | 4 -1 2 | -1 8 2 | -1 -1 2 | ");
}

TEST_F(PathGeometry, RectangleSelectionTogglesFiguresAndPicksPoints) {
  TDShape* s = Polyline({{10, 10}, {30, 10}});
  EXPECT_FALSE(s->SelectInRect(30, 0, 40, 20, 0));  // the end point is never walked
  EXPECT_TRUE(s->SelectInRect(29, 0, 40, 20, 0));
  EXPECT_EQ(s->fSelected, 1);

  TDShape* tri = Polyline({{2, 2}, {20, 2}, {2, 20}}, true);
  EXPECT_TRUE(tri->SelectInRect(0, 0, 5, 5, 1));
  EXPECT_EQ(States(*tri) + std::to_string(tri->fSelected), "3111");
  EXPECT_TRUE(tri->SelectInRect(0, 0, 5, 5, 1));  // picked again: dropped
  EXPECT_EQ(States(*tri), "111");
  EXPECT_FALSE(tri->SelectInRect(25, 25, 30, 30, 1));
  // Only the closing segment, (2, 20) back to (2, 2), crosses this rectangle.
  EXPECT_TRUE(tri->SelectInRect(0, 8, 4, 12, 0));
  EXPECT_FALSE(Polyline({{2, 2}, {20, 2}, {2, 20}})->SelectInRect(0, 8, 4, 12, 0));
}

// Closed figures are pinned by the region replay; an open one's chord brings the last anchor again.
TEST_F(PathGeometry, RegionPointsFollowTheDrawnPolyline) {
  TDShape* s = Polyline({{2, 2}, {20, 2}, {2, 20}});
  std::vector<OsImgPoint> points(s->CountRegionPoints());
  s->FillRegionPoints(points.data());
  EXPECT_EQ(points, (std::vector<OsImgPoint>{{2, 2}, {20, 2}, {2, 20}, {2, 20}}));
  EXPECT_EQ(std::tuple(gTraceMode, gTraceCount, gTracePoints), std::tuple(0, 0, static_cast<OsImgPoint*>(nullptr)));
  EXPECT_EQ(InkCount(), 0);
}

// The pixels traced are pinned by the trace replay.
TEST_F(PathGeometry, TraceOutOfMemoryDropsEverything) {
  TDShape* s = Polyline({{0, 0}, {3, 0}, {3, 2}}, true);
  OsImgPoint* list = nullptr;
  int count = 0;
  ASSERT_TRUE(s->AppendTrace(&list, &count));
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
