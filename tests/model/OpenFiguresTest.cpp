// Lines, free-hand strokes and multi-lines as they are drawn.

#include <tuple>
#include <vector>

#include "FigureFixture.h"
#include "OsRuntime.h"
#include "model/TDFreeLine.h"
#include "model/TDLine.h"
#include "model/TDMuLine.h"

namespace {

class OpenFigures : public FigureFixture {
 protected:
  template <typename Figure>
  Figure* Start(int x, int y) {
    auto* f = new Figure;
    EXPECT_TRUE(f->Begin(&fContainer, x, y));
    fContainer.AddObject(f);
    fContainer.fDrawing = f;
    return f;
  }
  // Pressed at the first point, dragged through the others, released at the last.
  TDFreeLine* Stroke(const std::vector<OsImgPoint>& points) {
    OsImgPoint press = points.front(), last = points.back();
    auto* f = Start<TDFreeLine>(press.x, press.y);
    for (OsImgPoint p : points) f->Track(1, &press, &p);
    f->Track(2, &press, &last);
    return f;
  }
  static void Click(TDShape* f, OsImgPoint at) {
    f->Track(1, &at, &at);
    f->Track(0, &at, &at);
  }
};

// Within 16 view pixels of the start on both axes the last sample is dropped
// and the stroke closes.
TEST_F(OpenFigures, FreeHandStrokeReleasedNearItsStartCloses) {
  const struct {
    float zoom;
    int size;
    OsImgPoint end;
    const char* expected;  // open or closed, the vertices' markers, the last anchor
  } cases[] = {
      {1, 40, {15, 15}, "closed 222 40,40"}, {1, 40, {16, 15}, "open 2222 16,15"}, {1, 40, {15, 16}, "open 2222 15,16"},
      {2, 80, {15, 15}, "closed 222 40,40"}, {2, 80, {16, 15}, "open 2222 8,7.5"},
  };
  for (const auto& c : cases) {
    SetZoom(c.zoom);
    const TDFreeLine* s = Stroke({{0, 0}, {c.size, 0}, {c.size, c.size}, c.end});
    EXPECT_EQ((s->fOpen ? "open " : "closed ") + States(*s) + " " + PointText(s->LastUnit()->fAnchor), c.expected);
  }
}

// Samples are kept more than 20 view pixels apart; a sample more than 2 pixels
// off the chord of its neighbours gets handles on the tangent.
TEST_F(OpenFigures, FreeHandStrokeIsSampledAndSmoothed) {
  const struct {
    float zoom;
    std::vector<OsImgPoint> stroke;
    const char* path;
  } cases[] = {
      {2,
       {{0, 0}, {10, 10}, {20, 20}, {30, 30}, {40, 40}, {50, 50}, {60, 60}, {70, 70}, {80, 80}, {90, 90}},
       "open (0,0) (15,15) (30,30) (45,45)"},
      {1, {{0, 0}, {30, 2}, {60, 0}}, "open (0,0) (30,2) (60,0)"},
      {1, {{0, 0}, {30, 3}, {60, 0}}, "open (0,0) (30,3 40.049877,3 19.950123,3) (60,0)"},
      // Level chord; both neighbours are 30 sqrt 2 away, so each handle is
      // 10 sqrt 2 = 14.1421356 long. The third sample mirrors the second.
      {1,
       {{0, 0}, {30, 30}, {60, 0}, {90, 30}},
       "open (0,0) (30,30 44.142136,30 15.857864,30) (60,0 74.142136,0 45.857864,0) (90,30)"},
      {1, {{60, 0}, {30, 30}, {0, 0}}, "open (60,0) (30,30 15.857864,30 44.142136,30) (0,0)"},
      // Chord of slope 1, neighbours 30 away: 10 along it, 10 / sqrt 2 per axis.
      {1, {{0, 0}, {0, 30}, {30, 30}}, "open (0,0) (0,30 7.071068,37.071068 -7.071068,22.928932) (30,30)"},
      // A vertical chord uses the outgoing length twice: |(-30, 72)| / 3 = 26.
      {1, {{0, 0}, {30, 40}, {0, 112}}, "open (0,0) (30,40 30,66 30,14) (0,112)"},
      {1, {{0, 112}, {30, 72}, {0, 0}}, "open (0,112) (30,72 30,46 30,98) (0,0)"},
  };
  for (const auto& c : cases) {
    SetZoom(c.zoom);
    EXPECT_EQ(PathText(*Stroke(c.stroke)), c.path);
  }
  // Segment 1 of the level case bulges by the triangle (30,30) (44.14,30) (0,0),
  // area 212.13: trunc(sqrt(212.13 * 1.41421) + 0.5) / 5 = 3.
  EXPECT_EQ(Unit(*Stroke(cases[3].stroke), 0)->fSteps, 3);
}

// At zoom 2 the first vertex sits at view (20, 20): the box is [16, 24).
TEST_F(OpenFigures, MultiLineClosesOnlyOnAClickNearItsFirstVertex) {
  TDMuLine* lone = Start<TDMuLine>(10, 10);
  Click(lone, {10, 10});  // a lone vertex cannot be closed on
  EXPECT_TRUE(lone->UnitCount() == 2 && lone->fCurrent == Unit(*lone, 1) && fContainer.fDrawing == lone);
  SetZoom(2.0f);
  TDMuLine* m = Start<TDMuLine>(20, 20);
  for (OsImgPoint p : std::initializer_list<OsImgPoint>{{20, 20}, {80, 20}, {80, 60}, {24, 20}, {20, 24}}) Click(m, p);
  EXPECT_EQ(m->UnitCount(), 6);
  Click(m, {16, 23});
  EXPECT_EQ(PathText(*m) + " " + States(*m), "closed (10,10) (40,10) (40,30) (12,10) (10,12) (8,11.5) 222222");
  EXPECT_TRUE(m->fCurrent == Unit(*m, 0) && fContainer.fDrawing == nullptr);
}

// Each vertex is two allocations, the vertex and its list entry.
TEST_F(OpenFigures, BeginWithoutMemory) {
  for (int n = 0; n <= 4; ++n) {
    TDLine line;
    TDMuLine multi;
    OsFailAllocationsAfter(n);
    const bool lineBegun = line.Begin(&fContainer, 0, 0);
    OsFailAllocationsAfter(n);
    const bool multiBegun = multi.Begin(&fContainer, 0, 0);
    OsFailAllocationsAfter(-1);
    EXPECT_EQ(std::tuple(lineBegun, multiBegun, multi.fCurrent != nullptr), std::tuple(n >= 4, n >= 2, n >= 2)) << n;
  }
  // A stroke whose first sample is lost starts with the next one.
  auto* f = new TDFreeLine;
  fContainer.AddObject(f);
  OsFailAllocationsAfter(0);
  EXPECT_TRUE(f->Begin(&fContainer, 0, 0));
  OsFailAllocationsAfter(-1);
  OsImgPoint press{0, 0}, to{21, 0};
  f->Track(1, &press, &to);
  EXPECT_EQ(PathText(*f), "open (21,0)");
}

}  // namespace
