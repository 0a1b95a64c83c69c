// Lines, free-hand strokes, multi-lines and pen paths as they are drawn.

#include <vector>

#include "FigureFixture.h"
#include "OsRuntime.h"
#include "model/TDFreeLine.h"
#include "model/TDLine.h"
#include "model/TDMuLine.h"
#include "model/TDPen.h"

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
    OsImgPoint press = points.front();
    auto* f = Start<TDFreeLine>(press.x, press.y);
    for (OsImgPoint p : points) f->Track(1, &press, &p);
    OsImgPoint last = points.back();
    f->Track(2, &press, &last);
    return f;
  }
  static void Click(TDShape* f, OsImgPoint at) { f->Track(0, &at, &at); }
  static void Drag(TDShape* f, OsImgPoint from, OsImgPoint to) { f->Track(1, &from, &to); }
  static std::string States(const TDShape& s) {
    std::string out;
    for (int i = 0; i < s.UnitCount(); ++i) out += std::to_string(Unit(s, i)->fState);
    return out;
  }
};

TEST_F(OpenFigures, LineFollowsTheMouseWithItsFarEnd) {
  SetZoom(2.0f);
  TDLine* line = Start<TDLine>(10, 10);
  EXPECT_EQ(PathText(*line), "open (5,5) (5,5)");
  EXPECT_EQ(States(*line), "22");
  EXPECT_EQ(line->fSelected + line->fBusy, 2);
  EXPECT_EQ(Unit(*line, 0)->fSteps, 0);
  Drag(line, {10, 10}, {30, 21});
  EXPECT_EQ(PathText(*line), "open (5,5) (15,10.5)");
  OsImgPoint press{10, 10}, release{31, 21};
  line->Track(2, &press, &release);
  EXPECT_EQ(PathText(*line), "open (5,5) (15.5,10.5)");
}

TEST_F(OpenFigures, FreeHandKeepsSamplesMoreThanTwentyViewPixelsApart) {
  // Each kept sample is more than 20 pixels from the one before along x or y.
  TDFreeLine* f = Start<TDFreeLine>(0, 0);
  for (OsImgPoint p :
       std::vector<OsImgPoint>{{10, 10}, {20, 20}, {21, 3}, {31, 13}, {41, 23}, {41, 24}})
    Drag(f, {0, 0}, p);
  EXPECT_EQ(PathText(*f), "open (0,0) (21,3) (41,24)");
  EXPECT_EQ(States(*f), "666");

  // At zoom 2 the threshold is 10 image units: still 20 view pixels.
  SetZoom(2.0f);
  TDFreeLine* zoomed = Start<TDFreeLine>(0, 0);
  for (int x = 10; x <= 120; x += 10) Drag(zoomed, {0, 0}, {x, x});
  EXPECT_EQ(PathText(*zoomed), "open (0,0) (15,15) (30,30) (45,45) (60,60)");
}

TEST_F(OpenFigures, FreeHandReleasedNearItsStartCloses) {
  TDFreeLine* closed = Stroke({{0, 0}, {40, 0}, {40, 40}, {15, 15}});
  EXPECT_EQ(closed->fOpen, 0);
  ASSERT_EQ(closed->UnitCount(), 3);
  EXPECT_EQ(PointText(Unit(*closed, 2)->fAnchor) + " " + States(*closed), "40,40 222");

  for (OsImgPoint end : {OsImgPoint{16, 15}, OsImgPoint{15, 16}}) {
    TDFreeLine* open = Stroke({{0, 0}, {40, 0}, {40, 40}, end});
    EXPECT_EQ(open->fOpen, 1);
    EXPECT_EQ(open->UnitCount(), 4);
  }

  // At zoom 2 "near" is 8 image units (16 view pixels).
  SetZoom(2.0f);
  EXPECT_EQ(Stroke({{0, 0}, {80, 0}, {80, 80}, {15, 15}})->fOpen, 0);
  EXPECT_EQ(Stroke({{0, 0}, {80, 0}, {80, 80}, {16, 15}})->fOpen, 1);
}

