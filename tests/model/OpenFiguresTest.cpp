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
  // A free-hand stroke pressed at the first point, dragged through the others
  // and released at the last.
  TDFreeLine* Stroke(const std::vector<OsImgPoint>& points) {
    OsImgPoint press = points.front(), last = points.back();
    auto* f = Start<TDFreeLine>(press.x, press.y);
    for (OsImgPoint p : points) f->Track(1, &press, &p);
    f->Track(2, &press, &last);
    return f;
  }
  static void Click(TDShape* f, OsImgPoint at) { f->Track(0, &at, &at); }
  static void Drag(TDShape* f, OsImgPoint from, OsImgPoint to) { f->Track(1, &from, &to); }
  static std::string Kind(const TDShape& s) {
    return (s.fOpen ? "open " : "closed ") + std::to_string(s.UnitCount()) + " ";
  }
};

TEST_F(OpenFigures, FreeHandKeepsSamplesMoreThanTwentyViewPixelsApart) {
  // At zoom 2 the threshold is 10 image units: still 20 view pixels.
  SetZoom(2.0f);
  TDFreeLine* zoomed = Start<TDFreeLine>(0, 0);
  for (int x = 10; x <= 120; x += 10) Drag(zoomed, {0, 0}, {x, x});
  EXPECT_EQ(PathText(*zoomed), "open (0,0) (15,15) (30,30) (45,45) (60,60)");
}

TEST_F(OpenFigures, FreeHandReleasedNearItsStartCloses) {
  // Near: less than 16 view pixels on both axes, the last sample then dropped.
  TDFreeLine* closed = Stroke({{0, 0}, {40, 0}, {40, 40}, {15, 15}});
  EXPECT_EQ(PointText(Unit(*closed, 2)->fAnchor) + " " + States(*closed), "40,40 222");
  std::string kinds;
  for (OsImgPoint end : std::initializer_list<OsImgPoint>{{16, 15}, {15, 16}})
    kinds += Kind(*Stroke({{0, 0}, {40, 0}, {40, 40}, end}));
  SetZoom(2.0f);  // 8 image units
  for (OsImgPoint end : std::initializer_list<OsImgPoint>{{15, 15}, {16, 15}})
    kinds += Kind(*Stroke({{0, 0}, {80, 0}, {80, 80}, end}));
  EXPECT_EQ(Kind(*closed) + kinds, "closed 3 open 4 open 4 closed 3 open 4 ");
}

TEST_F(OpenFigures, FreeHandSmoothingPutsHandlesOnTheTangent) {
  const struct {
    std::vector<OsImgPoint> stroke;
    const char* path;
  } cases[] = {
      // (30, 2) is within 2 pixels of the chord from (0, 0) to (60, 0): a corner.
      {{{0, 0}, {30, 2}, {60, 0}}, "open (0,0) (30,2) (60,0)"},
      // Level chord; both neighbours are 30 sqrt 2 away, so each handle is
      // 10 sqrt 2 = 14.1421356 long. The third sample mirrors the second.
      {{{0, 0}, {30, 30}, {60, 0}, {90, 30}},
       "open (0,0) (30,30 44.142136,30 15.857864,30) (60,0 74.142136,0 45.857864,0) (90,30)"},
      {{{60, 0}, {30, 30}, {0, 0}}, "open (60,0) (30,30 15.857864,30 44.142136,30) (0,0)"},
      // Chord of slope 1, neighbours 30 away: 10 along it, 10 / sqrt 2 per axis.
      {{{0, 0}, {0, 30}, {30, 30}}, "open (0,0) (0,30 7.071068,37.071068 -7.071068,22.928932) (30,30)"},
      // A vertical chord uses the outgoing length twice: |(-30, 72)| / 3 = 26.
      {{{0, 0}, {30, 40}, {0, 112}}, "open (0,0) (30,40 30,66 30,14) (0,112)"},
      {{{0, 112}, {30, 72}, {0, 0}}, "open (0,112) (30,72 30,46 30,98) (0,0)"},
  };
  for (const auto& c : cases) EXPECT_EQ(PathText(*Stroke(c.stroke)), c.path);
  EXPECT_TRUE(Unit(*Stroke({{0, 0}, {30, 3}, {60, 0}}), 1)->fDirection1.Differs(30.0f, 3.0f));
  // Segment 1 of the level case bulges by the triangle (30,30) (44.14,30) (0,0),
  // area 212.13: trunc(sqrt(212.13 * 1.41421) + 0.5) / 5 = 3.
  EXPECT_EQ(Unit(*Stroke(cases[1].stroke), 0)->fSteps, 3);
}

TEST_F(OpenFigures, MultiLineClosesOnlyOnAClickNearItsFirstVertex) {
  TDMuLine* lone = Start<TDMuLine>(10, 10);
  Click(lone, {10, 10});
  EXPECT_EQ(Kind(*lone), "open 2 ");
  EXPECT_EQ(lone->fCurrent, Unit(*lone, 1));
  EXPECT_EQ(fContainer.fDrawing, lone);

  // At zoom 2 the first vertex sits at view (20, 20): the box is [16, 24).
  SetZoom(2.0f);
  TDMuLine* m = Start<TDMuLine>(20, 20);
  Click(m, {20, 20});
  for (OsImgPoint p : std::initializer_list<OsImgPoint>{{80, 20}, {80, 60}, {24, 20}, {20, 24}}) {
    Drag(m, p, p);
    Click(m, p);
  }
  EXPECT_EQ(Kind(*m), "open 6 ");  // (24, 20) and (20, 24) are just outside
  Drag(m, {20, 24}, {16, 23});
  Click(m, {16, 23});
  EXPECT_EQ(PathText(*m) + " " + States(*m), "closed (10,10) (40,10) (40,30) (12,10) (10,12) (8,11.5) 222222");
  EXPECT_EQ(m->fCurrent, Unit(*m, 0));
  EXPECT_EQ(fContainer.fDrawing, nullptr);
}

TEST_F(OpenFigures, BeginWithoutMemory) {
  // Each vertex is two allocations, the vertex and its list entry: a line needs
  // four, a multi-line two.
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
  Drag(f, {0, 0}, {21, 0});
  EXPECT_EQ(PathText(*f), "open (21,0)");
}

}  // namespace
