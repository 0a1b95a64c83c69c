// The drawing trackers: figures pressed and dragged out, and figures built
// click by click. Drawing with Shift, the grid, and multi-lines and pens
// clicked out, undone and redone are replayed end to end; here are the edges
// and the ownership.

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "module/SketchTools.h"
#include "trackers/TDCGrow.h"
#include "trackers/TDCPens.h"
#include "trackers/TrackerFixture.h"

namespace {

std::string Anchors(const TDShape& s) {
  std::string out;
  for (int i = 0; i < s.UnitCount(); ++i) out += (i ? " " : "") + PointText(Unit(s, i)->fAnchor);
  return out;
}

class DrawingTrackersTest : public TrackerFixture {
 protected:
  template <typename T>
  std::unique_ptr<T> Start(int tool, OsImgPoint press) {
    gCurrentTool = static_cast<std::int16_t>(tool);
    auto t = std::make_unique<T>();
    if constexpr (std::is_same_v<T, TDCGrow>)
      t->IDCGrow(&fContainer, &fView, &fDocument, press);
    else
      t->IDCPens(&fContainer, &fView, &fDocument, press);
    return t;
  }
  template <typename T>
  std::unique_ptr<T> Draw(int tool, OsImgPoint press, const Points& moves = {}) {
    auto t = Start<T>(tool, press);
    Run(*t, moves);
    return t;
  }
  // Every figure's selection, then whether one is under construction.
  std::string State() const { return Selection() + (fContainer.fDrawing == nullptr ? " -" : " +"); }
  TDShape* Click(int tool, OsImgPoint press, const Points& moves = {}) {
    fPresses.push_back(Draw<TDCPens>(tool, press, moves));
    return fPresses.back()->fWorking;
  }

