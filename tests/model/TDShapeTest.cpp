// The figure base: vertices, markers, drawing, bounds, steps, selection and copies.

#include <limits>
#include <memory>
#include <tuple>

#include "FigureFixture.h"
#include "model/Segment.h"
#include "model/TDRectangle.h"

namespace {

class TDShapeTest : public FigureFixture {};

TEST_F(TDShapeTest, MarkersOfEveryState) {
  UseScreen(16, 12);
  TDShape* s = Curve({{{4, 4}, {10, 4}, {4, 9}}, {12, 10}});
  TDUnit* u = Unit(*s, 0);
  const auto draw = [&](int state) {
    ClearRaster();
    s->SetUnitState(state, u);
    return Art();
  };
  EXPECT_EQ(draw(TDUnit::kBothHandles),
            Rows({"................", "................", "..#####.#####...", "..#####.#####...", "..###########...",
                  "..#####.#####...", "..#####.#####...", "..#####.........", "..#####.........", "..#####.........",
                  "..#####.........", "..#####........."}));
  draw(TDUnit::kCross);  // four pixels each way from the anchor
  EXPECT_TRUE(Ink(4, 0) && Ink(0, 4) && Ink(8, 4) && Ink(4, 8) && !Ink(4, 9) && !Ink(9, 4));
  // Ink / fSelected per state: handle 1's line bridges the gap between its box
  // and the anchor's, one pixel more than handle 2's; a state beyond the table
  // (7) draws nothing and leaves the selection as it was.
  std::string seen;
  for (int state : {int{TDUnit::kBothHandles}, int{TDUnit::kFilled}, int{TDUnit::kHidden}, int{TDUnit::kHandle1},
                    int{TDUnit::kHandle2}, 7, int{TDUnit::kCross}, 7, int{TDUnit::kOutline}}) {
    draw(state);
    seen += std::to_string(InkCount()) + "/" + std::to_string(u->fSelected) + " ";
  }
  EXPECT_EQ(seen, "76/1 25/1 0/0 51/1 50/1 0/1 17/0 0/0 16/0 ");
  u->fDirection2.Set(4, 10);  // its box a pixel clear of the anchor's, so the line shows
  draw(TDUnit::kHandle2);
  EXPECT_EQ(InkCount(), 46);
  draw(TDUnit::kHidden);
  EXPECT_EQ(gSketchDirty, 1);  // nothing drawn, but the raster must be rebuilt
}

// A step that rounds to nothing would never carry a curve to its end; such a
// curve is drawn as its chord, all of it off the screen here.
TEST_F(TDShapeTest, ACurveAtAnInfiniteZoomIsDrawnAsItsChord) {
  TDShape* s = Curve({{{4, 4}, {4, 10}, {4, 4}}, {12, 4}});
  Unit(*s, 0)->fSteps = 20;
  SetZoom(std::numeric_limits<float>::infinity(), 1.0f, 1.0f);
  s->DrawAll();
  EXPECT_EQ(InkCount(), 0);
}

// The curve peaks at y = 30 at t = 0.5, which the 21 samples straddle (29.9).
// A lone vertex has no bounds and draws only its marker.
TEST_F(TDShapeTest, BoundsFollowTheCurveAndTruncateTowardZero) {
  TDShape* s = Curve({{{0, 0}, {0, 40}, {0, 0}}, {{40, 0}, {40, 0}, {40, 40}}});
  Unit(*s, 0)->fSteps = 20;
  OsImgRect b;
  s->CalcBounds(b);
  EXPECT_TRUE(b == (OsImgRect{0, 0, 41, 30}) && s->fBounds == b);
  EXPECT_EQ(Polyline({{-0.5f, -0.5f}, {10.5f, 5.5f}})->fBounds, (OsImgRect{0, 0, 11, 6}));
  TDShape* lone = Polyline({{10, 10}});
  EXPECT_EQ(lone->fBounds, TDShape::kNoBounds);
  Unit(*lone, 0)->SetState(TDUnit::kFilled);
  lone->DrawAll();
  EXPECT_EQ(InkCount(), 25);
}

TEST_F(TDShapeTest, NeighboursAndInsertionFollowTheClosing) {
  TDShape* s = Polyline({{0, 0}, {10, 0}, {10, 10}});
  TDUnit *a = Unit(*s, 0), *c = Unit(*s, 2);
  EXPECT_TRUE(s->NextUnit(c) == nullptr && s->PrevUnit(a) == nullptr && s->NextUnit(nullptr) == nullptr);
  EXPECT_EQ(s->InsertUnitAfter(c, 5, 5, 5, 5, 5, 5, 1, 7, 2), nullptr);
  s->fOpen = 0;
  EXPECT_TRUE(s->NextUnit(c) == a && s->PrevUnit(a) == c);
  TDUnit* front = s->InsertUnitAfter(c, 5, 5, 5, 5, 5, 5, 1, 7, 2);
  ASSERT_NE(front, nullptr);
  // Before the successor of the last: the head. Straight on both sides, the steps stay.
  EXPECT_TRUE(Unit(*s, 0) == front && front->fSteps == 7 && front->fSelected == 1);
}

// A at (0, 0). Outgoing, the quadrilateral A, A's handle 1, B's handle 2, B;
// incoming (which wins), B, B's handle 1, A's handle 2, A. An area of 10000
// gives trunc(sqrt(10000 * 1.41421) + 0.5) / 5 = 23; no flag at all gives 20.
TEST_F(TDShapeTest, StepsComeFromTheUncrossedQuadrilateral) {
  const struct {
    TDFloatPoint b, a1, b2, a2, b1;
    const char* expected;  // Area: outgoing, incoming, both, neither
  } cases[] = {
      {{100, 0}, {0, 100}, {100, 100}, {0, 0}, {100, 0}, "10000: 23 0 0 20"},  // a square bulge
      {{100, 0}, {100, 100}, {0, 100}, {0, 0}, {100, 0}, "10000: 23 0 0 20"},  // bow ties to reorder
      {{100, 100}, {100, 0}, {0, 100}, {0, 0}, {100, 100}, "10000: 23 0 0 20"},
      {{100, 0}, {0, 0}, {100, 0}, {0, 100}, {100, 100}, "0: 0 23 23 20"},  // the other way round
      // Bow ties whose edges only touch, at a corner lying on the other edge:
      // that counts as crossing (the other order would halve the area).
      {{50, 100}, {100, 0}, {50, 0}, {0, 0}, {50, 100}, "5000: 16 0 0 20"},
      {{50, 0}, {0, 100}, {-50, 0}, {0, 0}, {50, 0}, "5000: 16 0 0 20"},
      // sqrt(10115 * 1.41421) = 119.6 rounds up to 120, a fifth of which is 24.
      {{100, 0}, {0, 101.15f}, {100, 101.15f}, {0, 0}, {100, 0}, "10115: 24 0 0 20"},
  };
  for (const auto& c : cases) {
    TDUnit a, b;
    a.Set3(0, 0, c.a1.x, c.a1.y, c.a2.x, c.a2.y);
    b.Set3(c.b.x, c.b.y, c.b1.x, c.b1.y, c.b2.x, c.b2.y);
    std::string seen = FloatText(Area(a, b)) + ":";
    for (int flags : {int{kStepsOutgoing}, int{kStepsIncoming}, kStepsOutgoing | kStepsIncoming, 0})
      seen += " " + std::to_string(SegmentSteps(a, b, flags));
    EXPECT_EQ(seen, c.expected) << PointText(c.b);
  }
}

// The anchor (10.7, 10.2) truncates to (10, 10): each handle, truncated, must
// lie in [8, 12) on both axes.
TEST_F(TDShapeTest, StraightMeansHandlesWithinTwoUnits) {
  for (auto [handle, x, y, straight] : {std::tuple{1, 8.0f, 11.9f, true},
                                        {1, 12.0f, 10.0f, false},
                                        {1, 7.9f, 10.0f, false},
                                        {2, 10.0f, 12.0f, false},
                                        {2, 11.9f, 8.0f, true},
                                        {2, 10.0f, 7.9f, false}}) {
    TDUnit u;
    u.SetAll(10.7f, 10.2f);
    (handle == 1 ? u.fDirection1 : u.fDirection2).Set(x, y);
    EXPECT_EQ(IsStraight(&u), straight) << handle << ": " << x << "," << y;
  }
  EXPECT_FALSE(IsStraight(nullptr));
}

TEST_F(TDShapeTest, CloneIsAnEqualPlainShape) {
  auto* rect = new TDRectangle;
  ASSERT_TRUE(rect->Begin(&fContainer, 2, 3));
  fContainer.AddObject(rect);
  OsImgPoint press{2, 3}, current{12, 9};
  rect->Track(1, &press, &current);
  rect->CalcBounds(rect->fBounds);
  rect->SetUnitState(TDUnit::kBothHandles, Unit(*rect, 2));
  std::unique_ptr<TDShape> copy(rect->Clone());
  ASSERT_NE(copy, nullptr);
  EXPECT_TRUE(copy->IsEqual(rect));
  EXPECT_EQ(PathText(*copy) + " " + States(*copy) + " " + copy->GetRuntimeClass()->m_lpszClassName,
            "closed (2,3) (12,3) (12,9) (2,9) 2232 TDShape");
  EXPECT_EQ(std::tuple(copy->fBounds, copy->fOpen, copy->fSelected, copy->fBusy, copy->fContainer),
            std::tuple(rect->fBounds, 0, 1, 0, &fContainer));
  const std::unique_ptr<TDUnit> vertex(Unit(*rect, 2)->Clone());  // a vertex copied on its own
  EXPECT_TRUE(vertex->fContainer == &fContainer && vertex->fState == TDUnit::kBothHandles);
  copy->Move(1, 0);
  EXPECT_FALSE(copy->IsEqual(rect) || rect->IsEqual(nullptr) || rect->IsEqual(Polyline({{2, 3}, {12, 3}, {12, 9}})));
  // Out of a view, or of any container, a figure has no zoom and draws 1:1.
  TObjectContainer unviewed;
  for (TObjectContainer* c : {&unviewed, static_cast<TObjectContainer*>(nullptr)}) {
    copy->AttachContainer(c);
    EXPECT_TRUE(copy->ViewZoom() == nullptr && copy->DrawZoom().fZoomX == 1.0f);
  }
}

}  // namespace
