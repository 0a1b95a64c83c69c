// The selection rectangle and Alt-drag duplicating, driven step by step as the
// host's loop drives it. The replays cover the same gestures end to end, the
// rotation centre's, read-out, grid and Shift's axis lock included; here are
// the toggling and the failure paths. No tool starts these trackers without a
// container, so that case is left alone.

#include <vector>

#include "TrackerFixture.h"
#include "trackers/FigureLists.h"
#include "trackers/TDCClone.h"
#include "trackers/TDCSelect.h"

namespace {

class SelectionTrackersTest : public TrackerFixture {
 protected:
  void SetUp() override {
    TrackerFixture::SetUp();
    fView.GetWindow()->OsPlace(0, 0, 32, 24);
  }
};

// Undo reselects what was selected at the press and deselects nothing.
TEST_F(SelectionTrackersTest, ModeZeroTogglesEveryFigureTheRectangleMeetsCornerPixelsIncluded) {
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

TEST_F(SelectionTrackersTest, ExchangeThatCannotGrowAListRaisesAndChangesNeitherSide) {
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
