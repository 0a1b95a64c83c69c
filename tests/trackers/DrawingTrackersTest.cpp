// The drawing trackers: figures pressed and dragged out, and figures built
// click by click; their constraints, feedback, undo and redo, and what they own.

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "model/TDFreeLine.h"
#include "model/TDLine.h"
#include "model/TDMuLine.h"
#include "model/TDOval.h"
#include "model/TDPen.h"
#include "model/TDPolygon.h"
#include "model/TDRectangle.h"
#include "trackers/TDCGrow.h"
#include "trackers/TDCPens.h"
#include "trackers/TrackerFixture.h"
#include "ui/PolygonApex.h"

namespace {

using Points = std::vector<OsImgPoint>;

std::string Anchors(const TDShape& s) {
  std::string out;
  for (int i = 0; i < s.UnitCount(); ++i) out += (i ? " " : "") + PointText(Unit(s, i)->fAnchor);
  return out;
}

class DrawingTrackersTest : public TrackerFixture {
 protected:
  void TearDown() override {
    gPolygonApex = fSavedApex;
    TrackerFixture::TearDown();
  }
  template <typename T>
  std::unique_ptr<T> Start(int tool, OsImgPoint press) {
    gCurrentTool = static_cast<std::int16_t>(tool);
    auto t = std::make_unique<T>();
    if constexpr (std::is_same_v<T, TDCGrow>) {
      t->IDCGrow(&fContainer, &fView, &fDocument, press);
    } else {
      t->IDCPens(&fContainer, &fView, &fDocument, press);
    }
    return t;
  }
  // Pressed, moved through the points, released where the last one left the
  // mouse, performed.
  template <typename T>
  std::unique_ptr<T> Draw(int tool, OsImgPoint press, Points moves = {}) {
    auto t = Start<T>(tool, press);
    Gesture g(*t);
    EXPECT_EQ(g.Press(), t.get());
    for (const OsImgPoint& p : moves) EXPECT_EQ(g.MoveTo(p.x, p.y), t.get());
    EXPECT_EQ(g.Release(), t.get());
    t->DoIt();
    return t;
  }
  std::string Grown(int tool, OsImgPoint press, OsImgPoint to) {
    return PathText(*Draw<TDCGrow>(tool, press, {to})->Figure());
  }
  // The container at a glance: every figure's selection, then the position of
  // the figure under construction (- for none, ? for one outside).
  std::string State() const {
    const BPosition at = fContainer.FindItem(fContainer.fDrawing);
    return Selection() + " " +
           (fContainer.fDrawing == nullptr ? "-" : at ? std::to_string(fContainer.GetIndexFromHandle(at) - 1) : "?");
  }
  TDShape* Click(int tool, OsImgPoint press, Points moves = {}) {
    fPresses.push_back(Draw<TDCPens>(tool, press, std::move(moves)));
    return fPresses.back()->fWorking;
  }

