// The selection rectangle, Alt-drag duplicating and moving the rotation
// centre, each driven step by step as the host's loop drives it. The replays
// cover the same gestures end to end, read-out, grid and Shift's axis lock
// included; here are the toggling, the failure paths and the centre's image
// units. No tool starts these trackers without a container, so that case is
// left alone.

#include <vector>

#include "TrackerFixture.h"
#include "trackers/FigureLists.h"
#include "trackers/TDCCenter.h"
#include "trackers/TDCClone.h"
#include "trackers/TDCSelect.h"

namespace {

class SelectionTrackersTest : public TrackerFixture {
 protected:
  void SetUp() override {
    TrackerFixture::SetUp();
    fView.GetWindow()->OsPlace(0, 0, 32, 24);
  }
  void Start(TDCClone& t, OsImgPoint press) { t.IDCClone(&fContainer, &fView, &fDocument, press); }
  void Start(TDCCenter& t, OsImgPoint press) { t.IDCCenter(&fContainer, &fView, &fDocument, press); }
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
  Start(t, {4, 2});
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

TEST_F(SelectionTrackersTest, CentreMarkFollowsInImageUnitsAndUndoesExactly) {
  SetZoom(2);
  fContainer.fCenter = {5, 5};
  fContainer.DrawCenter(1);
  TDCCenter t;
  Start(t, {10, 10});
  Gesture g(t);
  g.Press();
  g.MoveTo(40, 30);  // five from the far edges: 27, 19
  EXPECT_EQ(PointText(fContainer.fCenter), "13.5,9.5");
  EXPECT_TRUE(ShownInk(27, 19) && !ShownInk(10, 10));
  g.MoveTo(-4, -9);
  g.Release(31, 23);
  t.DoIt();
  EXPECT_EQ(fReadOut.fPoints, (Points{{5, 5}, {13, 9}, {0, 0}, {13, 9}}));
  EXPECT_EQ(fReadOut.fSizes, (std::vector<OsImgSize>{{0, 0}, {8, 4}, {-5, -5}, {8, 4}}));
  EXPECT_EQ(fReadOut.fSizeClears, 1);
  t.UndoIt();
  EXPECT_TRUE(PointText(fContainer.fCenter) == "5,5" && ShownInk(10, 10));
  t.RedoIt();
  EXPECT_EQ(PointText(fContainer.fCenter), "13.5,9.5");
}

}  // namespace