TEST_F(OpenFigures, FreeHandSmoothingLeavesNearlyStraightSamplesAsCorners) {
  // (30, 2) is within 2 pixels of the line from (0, 0) to (60, 0); (30, 3) is not.
  TDFreeLine* straight = Stroke({{0, 0}, {30, 2}, {60, 0}});
  EXPECT_EQ(PathText(*straight), "open (0,0) (30,2) (60,0)");
  EXPECT_TRUE(Unit(*Stroke({{0, 0}, {30, 3}, {60, 0}}), 1)->fDirection1.Differs(30.0f, 3.0f));
}

TEST_F(OpenFigures, FreeHandSmoothingPutsHandlesOnTheTangent) {
  // Chord (0,0) -> (60,0) is level; both neighbours are 30 sqrt 2 away, so each
  // handle is 10 sqrt 2 = 14.1421356 long, pointing towards its neighbour. The
  // third sample is the mirror image one step on.
  TDFreeLine* f = Stroke({{0, 0}, {30, 30}, {60, 0}, {90, 30}});
  EXPECT_EQ(PathText(*f),
            "open (0,0) (30,30 44.142136,30 15.857864,30) (60,0 74.142136,0 45.857864,0) (90,30)");
  // Segment 1 bulges by the triangle (30,30) (44.14,30) (0,0), area 212.13:
  // trunc(sqrt(212.13 * 1.41421) + 0.5) / 5 = 3.
  EXPECT_EQ(Unit(*f, 0)->fSteps, 3);
  EXPECT_EQ(PathText(*Stroke({{60, 0}, {30, 30}, {0, 0}})),
            "open (60,0) (30,30 15.857864,30 44.142136,30) (0,0)");

  // Chord (0,0) -> (30,30), slope 1; both neighbours 30 away, so each handle is
  // 10 long along the slope: 10 / sqrt 2 = 7.0710678 on each axis.
  EXPECT_EQ(PathText(*Stroke({{0, 0}, {0, 30}, {30, 30}})),
            "open (0,0) (0,30 7.071068,37.071068 -7.071068,22.928932) (30,30)");
}

TEST_F(OpenFigures, FreeHandSmoothingOnAVerticalChordUsesTheOutgoingLengthTwice) {
  // |B - M| = |(-30, 72)| = 78, a third of it 26; |M - A| = 50 is not used.
  EXPECT_EQ(PathText(*Stroke({{0, 0}, {30, 40}, {0, 112}})),
            "open (0,0) (30,40 30,66 30,14) (0,112)");
  EXPECT_EQ(PathText(*Stroke({{0, 112}, {30, 72}, {0, 0}})),
            "open (0,112) (30,72 30,46 30,98) (0,0)");
}

TEST_F(OpenFigures, MultiLineClosesOnlyOnAClickNearItsFirstVertex) {
  TDMuLine* lone = Start<TDMuLine>(10, 10);
  Click(lone, {10, 10});
  EXPECT_EQ(lone->fOpen, 1);
  EXPECT_EQ(lone->UnitCount(), 2);
  EXPECT_EQ(lone->fCurrent, Unit(*lone, 1));
  EXPECT_EQ(fContainer.fDrawing, lone);

  // At zoom 2 the first vertex sits at view (20, 20): the box is [16, 24).
  SetZoom(2.0f);
  TDMuLine* m = Start<TDMuLine>(20, 20);
  Click(m, {20, 20});
  for (OsImgPoint p : {OsImgPoint{80, 20}, OsImgPoint{80, 60}, OsImgPoint{24, 20}}) {
    Drag(m, p, p);
    Click(m, p);
  }
  EXPECT_EQ(m->fOpen, 1);  // (24, 20) is just outside
  EXPECT_EQ(m->UnitCount(), 5);
  Drag(m, {24, 20}, {16, 23});
  Click(m, {16, 23});
  EXPECT_EQ(PathText(*m), "closed (10,10) (40,10) (40,30) (12,10) (8,11.5)");
  EXPECT_EQ(States(*m), "22222");
  EXPECT_EQ(m->fCurrent, Unit(*m, 0));
  EXPECT_EQ(fContainer.fDrawing, nullptr);
}