  std::vector<std::unique_ptr<TDCPens>> fPresses;
  int fSavedApex = gPolygonApex;
};

// ---- TDCGrow ----

TEST_F(DrawingTrackersTest, GrowPressBeginsTheToolsFigureAndSnapshotsTheSelection) {
  gPolygonApex = 6;
  const struct { int tool; const CRuntimeClass* kind; int units; } cases[] = {
      {4, RUNTIME_CLASS(TDRectangle), 4}, {5, RUNTIME_CLASS(TDOval), 4}, {6, RUNTIME_CLASS(TDFreeLine), 1},
      {8, RUNTIME_CLASS(TDLine), 2},      {14, RUNTIME_CLASS(TDPolygon), 6}};
  for (const auto& c : cases) {
    auto t = Start<TDCGrow>(c.tool, {12, 7});
    ASSERT_TRUE(t->fTarget != nullptr && t->fTarget->IsKindOf(c.kind)) << c.tool;
    EXPECT_EQ(t->Figure()->UnitCount(), c.units);
    EXPECT_EQ(PointText(t->Figure()->FirstUnit()->fAnchor), "12,7");
    EXPECT_EQ(t->fOwnsTarget, 1);
    EXPECT_EQ(Count(), 0);
  }
  Polyline({{2, 2}, {8, 2}});
  Polyline({{2, 30}, {8, 30}})->SetSelect(1, 1, 0);
  auto none = Start<TDCGrow>(7, {20, 10});  // no figure kind: nothing happens
  EXPECT_EQ(none->fActive, 0);
  EXPECT_EQ(Selection(), "01");
  auto t = Start<TDCGrow>(4, {20, 10});
  EXPECT_EQ(t->GetChangeID(), 30002);
  EXPECT_EQ(t->CanBeUndone(), 1);
  EXPECT_EQ(Selection(), "00");
  EXPECT_EQ(Selection(*t->fSnapshot), "01");
  EXPECT_EQ(Occurrences(*t->fSnapshot, At(1)), 0);  // copies, not the figures
}

TEST_F(DrawingTrackersTest, GrowWithShiftMakesSquaresAndAxisLines) {
  SetShift(true);
  EXPECT_EQ(Grown(4, {20, 40}, {50, 30}), "closed (20,40) (50,40) (50,10) (20,10)");
  EXPECT_EQ(Grown(4, {20, 10}, {30, 40}), "closed (20,10) (50,10) (50,40) (20,40)");
  // No horizontal movement counts as leftwards, no vertical one as upwards.
  EXPECT_EQ(Grown(4, {30, 30}, {30, 45}), "closed (30,30) (15,30) (15,45) (30,45)");
  EXPECT_EQ(Grown(4, {30, 30}, {45, 30}), "closed (30,30) (45,30) (45,15) (30,15)");
  // The oval in the square 10..40: a circle of radius 15 about (25, 25).
  EXPECT_EQ(Anchors(*Draw<TDCGrow>(5, {10, 40}, {{40, 30}})->Figure()), "10,25 25,40 40,25 25,10");
  gPolygonApex = 6;
  auto polygon = Draw<TDCGrow>(14, {30, 30}, {{40, 60}});
  EXPECT_EQ(PointText(Unit(*polygon->Figure(), 0)->fAnchor), "60,60");  // its first vertex under the mouse
  EXPECT_NEAR(Unit(*polygon->Figure(), 3)->fAnchor.x, 0.0f, 1e-3f);
  EXPECT_NEAR(Unit(*polygon->Figure(), 3)->fAnchor.y, 0.0f, 1e-3f);
  EXPECT_EQ(Grown(8, {20, 20}, {25, 40}), "open (20,20) (20,40)");
  EXPECT_EQ(Grown(8, {20, 20}, {40, 40}), "open (20,20) (40,20)");  // a tie is horizontal
  EXPECT_EQ(Anchors(*Draw<TDCGrow>(6, {10, 10}, {{15, 40}})->Figure()), "10,10 10,40");
  SetShift(false);
  EXPECT_EQ(Grown(4, {20, 40}, {50, 30}), "closed (20,40) (50,40) (50,30) (20,30)");
}

TEST_F(DrawingTrackersTest, GrowSnapsThePressAndEveryMoveToTheGrid) {
  fView.fGridOn = true;
  auto t = Start<TDCGrow>(4, {13, 21});
  Gesture g(*t);
  g.Press();
  g.MoveTo(30, 35);
  g.MoveTo(27, 37);
  g.Release();
  EXPECT_EQ(g.Constrained(), (Points{{16, 24}, {32, 32}, {24, 40}, {24, 40}}));
  EXPECT_EQ(PathText(*t->Figure()), "closed (16,24) (24,24) (24,40) (16,40)");
}

TEST_F(DrawingTrackersTest, FreeLineIsSampledAsItGoesAndClosedOnRelease) {
  auto t = Start<TDCGrow>(6, {10, 10});
  Gesture g(*t);
  g.Press();
  EXPECT_EQ(t->Figure()->UnitCount(), 1);  // the sample Begin took
  g.MoveTo(40, 10);
  const int shown = fRepaints;
  g.MoveTo(45, 12);  // too close for a sample: nothing is drawn
  EXPECT_EQ(fRepaints, shown);
  g.MoveTo(40, 40);
  g.MoveTo(12, 14);
  EXPECT_EQ(Anchors(*t->Figure()), "10,10 40,10 40,40 12,14");
  g.Release();
  EXPECT_EQ(Anchors(*t->Figure()), "10,10 40,10 40,40");  // the last sample stood for the start
  EXPECT_EQ(t->Figure()->fOpen, 0);
}

TEST_F(DrawingTrackersTest, FeedbackDrawsTheFigureAndReportsImagePoints) {
  SetZoom(2.0f);
  auto t = Start<TDCGrow>(4, {20, 10});
  Gesture g(*t);
  g.Press();
  g.MoveTo(40, 30);
  EXPECT_TRUE(ShownInk(30, 10) && ShownInk(40, 20));  // top and right edges
  EXPECT_FALSE(ShownInk(30, 20));
  const int shown = fRepaints;
  g.MoveTo(40, 30);  // no movement: no report, no drawing
  EXPECT_EQ(fRepaints, shown);
  g.Release();
  Click(9, {20, 10}, {{40, 30}});
  EXPECT_EQ(fReadOut.fPoints, (Points{{10, 5}, {20, 15}, {20, 15}, {10, 5}, {20, 15}, {20, 15}}));
  gModuleInterface.fHostServices = nullptr;  // a host without a read-out
  EXPECT_EQ(Grown(8, {4, 4}, {20, 4}), "open (2,2) (10,2)");
}

TEST_F(DrawingTrackersTest, GrowUndoRestoresTheEarlierSelectionAndRedoSelectsTheFigure) {
  TDShape* a = Polyline({{2, 2}, {8, 2}});
  TDShape* b = Polyline({{2, 30}, {8, 30}});
  b->SetSelect(1, 1, 0);
  auto t = Draw<TDCGrow>(4, {20, 10}, {{30, 20}});
  EXPECT_EQ(At(2), t->fTarget);
  EXPECT_EQ(t->fOwnsTarget, 0);
  EXPECT_EQ(Selection(), "001");
  EXPECT_EQ(t->Figure()->fBusy, 0);
  EXPECT_EQ(t->Figure()->fBounds, (OsImgRect{20, 10, 31, 21}));
  int shown = fRepaints;
  t->UndoIt();
  EXPECT_EQ(fRepaints, shown + 1);
  EXPECT_EQ(Count(), 2);
  EXPECT_EQ(t->fOwnsTarget, 1);
  EXPECT_EQ(Selection(), "01");
  EXPECT_EQ(Unit(*a, 0)->fState, TDUnit::kHidden);
  EXPECT_EQ(Unit(*b, 0)->fState, TDUnit::kFilled);
  shown = fRepaints;
  t->RedoIt();
  EXPECT_EQ(fRepaints, shown + 1);
  EXPECT_EQ(At(2), t->fTarget);
  EXPECT_EQ(Selection(), "001");
  EXPECT_EQ(Unit(*t->Figure(), 0)->fState, TDUnit::kFilled);
  EXPECT_EQ(Unit(*b, 0)->fState, TDUnit::kHidden);
}

// Back and forth over three drawings as a history runs them, then a new drawing
// that drops the steps undone: each figure is in the container exactly while
// its step is done, and the others are freed with their trackers.
TEST_F(DrawingTrackersTest, GrowUndoAndRedoInHistoryOrderNeverDuplicateOrLoseFigures) {
  TDShape* kept = Polyline({{2, 2}, {8, 2}});
  std::vector<std::unique_ptr<TDCGrow>> steps;
  steps.push_back(Draw<TDCGrow>(4, {10, 10}, {{20, 20}}));
  steps.push_back(Draw<TDCGrow>(8, {30, 10}, {{40, 20}}));
  steps.push_back(Draw<TDCGrow>(5, {10, 30}, {{20, 40}}));
  std::size_t done = steps.size();
  const auto check = [&] {
    ASSERT_EQ(static_cast<std::size_t>(Count()), done + 1);
    EXPECT_EQ(At(0), kept);
    for (std::size_t i = 0; i < steps.size(); ++i) {
      EXPECT_EQ(Occurrences(steps[i]->fTarget), i < done ? 1 : 0) << i;
      EXPECT_EQ(steps[i]->fOwnsTarget, i < done ? 0 : 1) << i;
    }
  };
  for (const char op : std::string("UUURRRURUURRRUUUURUR")) {
    if (op == 'U' && done > 0) steps[--done]->UndoIt();
    if (op == 'R' && done < steps.size()) steps[done++]->RedoIt();
    check();
  }
  steps.resize(done);
  steps.push_back(Draw<TDCGrow>(4, {40, 30}, {{50, 40}}));
  done = steps.size();
  check();
}

// Whichever allocation of the press fails there is a whole figure or none, and
// the gesture and its undo leave the container whole; a figure that cannot be
// given an entry stays the tracker's.
TEST_F(DrawingTrackersTest, GrowUnderFailingAllocationsKeepsEveryFigureOwned) {
  Polyline({{2, 2}, {8, 2}})->SetSelect(1, 1, 0);
  for (int n = 0;; ++n) {
    OsFailAllocationsAfter(n);
    auto t = Start<TDCGrow>(4, {20, 10});
    OsFailAllocationsAfter(-1);
    // The figure is made after the snapshot: with it, the snapshot is whole.
    const bool whole = t->fTarget != nullptr;
    EXPECT_EQ(whole ? t->Figure()->UnitCount() + t->fSnapshot->GetCount() : 5, 5) << n;
    EXPECT_EQ(Selection(), t->fTarget ? "0" : "1") << n;
    Gesture g(*t);
    g.Press();
    g.MoveTo(30, 20);
    g.Release();
    if (whole) OsFailAllocationsAfter(0);
    t->DoIt();
    OsFailAllocationsAfter(-1);
    EXPECT_EQ(Count(), 1) << n;
    EXPECT_EQ(t->fOwnsTarget, 1) << n;
    t->UndoIt();
    ASSERT_EQ(Count(), 1) << n;
    if (whole) {
      EXPECT_EQ(Selection(), "1");
      break;
    }
  }
}

// ---- TDCPens ----

TEST_F(DrawingTrackersTest, MultiLineIsBuiltClickByClickOneUndoStepAPress) {
  TDShape* m1 = Click(9, {10, 10}, {{30, 10}});
  EXPECT_EQ(fPresses[0]->GetChangeID(), 30012);
  EXPECT_EQ(fPresses[0]->fTarget, nullptr);
  EXPECT_EQ(PathText(*m1), "open (10,10) (30,10)");
  EXPECT_EQ(fContainer.fDrawing, m1);
  auto second = Start<TDCPens>(9, {30, 30});
  TDShape* m2 = second->fWorking;
  EXPECT_TRUE(second->fTarget == m1 && m2->IsKindOf(RUNTIME_CLASS(TDMuLine)) && m2->fBusy == 1 && At(0) == m2);
  fPresses.push_back(std::move(second));
  Gesture(*fPresses[1]).Press();
  fPresses[1]->DoIt();
  EXPECT_EQ(m2->fBusy, 0);
  TDShape* m3 = Click(9, {50, 30}, {{50, 40}});
  EXPECT_EQ(PathText(*m3), "open (10,10) (30,10) (30,30) (50,40)");

  const int shown = fRepaints;
  fPresses[2]->UndoIt();
  EXPECT_EQ(fRepaints, shown + 1);
  EXPECT_TRUE(At(0) == m2 && State() == "1 0");
  EXPECT_EQ(PathText(*m2), "open (10,10) (30,10) (30,30)");
  fPresses[1]->UndoIt();
  EXPECT_TRUE(At(0) == m1 && State() == "1 0");
  fPresses[1]->RedoIt();
  fPresses[2]->RedoIt();
  EXPECT_TRUE(At(0) == m3 && State() == "1 0");

  // Closed by a click on the first vertex: no longer under construction.
  EXPECT_EQ(PathText(*Click(9, {11, 12})), "closed (10,10) (30,10) (30,30) (50,40)");
  EXPECT_EQ(State(), "1 -");
  fPresses[3]->UndoIt();
  EXPECT_TRUE(At(0) == m3 && State() == "1 0");
  fPresses[3]->RedoIt();
  EXPECT_EQ(State(), "1 -");
  // Undone and dropped as a history drops it; the next press goes on from m3.
  fPresses[3]->UndoIt();
  fPresses.pop_back();
  EXPECT_EQ(PathText(*Click(9, {60, 10})), "open (10,10) (30,10) (30,30) (50,40) (60,10)");
  EXPECT_EQ(State(), "1 0");
}

TEST_F(DrawingTrackersTest, MultiLineFirstPressUndoneSelectsTheLastFigureLeft) {
  Polyline({{2, 2}, {8, 2}});
  TDShape* m = Click(9, {10, 10}, {{30, 10}});
  EXPECT_EQ(State(), "01 1");
  fPresses[0]->UndoIt();
  EXPECT_TRUE(State() == "1 -" && fPresses[0]->fTarget == m && fPresses[0]->fWorking == nullptr);
  fPresses[0]->RedoIt();
  EXPECT_TRUE(State() == "01 1" && At(1) == m);
  fPresses[0]->UndoIt();  // destroyed undone: the tracker frees the figure
  // Two vertices closed on each other stay under construction. (Deselecting
  // before a new figure is the tool handler's, not the tracker's.)
  Click(9, {10, 10}, {{30, 10}});
  EXPECT_EQ(PathText(*Click(9, {10, 10})), "closed (10,10) (30,10)");
  EXPECT_EQ(State(), "11 1");
}

TEST_F(DrawingTrackersTest, PenDragPullsHandlesAndAClickOnTheFirstVertexCloses) {
  TDShape* pen = Click(7, {10, 10}, {{20, 10}});
  EXPECT_TRUE(pen->IsKindOf(RUNTIME_CLASS(TDPen)));
  EXPECT_EQ(PathText(*pen), "open (10,10 20,10 0,10)");
  EXPECT_EQ(State(), "1 0");
  EXPECT_EQ(PathText(*Click(7, {40, 10})), "open (10,10 20,10 0,10) (40,10)");
  EXPECT_EQ(PathText(*Click(7, {12, 9})), "closed (10,10 20,10 0,10) (40,10)");
  EXPECT_EQ(State(), "1 -");
  // A lone vertex closed on itself is a point again, and finished.
  Click(7, {30, 30}, {{40, 30}});
  EXPECT_EQ(PathText(*Click(7, {30, 30})), "open (30,30)");
  EXPECT_EQ(State(), "11 -");
}

TEST_F(DrawingTrackersTest, PensSnapToTheGridAndKeepToAnAxisWithShift) {
  SetShift(true);
  auto t = Start<TDCPens>(9, {10, 10});
  Gesture g(*t);
  g.Press();
  g.MoveTo(15, 30);
  EXPECT_EQ(PathText(*t->fWorking), "open (10,10) (10,30)");
  g.MoveTo(30, 30);  // a tie is horizontal
  EXPECT_EQ(PathText(*t->fWorking), "open (10,10) (30,10)");
  SetShift(false);
  fContainer.Terminate();
  fView.fGridOn = true;
  EXPECT_EQ(PathText(*Click(9, {13, 21}, {{30, 35}})), "open (16,24) (32,32)");
}

// A press whose figure, new or the copy of the one under construction, cannot
// be made changes nothing in any of its steps.
TEST_F(DrawingTrackersTest, PensWithoutMemoryForTheFigureChangeNothing) {
  Polyline({{2, 2}, {8, 2}});
  fView.fGridOn = true;
  const auto failingPress = [&](int tool) {
    OsFailAllocationsAfter(0);
    auto t = Start<TDCPens>(tool, {10, 10});
    OsFailAllocationsAfter(-1);
    EXPECT_TRUE(t->fWorking == nullptr && t->fTarget == nullptr);
    Gesture g(*t);
    EXPECT_EQ(g.Press(), t.get());
    EXPECT_EQ(t->fActive, 0);
    g.MoveTo(13, 21);
    EXPECT_EQ(g.Constrained().back(), (OsImgPoint{13, 21}));  // no snapping once inactive
    g.Release();
    t->DoIt();
    t->UndoIt();
    t->RedoIt();
  };
  failingPress(7);
  EXPECT_EQ(State(), "0 -");
  fView.fGridOn = false;
  TDShape* m = Click(9, {10, 10}, {{30, 10}});
  failingPress(9);
  EXPECT_TRUE(State() == "01 1" && At(1) == m);
  EXPECT_EQ(PathText(*m), "open (10,10) (30,10)");
  // Whichever allocation fails, the figure is copied wholly or not at all.
  for (int n = 0;; ++n) {
    OsFailAllocationsAfter(n);
    auto t = Start<TDCPens>(9, {50, 30});
    OsFailAllocationsAfter(-1);
    ASSERT_EQ(State(), "01 1") << n;
    if (t->fWorking != nullptr) {
      EXPECT_TRUE(At(1) == t->fWorking && PathText(*t->fWorking) == "open (10,10) (30,10)") << n;
      break;
    }
    EXPECT_EQ(At(1), m) << n;
  }
}

}  // namespace
