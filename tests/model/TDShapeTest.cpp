// The figure base: vertices, markers, drawing, bounds, steps, selection,
// transforms and copies.

#include "FigureFixture.h"
#include "OsRuntime.h"
#include "model/Segment.h"
#include "model/TDRectangle.h"

namespace {

class TDShapeTest : public FigureFixture {};

TEST_F(TDShapeTest, MarkersOfEveryState) {
  UseScreen(16, 12);
  TDShape* s = Polyline({{4, 4}, {12, 10}});
  TDUnit* u = Unit(*s, 0);
  u->fDirection1.Set(10, 4);
  u->fDirection2.Set(4, 9);
  const auto draw = [&](int state) {
    ClearRaster();
    s->SetUnitState(state, u);
    return Art();
  };

  EXPECT_EQ(draw(TDUnit::kOutline), Rows({"................", "................",
                                          "..#####.........", "..#...#.........",
                                          "..#...#.........", "..#...#.........",
                                          "..#####.........", "................",
                                          "................", "................",
                                          "................", "................"}));
  EXPECT_EQ(u->fSelected, 0);
  EXPECT_EQ(draw(TDUnit::kBothHandles), Rows({"................", "................",
                                              "..#####.#####...", "..#####.#####...",
                                              "..###########...", "..#####.#####...",
                                              "..#####.#####...", "..#####.........",
                                              "..#####.........", "..#####.........",
                                              "..#####.........", "..#####........."}));
  EXPECT_EQ(u->fSelected, 1);
  EXPECT_EQ(draw(TDUnit::kCross), Rows({"....#...........", "....#...........",
                                        "....#...........", "....#...........",
                                        "#########.......", "....#...........",
                                        "....#...........", "....#...........",
                                        "....#...........", "................",
                                        "................", "................"}));
  EXPECT_EQ(u->fSelected, 0);

  draw(TDUnit::kFilled);
  EXPECT_EQ(InkCount(), 25);
  draw(TDUnit::kHandle1);
  EXPECT_EQ(InkCount(), 25 + 25 + 1);  // the handle line bridges the gap between the boxes
  EXPECT_TRUE(Ink(11, 4));
  draw(TDUnit::kHandle2);
  EXPECT_EQ(InkCount(), 50);
  EXPECT_TRUE(Ink(4, 9) && !Ink(11, 4));
  EXPECT_EQ(u->fSelected, 1);

  EXPECT_EQ(draw(TDUnit::kHidden), Rows({"................", "................", "................",
                                         "................", "................", "................",
                                         "................", "................", "................",
                                         "................", "................", "................"}));
  EXPECT_EQ(gSketchDirty, 1);  // nothing drawn, but the raster must be rebuilt
  EXPECT_EQ(u->fSelected, 0);
  u->SetState(TDUnit::kFilled);
  draw(7);  // beyond the table: nothing drawn, selection as it was
  EXPECT_EQ(InkCount(), 0);
  EXPECT_EQ(u->fSelected, 1);
}

TEST_F(TDShapeTest, PathDrawingClosesOnlyClosedFiguresOrWithTheChord) {
  UseScreen(16, 12);
  const auto pathArt = [&](bool closed, int omitChord) {
    fContainer.DeleteAll();
    TDShape* s = Polyline({{2, 2}, {12, 2}, {2, 9}}, closed);
    ClearRaster();
    s->Draw(TDShape::kDrawPath, 1, nullptr, omitChord);
    return Art();
  };
  const std::string closed = pathArt(true, 1);
  EXPECT_TRUE(Ink(2, 5) && Ink(7, 2));
  const std::string open = pathArt(false, 1);
  EXPECT_FALSE(Ink(2, 5));
  EXPECT_TRUE(Ink(2, 2) && Ink(2, 9) && Ink(7, 2));
  EXPECT_EQ(pathArt(false, 0), closed);  // the chord closes it for region building
  EXPECT_EQ(pathArt(true, 0), closed);   // a closed figure has no chord to add
  EXPECT_NE(open, closed);
}

TEST_F(TDShapeTest, OneVertexFigureHasNoBoundsAndDrawsOnlyItsMarker) {
  TDShape* s = Polyline({{10, 10}});
  EXPECT_EQ(s->fBounds, TDShape::kNoBounds);
  Unit(*s, 0)->SetState(TDUnit::kFilled);
  ClearRaster();
  s->DrawAll();
  EXPECT_EQ(InkCount(), 25);
  TDCheck check;
  check.fFlags = TDCheck::kAnchor;
  check.fTolerance = 4.0f;
  EXPECT_FALSE(s->CheckSegments(10, 10, &check, nullptr));
  EXPECT_FALSE(s->CheckUnits(10, 10, &check, nullptr));
  EXPECT_FALSE(s->SelectInRect(0, 0, 32, 24, 0));
  EXPECT_FALSE(s->SelectInRect(0, 0, 32, 24, 1));
}

TEST_F(TDShapeTest, BoundsFollowTheCurveAndTruncateTowardZero) {
  TDShape* s = Polyline({{0, 0}, {40, 0}});
  Unit(*s, 0)->fDirection1.Set(0, 40);
  Unit(*s, 1)->fDirection2.Set(40, 40);
  Unit(*s, 0)->fSteps = 20;
  OsImgRect b;
  s->CalcBounds(b);
  // The curve peaks at y = 30 at t = 0.5, which the 21 samples straddle (29.9).
  EXPECT_EQ(b, (OsImgRect{0, 0, 41, 30}));
  EXPECT_EQ(s->fBounds, b);

  TDShape* line = Polyline({{-0.5f, -0.5f}, {10.5f, 5.5f}});
  EXPECT_EQ(line->fBounds, (OsImgRect{0, 0, 11, 6}));
}

TEST_F(TDShapeTest, NeighboursAndInsertion) {
  TDShape* s = Polyline({{0, 0}, {10, 0}, {10, 10}});
  TDUnit *a = Unit(*s, 0), *c = Unit(*s, 2);
  EXPECT_EQ(s->NextUnit(c), nullptr);
  EXPECT_EQ(s->PrevUnit(a), nullptr);
  EXPECT_EQ(s->NextUnit(nullptr), nullptr);
  EXPECT_EQ(s->InsertUnitAfter(c, 5, 5, 5, 5, 5, 5, 1, 7, 2), nullptr);
  EXPECT_EQ(s->UnitCount(), 3);

  s->fOpen = 0;
  EXPECT_EQ(s->NextUnit(c), a);
  EXPECT_EQ(s->PrevUnit(a), c);
  TDUnit* front = s->InsertUnitAfter(c, 5, 5, 5, 5, 5, 5, 1, 7, 2);
  ASSERT_NE(front, nullptr);
  EXPECT_EQ(Unit(*s, 0), front);  // before the successor of the last: the head
  EXPECT_EQ(front->fSteps, 7);    // straight on both sides: the steps stay
  EXPECT_EQ(front->fSelected, 1);

  OsFailAllocationsAfter(0);
  EXPECT_EQ(s->InsertUnitAfter(a, 1, 1, 1, 1, 1, 1, 1, 0, 0), nullptr);
  EXPECT_EQ(s->AddUnit(1, 1, 1, 1, 1, 1, 1, 0, 0, 0), nullptr);
  OsFailAllocationsAfter(1);  // the vertex, but not its list entry
  EXPECT_EQ(s->AddUnit(1, 1, 1, 1, 1, 1, 1, 0, 0, 0), nullptr);
  OsFailAllocationsAfter(-1);
  EXPECT_EQ(s->UnitCount(), 4);
}

TEST_F(TDShapeTest, StepsComeFromTheUncrossedQuadrilateral) {
  TDShape* s = Polyline({{0, 0}, {100, 0}});
  TDUnit &a = *Unit(*s, 0), &b = *Unit(*s, 1);
  // A square bulge, then the two bow ties whose corners must be reordered: all
  // have area 10000, so trunc(sqrt(10000 * 1.41421) + 0.5) / 5 = 23.
  a.fDirection1.Set(0, 100);
  b.fDirection2.Set(100, 100);
  EXPECT_EQ(SegmentSteps(a, b, kStepsOutgoing), 23);
  a.fDirection1.Set(100, 100);
  b.fDirection2.Set(0, 100);
  EXPECT_EQ(SegmentSteps(a, b, kStepsOutgoing), 23);
  b.fAnchor.Set(100, 100);
  a.fDirection1.Set(100, 0);
  b.fDirection2.Set(0, 100);
  EXPECT_EQ(Area(a, b), 10000.0f);
  EXPECT_EQ(SegmentSteps(a, b, 0), 20);

  // The incoming flag measures the segment the other way round and wins.
  b.fAnchor.Set(100, 0);
  a.fDirection1 = a.fAnchor;
  b.fDirection2 = b.fAnchor;
  a.fDirection2.Set(0, 100);
  b.fDirection1.Set(100, 100);
  EXPECT_EQ(SegmentSteps(a, b, kStepsOutgoing), 0);
  EXPECT_EQ(SegmentSteps(a, b, kStepsIncoming), 23);
  EXPECT_EQ(SegmentSteps(a, b, kStepsOutgoing | kStepsIncoming), 23);

  // Two straight vertices give 0, which UpdateSteps does not store.
  a.fDirection2 = a.fAnchor;
  b.fDirection1 = b.fAnchor;
  a.fSteps = 20;
  EXPECT_EQ(s->UpdateSteps(&a, kStepsOutgoing), 0);
  EXPECT_EQ(a.fSteps, 20);
  // Asked from B for its incoming segment, the count is still measured from B's
  // side: B's first handle and A's second.
  a.fDirection2.Set(0, 100);
  b.fDirection1.Set(100, 100);
  EXPECT_EQ(s->UpdateSteps(&b, kStepsIncoming), 23);
  EXPECT_EQ(a.fSteps, 23);
  EXPECT_EQ(s->UpdateSteps(nullptr, kStepsOutgoing), 0);
}

TEST_F(TDShapeTest, StraightMeansHandlesWithinTwoUnits) {
  TDUnit u;
  u.SetAll(10.7f, 10.2f);
  EXPECT_TRUE(IsStraight(&u));
  u.fDirection1.Set(8.0f, 11.9f);
  EXPECT_TRUE(IsStraight(&u));
  u.fDirection1.Set(12.0f, 10.0f);
  EXPECT_FALSE(IsStraight(&u));
  u.fDirection1.Set(7.9f, 10.0f);
  EXPECT_FALSE(IsStraight(&u));
  EXPECT_FALSE(IsStraight(nullptr));
}

TEST_F(TDShapeTest, BezierPointAndSplit) {
  TDShape* s = Polyline({{0, 0}, {40, 0}});
  TDUnit &a = *Unit(*s, 0), &b = *Unit(*s, 1);
  a.fDirection1.Set(0, 40);
  b.fDirection2.Set(40, 40);
  EXPECT_EQ(PointText(BezierPoint(a, b, 0.0f)), "0,0");
  EXPECT_EQ(PointText(BezierPoint(a, b, 0.5f)), "20,30");
  EXPECT_EQ(PointText(BezierPoint(a, b, 1.0f)), "40,0");

  SplitPoints sp;
  SplitSegment(a.fAnchor, a.fDirection1, b.fDirection2, b.fAnchor, 0.5f, &a, &b, sp);
  EXPECT_EQ(PointText(sp.q0) + " " + PointText(sp.q1) + " " + PointText(sp.q2), "0,20 20,40 40,20");
  EXPECT_EQ(PointText(sp.r0) + " " + PointText(sp.r1) + " " + PointText(sp.s), "10,30 30,30 20,30");

  // Between straight vertices the split is on the chord and q1 is not touched.
  TDShape* line = Polyline({{0, 0}, {10, 4}});
  SplitPoints st;
  st.q1.Set(-7, -7);
  SplitSegment({0, 0}, {0, 0}, {10, 4}, {10, 4}, 0.5f, Unit(*line, 0), Unit(*line, 1), st);
  EXPECT_EQ(PointText(st.s) + " " + PointText(st.r0) + " " + PointText(st.r1), "5,2 5,2 5,2");
  EXPECT_EQ(PointText(st.q0) + " " + PointText(st.q1) + " " + PointText(st.q2), "0,0 -7,-7 10,4");
}

TEST_F(TDShapeTest, SelectionSetsTheMarkersOnlyOnAChange) {
  TDShape* s = Polyline({{2, 2}, {20, 2}, {20, 20}});
  const auto states = [&] {
    std::string out;
    for (int i = 0; i < s->UnitCount(); ++i) out += std::to_string(Unit(*s, i)->fState);
    return out;
  };
  s->SetSelect(1, 1, 0);
  EXPECT_EQ(states(), "222");
  EXPECT_EQ(s->fSelected, 1);
  s->SetUnitState(TDUnit::kBothHandles, Unit(*s, 1));
  s->SetSelect(1, 1, 0);  // already selected: the picked vertex stays picked
  EXPECT_EQ(states(), "232");
  s->SetSelect(0, 0, 0);  // no redraw: markers left as they were
  EXPECT_EQ(states(), "232");
  s->SetSelect(1, 1, 1);  // point mode
  EXPECT_EQ(states(), "111");
  s->SetSelect(0, 1, 0);
  EXPECT_EQ(states(), "000");
  EXPECT_EQ(s->fSelected, 0);
}

TEST_F(TDShapeTest, MovesAndTransforms) {
  TDShape* s = Polyline({{20, 10}, {10, 15}});
  s->Move(3, -2);
  EXPECT_EQ(PathText(*s), "open (23,8) (13,13)");
  EXPECT_EQ(s->fBounds, (OsImgRect{13, 8, 24, 14}));
  s->MoveFloat(0.5f, -1.5f);
  EXPECT_EQ(PathText(*s), "open (23.5,6.5) (13.5,11.5)");
  EXPECT_EQ(s->fBounds, (OsImgRect{13, 7, 24, 13}));  // moved by the truncated offset

  TDShape* r = Polyline({{20, 10}, {10, 15}});
  r->Rotate(1.0, 0.0, 10.0f, 10.0f);  // a quarter turn, upwards on the screen
  EXPECT_EQ(PathText(*r), "open (10,0) (15,10)");
  r->Scale(2.0, 10.0f, 10.0f);
  EXPECT_EQ(PathText(*r), "open (10,-10) (20,10)");
  EXPECT_EQ(r->fBounds, (OsImgRect{10, 10, 21, 16}));  // left for the caller to update
}

TEST_F(TDShapeTest, CloneIsAnEqualPlainShapeOrNothing) {
  auto* rect = new TDRectangle;
  ASSERT_TRUE(rect->Begin(&fContainer, 2, 3));
  fContainer.AddObject(rect);
  OsImgPoint press{2, 3}, current{12, 9};
  rect->Track(1, &press, &current);
  OsImgRect b;
  rect->CalcBounds(b);

  TDShape* copy = rect->Clone();
  ASSERT_NE(copy, nullptr);
  EXPECT_STREQ(copy->GetRuntimeClass()->m_lpszClassName, "TDShape");
  EXPECT_TRUE(copy->IsEqual(rect));
  EXPECT_EQ(PathText(*copy), PathText(*rect));
  EXPECT_EQ(copy->fBounds, rect->fBounds);
  EXPECT_EQ(copy->fOpen, 0);
  EXPECT_EQ(copy->fSelected, 1);
  EXPECT_EQ(copy->fBusy, 0);
  EXPECT_EQ(copy->fContainer, &fContainer);
  EXPECT_EQ(Unit(*copy, 2)->fState, TDUnit::kFilled);
  copy->Move(1, 0);
  EXPECT_FALSE(copy->IsEqual(rect));
  delete copy;
  EXPECT_FALSE(rect->IsEqual(nullptr));
  EXPECT_FALSE(rect->IsEqual(Polyline({{2, 3}, {12, 3}, {12, 9}})));

  // Every allocation of the copy failing in turn: null and nothing leaked.
  int failures = 0;
  for (int n = 0; n < 12; ++n) {
    OsFailAllocationsAfter(n);
    TDShape* c = rect->Clone();
    OsFailAllocationsAfter(-1);
    if (c == nullptr) {
      ++failures;
      continue;
    }
    EXPECT_TRUE(c->IsEqual(rect));
    delete c;
  }
  EXPECT_EQ(failures, 9);  // the figure, then four vertices with an entry each
}

}  // namespace
