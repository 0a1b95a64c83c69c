// Feedback, ownership, toggling and failure paths; the replays cover the gestures.

#include <memory>
#include <type_traits>

#include "module/SketchTools.h"
#include "trackers/FigureLists.h"
#include "trackers/TDCClone.h"
#include "trackers/TDCGrow.h"
#include "trackers/TDCPens.h"
#include "trackers/TDCSelect.h"
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
  const auto pens = Start<TDCPens>(kToolMultiLine, {20, 10});
  Run(*pens, {{40, 30}});
  EXPECT_EQ(fReadOut.fPoints, (Points{{10, 5}, {20, 15}, {20, 15}, {10, 5}, {20, 15}, {20, 15}}));
  // A free-hand stroke marks its samples as the mouse goes.
  auto stroke = Start<TDCGrow>(kToolFreeLine, {4, 40});
  Gesture h(*stroke);
  h.Press();
  h.MoveTo(60, 40);
  EXPECT_TRUE(ShownInk(60, 40) && ShownInk(56, 40));  // the cross of the new sample
  h.Release();
  gModuleInterface.fHostServices = nullptr;  // a host without a read-out
  const auto line = Start<TDCGrow>(kToolLine, {4, 4});
  Run(*line, {{20, 4}});
  EXPECT_EQ(PathText(*line->Figure()), "open (2,2) (10,2)");
}

// A figure without an entry stays the tracker's; the step fails with the old selection.
TEST_F(DrawingTrackersTest, GrowUnderFailingAllocationsKeepsEveryFigureOwned) {
  Polyline({{2, 2}, {8, 2}})->SetSelect(1, 1, 0);
  std::unique_ptr<TDCGrow> t;
  EXPECT_GT(FailuresBeforeSuccess([&] { t = Start<TDCGrow>(kToolRectangle, {20, 10}); }), 2);
  EXPECT_TRUE(t->Figure()->UnitCount() == 4 && Selection() == "0");
  Drag(*t, {{30, 20}});
  for (auto step : {&TDCGrow::DoIt, &TDCGrow::RedoIt}) {
    EXPECT_TRUE(RunsOutOfMemory(0, [&] { (t.get()->*step)(); }));
    EXPECT_TRUE(Count() == 1 && t->fOwnsTarget == 1 && Selection() == "1");
  }
}

// Undo reselects what was selected at the press and deselects nothing.
TEST_F(DrawingTrackersTest, SelectModeZeroTogglesEveryFigureTheRectangleMeetsCornerPixelsIncluded) {
  fView.GetWindow()->OsPlace(0, 0, 32, 24);
  TDShape* a = Selected({{2, 2}, {6, 2}});  // selected: toggles off
  Polyline({{10, 10}, {14, 10}});
  Polyline({{15, 3}, {15, 5}});  // under the dragged corner's column
  Polyline({{16, 3}, {16, 5}});  // one beyond it
  Polyline({{4, 12}});           // a single vertex is never touched
  Polyline({{20, 20}, {24, 20}});
  TDCSelect t;
  OsImgPoint press{15, 13};
  t.IDCSelect(&fContainer, &fView, &fDocument, press, TDCSelect::kSelectFigures);
  Run(t, {{8, 6}, {1, 1}});
  EXPECT_EQ(Selection(), "011000");
  EXPECT_EQ(t.fRect, (OsImgRect{1, 1, 16, 14}));
  fShown.clear();
  t.UndoIt();
  EXPECT_EQ(Selection(), "111000");
  EXPECT_EQ(Unit(*a, 0)->fState, TDUnit::kFilled);
  EXPECT_TRUE(ShownInk(2, 2));  // its marker is back on the screen
}

TEST_F(DrawingTrackersTest, CloneExchangeThatCannotGrowAListRaisesAndChangesNeitherSide) {
  Selected({{2, 2}, {6, 2}});
  Selected({{2, 20}, {6, 20}});
  TDCClone t;
  OsImgPoint press{4, 2};
  t.IDCClone(&fContainer, &fView, &fDocument, press);
  Run(t, {{7, 5}});
  const std::string shown = Document();
  for (int n = 0; n < 2; ++n) {  // the first, then the second new entry fails
    EXPECT_TRUE(RunsOutOfMemory(n, [&] { t.UndoIt(); }));
    EXPECT_TRUE(Document() == shown && t.fSaved->GetCount() == 2);
  }
  t.UndoIt();
  EXPECT_TRUE(RunsOutOfMemory(0, [&] { t.RedoIt(); }));
  EXPECT_EQ(Count(), 2);
}

}  // namespace
