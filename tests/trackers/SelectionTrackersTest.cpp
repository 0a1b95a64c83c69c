// The selection rectangle, dragging, Alt-drag duplicating and moving the
// rotation centre, each driven step by step as the host's loop drives it. The
// replays cover the same gestures end to end; here are the exact numbers, the
// edges and the failure paths. No tool starts these trackers without a
// container, so that case is left alone.

#include <vector>

#include "BAnt.h"
#include "TrackerFixture.h"
#include "trackers/FigureLists.h"
#include "trackers/TDCCenter.h"
#include "trackers/TDCClone.h"
#include "trackers/TDCDrag.h"
#include "trackers/TDCSelect.h"

namespace {

class SelectionTrackersTest : public TrackerFixture {
 protected:
  void SetUp() override {
    TrackerFixture::SetUp();
    fView.GetWindow()->OsPlace(0, 0, 32, 24);
  }
  void Select(TDCSelect& t, OsImgPoint press, int mode, const Points& to) {
    t.IDCSelect(&fContainer, &fView, &fDocument, press, mode);
    Run(t, to);
  }
  void Start(TDCDrag& t, OsImgPoint press) { t.IDCDrag(&fContainer, &fView, &fDocument, press); }
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
  Select(t, {15, 13}, TDCSelect::kSelectFigures, {{8, 6}, {1, 1}});
  EXPECT_EQ(Selection(), "011000");
  EXPECT_EQ(t.fRect, (OsImgRect{1, 1, 16, 14}));
  fShown.clear();
  t.UndoIt();
  EXPECT_EQ(Selection(), "111000");
  EXPECT_EQ(Unit(*a, 0)->fState, TDUnit::kFilled);
  EXPECT_TRUE(ShownInk(2, 2));  // its marker is back on the screen
}

// Read-out and ants in image coordinates (truncated), only for moves; the
// corner clamped to the view's edges, far edge included, in view pixels.
TEST_F(SelectionTrackersTest, ReadOutInImageCoordinatesCornerClampedToTheView) {
  SetZoom(2, 10, 5);
  TDCSelect t;
  OsImgPoint press{6, 4};
  t.IDCSelect(&fContainer, &fView, &fDocument, press, 0);
  Gesture g(t);
  g.Press();
  g.MoveTo(15, 9);
  EXPECT_EQ(t.fAnts->GetRect(), (OsImgRect{13, 7, 17, 9}));
  g.MoveTo(15, 9);
  g.MoveTo(50, 40);
  g.MoveTo(-7, -3);
  g.Release(100, 100);
  EXPECT_EQ(g.fConstrained, (Points{{6, 4}, {15, 9}, {15, 9}, {32, 24}, {0, 0}, {32, 24}}));
  EXPECT_EQ(fReadOut.fPoints, (Points{{13, 7}, {17, 9}, {26, 17}, {10, 5}}));
  EXPECT_EQ(fReadOut.fRects, (std::vector<OsImgRect>{{13, 7, 13, 7}, {13, 7, 17, 9}, {13, 7, 26, 17}, {10, 5, 13, 7}}));
  EXPECT_EQ(t.fRect, (OsImgRect{6, 4, 32, 24}));
}

// The grid's spacing is 8; 37, 29 snap to 40, 32, beyond the view: back to
// its far edge, which is still allowed.
TEST_F(SelectionTrackersTest, RectangleCornersDragStepsAndClonePressesSnapToTheGrid) {
  Selected({{4, 4}, {8, 4}});
  fView.fGridOn = true;
  TDCSelect select;
  Select(select, {5, 3}, 0, {{13, 13}, {37, 29}});
  EXPECT_EQ(select.GetAnchor(), (OsImgPoint{8, 0}));
  EXPECT_EQ(select.fRect, (OsImgRect{8, 0, 33, 25}));
  TDCDrag drag;
  Start(drag, {5, 3});
  Run(drag, {{13, 13}});
  EXPECT_EQ(Path(0), "open (12,20) (16,20)");
  OsImgPoint p{5, 3};
  TDCClone clone;
  clone.IDCClone(&fContainer, &fView, &fDocument, p);
  EXPECT_EQ(p, (OsImgPoint{8, 0}));
}

// Equal offsets lock y. Only moves carry the figures.
TEST_F(SelectionTrackersTest, ShiftLocksTheAxisChosenByTheFirstShiftedStepUntilReleased) {
  Selected({{5, 5}, {9, 5}});
  TDCDrag t;
  Start(t, {7, 5});
  Gesture g(t);
  g.Press();
  SetShift(true);
  g.MoveTo(11, 9);
  EXPECT_EQ(Path(0), "open (9,5) (13,5)");
  SetShift(false);
  g.MoveTo(9, 13);  // 2 right, 8 down, free
  SetShift(true);
  g.MoveTo(9, 13);  // pressed again where it is
  g.MoveTo(12, 20);
  g.Release(14, 26);
  EXPECT_EQ(g.fConstrained, (Points{{7, 5}, {11, 5}, {9, 13}, {7, 13}, {7, 20}, {7, 26}}));
  EXPECT_EQ(Path(0), "open (5,20) (9,20)");
  // The centre mark keeps to the axis too, after the clamp to the view.
  TDCCenter centre;
  Start(centre, {10, 10});
  Gesture c(centre);
  c.Press();
  c.MoveTo(16, 12);
  c.MoveTo(40, 30);
  EXPECT_EQ(c.fConstrained, (Points{{10, 10}, {16, 10}, {27, 10}}));
  const std::size_t reports = fReadOut.fPoints.size();
  c.MoveTo(41, 35);  // held at the same clamped, locked point: nothing new to read out
  EXPECT_EQ(fReadOut.fPoints.size(), reports);
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