TEST_F(OpenFigures, PenDragPullsSymmetricHandlesAndClosesOnTheFirstVertex) {
  TDPen* pen = Start<TDPen>(10, 10);
  Click(pen, {10, 10});
  Drag(pen, {10, 10}, {20, 10});
  EXPECT_EQ(PathText(*pen), "open (10,10 20,10 0,10)");
  EXPECT_EQ(States(*pen), "3");
  Click(pen, {40, 10});
  EXPECT_EQ(States(*pen), "43");
  EXPECT_EQ(Unit(*pen, 1)->fSteps, 10);
  Drag(pen, {40, 10}, {40, 20});
  EXPECT_EQ(PathText(*pen), "open (10,10 20,10 0,10) (40,10 40,20 40,0)");
  // Bulge of (40,10) (40,20) (0,10) (10,10): area 200, trunc(sqrt(282.8) + 0.5) / 5.
  EXPECT_EQ(Unit(*pen, 0)->fSteps, 3);

  Click(pen, {14, 10});  // just outside the box [6, 14)
  EXPECT_EQ(pen->UnitCount(), 3);
  Click(pen, {6, 13});
  EXPECT_EQ(pen->fOpen, 0);
  EXPECT_EQ(States(*pen), "322");
  EXPECT_EQ(pen->fCurrent, Unit(*pen, 0));
  EXPECT_EQ(fContainer.fDrawing, nullptr);
}

TEST_F(OpenFigures, ClonesKeepTheirClassOnlyForClickByClickFigures) {
  TDLine* line = Start<TDLine>(2, 3);
  Drag(line, {2, 3}, {12, 9});
  TDShape* plain = line->Clone();
  ASSERT_NE(plain, nullptr);
  EXPECT_STREQ(plain->GetRuntimeClass()->m_lpszClassName, "TDShape");
  EXPECT_TRUE(plain->IsEqual(line));
  delete plain;

  TDPen* pen = Start<TDPen>(10, 10);
  Click(pen, {10, 10});
  Drag(pen, {10, 10}, {20, 10});
  Click(pen, {40, 10});
  OsImgRect bounds;
  pen->CalcBounds(bounds);
  TDShape* copy = pen->Clone();
  ASSERT_NE(copy, nullptr);
  EXPECT_STREQ(copy->GetRuntimeClass()->m_lpszClassName, "TDPen");
  EXPECT_EQ(static_cast<TDPen*>(copy)->fCurrent, nullptr);
  EXPECT_TRUE(copy->IsEqual(pen));
  EXPECT_EQ(copy->fBounds, pen->fBounds);
  EXPECT_EQ(copy->fSelected, 1);
  EXPECT_EQ(States(*copy), "43");
  delete copy;
}

TEST_F(OpenFigures, BeginWithoutMemory) {
  // Each vertex is two allocations: the vertex and its list entry.
  for (int n = 0; n <= 4; ++n) {
    auto* line = new TDLine;
    OsFailAllocationsAfter(n);
    EXPECT_EQ(line->Begin(&fContainer, 0, 0), n >= 4) << n;
    OsFailAllocationsAfter(-1);
    delete line;

    auto* m = new TDMuLine;
    OsFailAllocationsAfter(n);
    EXPECT_EQ(m->Begin(&fContainer, 0, 0), n >= 2) << n;
    OsFailAllocationsAfter(-1);
    EXPECT_EQ(m->fCurrent == nullptr, n < 2);
    delete m;
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