  std::vector<std::unique_ptr<TDCPens>> fPresses;
};

TEST_F(DrawingTrackersTest, GrowFeedbackShowsEveryMoveInImageCoordinates) {
  SetZoom(2.0f);
  auto t = Start<TDCGrow>(kToolRectangle, {20, 10});
  Gesture g(*t);
  g.Press();
  g.MoveTo(40, 30);
  EXPECT_TRUE(ShownInk(30, 10) && ShownInk(40, 20) && !ShownInk(30, 20));  // top and right edges
  const int shown = fRepaints;
  g.MoveTo(40, 30);  // no movement: no report, no drawing
  EXPECT_EQ(fRepaints, shown);
  g.Release();
  Click(kToolMultiLine, {20, 10}, {{40, 30}});
  EXPECT_EQ(fReadOut.fPoints, (Points{{10, 5}, {20, 15}, {20, 15}, {10, 5}, {20, 15}, {20, 15}}));
  // A free-hand stroke marks its samples as the mouse goes.
  auto stroke = Start<TDCGrow>(kToolFreeLine, {4, 40});
  Gesture h(*stroke);
  h.Press();
  h.MoveTo(60, 40);
  EXPECT_TRUE(ShownInk(60, 40) && ShownInk(56, 40));  // the cross of the new sample
  h.Release();
  gModuleInterface.fHostServices = nullptr;  // a host without a read-out
  EXPECT_EQ(Anchors(*Draw<TDCGrow>(kToolLine, {4, 4}, {{20, 4}})->Figure()), "2,2 10,2");
}

// Back and forth over three drawings as a history runs them, then a new one
// that drops the steps undone: each figure is in the container exactly while
// its step is done. Only the last figure done is selected, or, with none
// done, what was selected before.
TEST_F(DrawingTrackersTest, GrowUndoAndRedoInHistoryOrderNeverDuplicateOrLoseFigures) {
  TDShape* kept = Polyline({{2, 2}, {8, 2}});
  kept->SetSelect(1, 1, 0);
  std::vector<std::unique_ptr<TDCGrow>> steps;
  steps.push_back(Draw<TDCGrow>(kToolRectangle, {10, 10}, {{20, 20}}));
  EXPECT_TRUE(steps[0]->Figure()->fBusy == 0 && steps[0]->Figure()->fBounds == (OsImgRect{10, 10, 21, 21}));
  steps.push_back(Draw<TDCGrow>(kToolLine, {30, 10}, {{40, 20}}));
  steps.push_back(Draw<TDCGrow>(kToolOval, {10, 30}, {{20, 40}}));
  std::size_t done = steps.size();
  const auto check = [&] {
    ASSERT_EQ(static_cast<std::size_t>(Count()), done + 1);
    EXPECT_EQ(At(0), kept);
    EXPECT_EQ(Selection(), std::string(done, '0') + "1");
    for (std::size_t i = 0; i < steps.size(); ++i) {
      EXPECT_EQ(fContainer.FindItem(steps[i]->fTarget) != nullptr, i < done) << i;  // with the count: once
      EXPECT_EQ(steps[i]->fOwnsTarget, i < done ? 0 : 1) << i;
    }
  };
  kept->SetSelect(1, 1, 0);  // as a select click, which is no step, leaves it
  for (const char op : std::string("UUURRRURUURRRUUUURUR")) {
    const int shown = fRepaints;
    if (op == 'U' && done > 0)
      steps[--done]->UndoIt();
    else if (op == 'R' && done < steps.size())
      steps[done++]->RedoIt();
    else
      continue;
    EXPECT_EQ(fRepaints, shown + 1);
    check();
  }
  steps.resize(done);
  steps.push_back(Draw<TDCGrow>(kToolRectangle, {40, 30}, {{50, 40}}));
  done = steps.size();
  check();
}

TEST_F(DrawingTrackersTest, APenPressOnTheFirstVertexEndsTheFigure) {
  EXPECT_EQ(PathText(*Click(kToolPen, {10, 10}, {{20, 10}})), "open (10,10 20,10 0,10)");
  Click(kToolPen, {40, 10});
  EXPECT_EQ(PathText(*Click(kToolPen, {12, 9})), "closed (10,10 20,10 0,10) (40,10)");
  EXPECT_EQ(State(), "1 -");
  Click(kToolPen, {30, 30}, {{40, 30}});
  EXPECT_EQ(PathText(*Click(kToolPen, {30, 30})), "open (30,30)");
  EXPECT_EQ(State(), "11 -");
}

// A press that cannot record the selection or make a whole figure raises with
// nothing changed. A figure that then cannot be given an entry stays the
// tracker's, and the step fails with the selection of before the press, so
// that the host drops it rather than keep a step that did nothing.
TEST_F(DrawingTrackersTest, GrowUnderFailingAllocationsKeepsEveryFigureOwned) {
  Polyline({{2, 2}, {8, 2}})->SetSelect(1, 1, 0);
  std::unique_ptr<TDCGrow> t;
  EXPECT_GT(FailuresBeforeSuccess([&] { t = Start<TDCGrow>(kToolRectangle, {20, 10}); }), 2);
  EXPECT_TRUE(t->Figure()->UnitCount() == 4 && Selection() == "0");
  Gesture g(*t);
  g.Press();
  g.MoveTo(30, 20);
  g.Release();
  for (auto step : {&TDCGrow::DoIt, &TDCGrow::RedoIt}) {
    EXPECT_TRUE(RunsOutOfMemory(0, [&] { (t.get()->*step)(); }));
    EXPECT_TRUE(Count() == 1 && t->fOwnsTarget == 1 && Selection() == "1");
  }
}

TEST_F(DrawingTrackersTest, PensConstrainThePointToTheShiftAxisOrTheGrid) {
  SetShift(true);
  auto t = Start<TDCPens>(kToolMultiLine, {10, 10});
  Gesture g(*t);
  g.Press();
  g.MoveTo(15, 30);
  EXPECT_EQ(PathText(*t->fWorking), "open (10,10) (10,30)");
  g.MoveTo(30, 30);  // a tie is horizontal
  EXPECT_EQ(PathText(*t->fWorking), "open (10,10) (30,10)");
  SetShift(false);
  fContainer.Terminate();
  fView.fGridOn = true;
  EXPECT_EQ(PathText(*Click(kToolMultiLine, {13, 21}, {{30, 35}})), "open (16,24) (32,32)");
}

}  // namespace
