// The drawing trackers: figures pressed and dragged out, and figures built
// click by click. Drawing with Shift and the grid, multi-lines and pens
// clicked out and closed, and drawings undone and redone in history order are
// replayed end to end; here are the feedback and the ownership.

#include <memory>
#include <type_traits>

#include "module/SketchTools.h"
#include "trackers/TDCGrow.h"
#include "trackers/TDCPens.h"
#include "trackers/TrackerFixture.h"

namespace {

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
  const auto pens = Draw<TDCPens>(kToolMultiLine, {20, 10}, {{40, 30}});
  EXPECT_EQ(fReadOut.fPoints, (Points{{10, 5}, {20, 15}, {20, 15}, {10, 5}, {20, 15}, {20, 15}}));
  // A free-hand stroke marks its samples as the mouse goes.
  auto stroke = Start<TDCGrow>(kToolFreeLine, {4, 40});
  Gesture h(*stroke);
  h.Press();
  h.MoveTo(60, 40);
  EXPECT_TRUE(ShownInk(60, 40) && ShownInk(56, 40));  // the cross of the new sample
  h.Release();
  gModuleInterface.fHostServices = nullptr;  // a host without a read-out
  EXPECT_EQ(PathText(*Draw<TDCGrow>(kToolLine, {4, 4}, {{20, 4}})->Figure()), "open (2,2) (10,2)");
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

}  // namespace
