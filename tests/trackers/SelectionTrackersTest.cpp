// The selection rectangle, dragging, Alt-drag duplicating and moving the
// rotation centre, each driven step by step as the host's loop drives it.

#include <vector>

#include "BAnt.h"
#include "TrackerFixture.h"
#include "trackers/TDCCenter.h"
#include "trackers/TDCClone.h"
#include "trackers/TDCDrag.h"
#include "trackers/TDCSelect.h"

namespace {

using Points = std::vector<OsImgPoint>;
using Rects = std::vector<OsImgRect>;
using Sizes = std::vector<OsImgSize>;

class SelectionTrackersTest : public TrackerFixture {
 protected:
  void SetUp() override {
    TrackerFixture::SetUp();
    fView.GetWindow()->OsPlace(0, 0, 32, 24);
  }
  TDShape* Selected(std::initializer_list<TDFloatPoint> points) {
    TDShape* s = Polyline(points);
    s->SetSelect(1, 1, 0);
    return s;
  }
  std::string Path(int index) const { return PathText(*At(index)); }
  // Pressed, moved to each point, released where the last move left it, done.
  static void Run(BTracker& t, std::initializer_list<OsImgPoint> to) {
    Gesture g(t);
    EXPECT_EQ(g.Press(), &t);
    for (const OsImgPoint& p : to) EXPECT_EQ(g.MoveTo(p.x, p.y), &t);
    EXPECT_EQ(g.Release(), &t);
    t.DoIt();
  }
  void Select(TDCSelect& t, OsImgPoint press, int mode, std::initializer_list<OsImgPoint> to) {
    t.IDCSelect(&fContainer, &fView, &fDocument, press, mode);
    Run(t, to);
  }
  void Start(TDCDrag& t, OsImgPoint press) { t.IDCDrag(&fContainer, &fView, &fDocument, press); }
  void Start(TDCClone& t, OsImgPoint press) { t.IDCClone(&fContainer, &fView, &fDocument, press); }
  void Start(TDCCenter& t, OsImgPoint press) { t.IDCCenter(&fContainer, &fView, &fDocument, press); }
};

// ---------------------------------------------------------------------------
// Selection rectangle

TEST_F(SelectionTrackersTest, ModeZeroTogglesEveryFigureTheRectangleMeetsCornerPixelsIncluded) {
  Selected({{2, 2}, {6, 2}});  // selected: toggles off
  Polyline({{10, 10}, {14, 10}});
  Polyline({{15, 3}, {15, 5}});  // under the dragged corner's column
  Polyline({{16, 3}, {16, 5}});  // one beyond it
  Polyline({{4, 12}});           // a single vertex is never touched
  Polyline({{20, 20}, {24, 20}});
  TDCSelect t;
  Select(t, {15, 13}, TDCSelect::kSelectFigures, {{8, 6}, {1, 1}});
  EXPECT_EQ(Selection(), "011000");
  EXPECT_EQ(t.fRect, (OsImgRect{1, 1, 16, 14}));
  EXPECT_EQ(Unit(*At(4), 0)->fState, TDUnit::kHidden);
  EXPECT_EQ(fReadOut.fRectClears, 1);
  EXPECT_EQ(t.GetChangeID(), 30001);
  EXPECT_EQ(t.CanBeUndone(), 0);
}

TEST_F(SelectionTrackersTest, ModeOnePicksTheVerticesInsideAndSelectsOnlyTheirFigures) {
  TDShape* f = Polyline({{2, 2}, {8, 2}, {20, 2}});
  Polyline({{-5, 6}, {25, 6}});  // crosses the rectangle, no vertex inside
  TDCSelect t;
  Select(t, {0, 0}, TDCSelect::kSelectPoints, {{9, 9}});
  EXPECT_EQ(Selection(), "10");
  EXPECT_EQ(Unit(*f, 0)->fState, TDUnit::kBothHandles);
  EXPECT_EQ(Unit(*f, 1)->fState, TDUnit::kBothHandles);
  EXPECT_EQ(Unit(*f, 2)->fState, TDUnit::kOutline);
}

TEST_F(SelectionTrackersTest, CornerStaysInsideTheViewFarEdgeIncludedAntsShownWhileHeld) {
  TDCSelect t;
  OsImgPoint press{20, 10};
  t.IDCSelect(&fContainer, &fView, &fDocument, press, 0);
  EXPECT_EQ(t.fMaxLimit, (OsImgPoint{32, 24}));
  EXPECT_EQ(fView.fShownAnt, nullptr);
  Gesture g(t);
  g.Press();
  EXPECT_EQ(fView.fShownAnt, t.fAnts);
  g.MoveTo(50, 40);
  EXPECT_EQ(t.fAnts->GetRect(), (OsImgRect{20, 10, 32, 24}));
  g.MoveTo(-7, -3);
  EXPECT_EQ(fView.fShownAnt, t.fAnts);
  g.Release(100, 100);
  EXPECT_EQ(fView.fShownAnt, nullptr);
  EXPECT_EQ(g.Constrained(), (Points{{20, 10}, {32, 24}, {0, 0}, {32, 24}}));
  EXPECT_EQ(t.fRect, (OsImgRect{20, 10, 32, 24}));
  EXPECT_EQ(fReadOut.fRects, (Rects{{20, 10, 20, 10}, {20, 10, 32, 24}, {0, 0, 20, 10}}));
  EXPECT_EQ(fReadOut.fPoints, (Points{{20, 10}, {32, 24}, {0, 0}}));
}

TEST_F(SelectionTrackersTest, ReadOutAndAntsInImageCoordinatesStoredRectangleInViewPixels) {
  SetZoom(2, 10, 5);
  TDCSelect t;
  OsImgPoint press{6, 4};
  t.IDCSelect(&fContainer, &fView, &fDocument, press, 0);
  Gesture g(t);
  g.Press();
  g.MoveTo(15, 9);
  g.MoveTo(15, 9);  // not moved: nothing new to report
  g.Release();
  // 6/2+10, 4/2+5; 15/2+10 = 17.5, 9/2+5 = 9.5, truncated.
  EXPECT_EQ(fReadOut.fPoints, (Points{{13, 7}, {17, 9}}));
  EXPECT_EQ(fReadOut.fRects, (Rects{{13, 7, 13, 7}, {13, 7, 17, 9}}));
  EXPECT_EQ(t.fAnts->GetRect(), (OsImgRect{13, 7, 17, 9}));
  EXPECT_EQ(t.fRect, (OsImgRect{6, 4, 15, 9}));
}

TEST_F(SelectionTrackersTest, ClickWithoutDraggingSelectsThroughThePixelUnderThePressOnly) {
  Polyline({{5, 5}, {9, 5}});
  Polyline({{3, 6}, {9, 6}});  // one row below the press
  TDCSelect t;
  Select(t, {7, 5}, 0, {});
  EXPECT_EQ(t.fRect, (OsImgRect{7, 5, 8, 6}));
  EXPECT_EQ(Selection(), "10");
}

TEST_F(SelectionTrackersTest, RectangleCornersSnapToTheGridAndStayInsideTheView) {
  fView.fGridOn = true;  // spacing 8
  TDCSelect t;
  Select(t, {5, 3}, 0, {{13, 13}, {37, 29}});
  EXPECT_EQ(t.GetAnchor(), (OsImgPoint{8, 0}));
  // 37, 29 snap to 40, 32, beyond the view: back to its far edge, still allowed.
  EXPECT_EQ(t.fRect, (OsImgRect{8, 0, 33, 25}));
}

TEST_F(SelectionTrackersTest, UndoReselectsWhatWasSelectedAtThePressAndNothingElse) {
  TDShape* a = Selected({{2, 2}, {6, 2}});
  Polyline({{20, 20}, {24, 20}});
  TDCSelect t;
  Select(t, {0, 0}, 0, {{30, 22}});
  EXPECT_EQ(Selection(), "01");
  ASSERT_EQ(t.fSnapshot->GetCount(), 2);
  EXPECT_NE(t.fSnapshot->GetItemFromIndex(1), a);
  t.UndoIt();
  EXPECT_EQ(Selection(), "11");
  EXPECT_EQ(Unit(*a, 0)->fState, TDUnit::kFilled);
}

// ---------------------------------------------------------------------------
// Drag

TEST_F(SelectionTrackersTest, DragAtZoomTwoMovesTheSelectionByHalfTheViewDistance) {
  SetZoom(2);
  TDShape* a = Selected({{4, 4}, {8, 4}});
  TDShape* b = Polyline({{10, 10}, {12, 10}});
  TDCDrag t;
  Start(t, {8, 8});
  // The gesture works on copies; the figures as they were wait for undo.
  ASSERT_EQ(t.fSaved->GetCount(), 2);
  EXPECT_EQ(t.fSaved->GetItemFromIndex(1), a);
  EXPECT_EQ(Occurrences(a) + Occurrences(b), 0);
  EXPECT_EQ(At(0)->fBusy + 2 * At(1)->fBusy, 1);
  Run(t, {{18, 8}, {18, 13}});
  EXPECT_EQ(Path(0), "open (9,6.5) (13,6.5)");
  EXPECT_EQ(Path(1), "open (10,10) (12,10)");
  EXPECT_EQ(PathText(*a), "open (4,4) (8,4)");
  EXPECT_EQ(At(0)->fBusy, 0);
  EXPECT_EQ(fReadOut.fPoints, (Points{{4, 4}, {9, 4}, {9, 6}}));
  EXPECT_EQ(fReadOut.fSizes, (Sizes{{0, 0}, {5, 0}, {5, 2}}));
  EXPECT_EQ(fReadOut.fSizeClears, 1);
  EXPECT_EQ(t.GetChangeID(), 30000);
  EXPECT_EQ(t.CanBeUndone(), 1);
}

TEST_F(SelectionTrackersTest, DragUndoAndRedoExchangeTheExactFigures) {
  SetZoom(2);
  TDShape* a = Selected({{1.25f, 2.5f}, {7.75f, 3}});
  TDShape* b = Polyline({{20, 20}, {22, 21}});
  TDCDrag t;
  Start(t, {4, 6});
  Run(t, {{7, 6}, {7, 11}});
  TDShape* moved = At(0);
  EXPECT_EQ(Path(0), "open (2.75,5) (9.25,5.5)");
  for (int round = 0; round < 2; ++round) {
    t.UndoIt();
    EXPECT_EQ(At(0), a);
    EXPECT_EQ(At(1), b);
    EXPECT_EQ(Path(0), "open (1.25,2.5) (7.75,3)");
    EXPECT_EQ(Selection(), "10");
    t.RedoIt();
    EXPECT_EQ(At(0), moved);
    EXPECT_EQ(Path(0), "open (2.75,5) (9.25,5.5)");
    EXPECT_EQ(Path(1), "open (20,20) (22,21)");
    EXPECT_EQ(Count(), 2);
  }
}

TEST_F(SelectionTrackersTest, ShiftLocksTheAxisChosenByTheFirstShiftedStepUntilReleased) {
  Selected({{5, 5}, {9, 5}});
  TDCDrag t;
  Start(t, {7, 5});
  Gesture g(t);
  g.Press();
  SetShift(true);
  g.MoveTo(17, 8);  // 10 right, 3 down
  EXPECT_EQ(t.fAxis, TDCBase::kAxisYLocked);
  EXPECT_EQ(Path(0), "open (15,5) (19,5)");
  SetShift(false);
  g.MoveTo(9, 13);  // 2 right, 8 down, free
  EXPECT_EQ(t.fAxis, TDCBase::kAxisFree);
  SetShift(true);
  g.MoveTo(9, 13);  // pressed again where it is
  EXPECT_EQ(t.fAxis, TDCBase::kAxisXLocked);
  g.MoveTo(12, 20);
  g.Release(12, 20);
  EXPECT_EQ(g.Constrained(), (Points{{7, 5}, {17, 5}, {9, 13}, {7, 13}, {7, 20}, {7, 20}}));
  EXPECT_EQ(Path(0), "open (5,20) (9,20)");
}

TEST_F(SelectionTrackersTest, ShiftWithEqualOffsetsLocksYAndTheGridSnapsPressAndSteps) {
  Selected({{4, 4}, {8, 4}});
  TDCDrag t;
  Start(t, {7, 5});
  Gesture g(t);
  g.Press();
  SetShift(true);
  g.MoveTo(11, 9);
  EXPECT_EQ(g.Constrained().back(), (OsImgPoint{11, 5}));
  EXPECT_EQ(Path(0), "open (8,4) (12,4)");

  fView.fGridOn = true;  // spacing 8
  TDCDrag snapped;
  OsImgPoint p{5, 3};
  snapped.IDCDrag(&fContainer, &fView, &fDocument, p);
  EXPECT_EQ(p, (OsImgPoint{8, 0}));
  EXPECT_EQ(snapped.GetAnchor(), (OsImgPoint{8, 0}));
  SetShift(false);
  Run(snapped, {{13, 13}});
  EXPECT_EQ(Path(0), "open (16,20) (20,20)");
}

// ---------------------------------------------------------------------------
// Alt-drag duplicating

TEST_F(SelectionTrackersTest, CloneAppendsSelectedDuplicatesThatMoveAndLeavesOriginalsUnselected) {
  TDShape* a = Selected({{2, 2}, {6, 2}});
  TDShape* b = Polyline({{10, 10}, {14, 10}});
  TDShape* c = Selected({{2, 20}, {6, 20}});
  TDCClone t;
  Start(t, {4, 2});
  EXPECT_EQ(Selection(), "00011");
  EXPECT_EQ(Unit(*At(0), 0)->fState, TDUnit::kHidden);
  EXPECT_EQ(At(3)->fBusy + At(4)->fBusy, 2);
  Run(t, {{7, 5}});
  EXPECT_EQ(Path(0) + " | " + Path(1) + " | " + Path(2),
            "open (2,2) (6,2) | open (10,10) (14,10) | open (2,20) (6,20)");
  EXPECT_EQ(Path(3) + " | " + Path(4), "open (5,5) (9,5) | open (5,23) (9,23)");
  EXPECT_EQ(At(3)->fBusy + At(4)->fBusy, 0);
  EXPECT_EQ(t.GetChangeID(), 30009);

  t.UndoIt();
  EXPECT_EQ(Count(), 3);
  EXPECT_TRUE(At(0) == a && At(1) == b && At(2) == c);
  EXPECT_EQ(Selection(), "101");
  t.RedoIt();
  EXPECT_EQ(Selection(), "00011");
  EXPECT_EQ(Path(4), "open (5,23) (9,23)");
}

TEST_F(SelectionTrackersTest, ExchangeThatCannotGrowAListChangesNeitherSide) {
  Selected({{2, 2}, {6, 2}});
  Selected({{2, 20}, {6, 20}});
  TDCClone t;
  Start(t, {4, 2});
  Run(t, {{7, 5}});
  std::vector<TDShape*> shown{At(0), At(1), At(2), At(3)};
  for (int n = 0; n < 2; ++n) {  // the first, then the second new entry fails
    OsFailAllocationsAfter(n);
    t.UndoIt();
    OsFailAllocationsAfter(-1);
    ASSERT_EQ(Count(), 4);
    EXPECT_EQ((std::vector<TDShape*>{At(0), At(1), At(2), At(3)}), shown);
    EXPECT_EQ(t.fSaved->GetCount(), 2);
  }
  t.UndoIt();
  EXPECT_EQ(Count(), 2);
  OsFailAllocationsAfter(0);
  t.RedoIt();
  OsFailAllocationsAfter(-1);
  EXPECT_EQ(Count(), 2);
}

TEST_F(SelectionTrackersTest, SnapshotThatCannotCopyEveryFigureRaisesAndChangesNothing) {
  TDShape* a = Selected({{2, 2}, {6, 2}});
  TDShape* b = Polyline({{10, 10}, {14, 10}, {12, 12}});
  int failures = 0;
  for (int n = 0; n < 64; ++n) {
    TDCDrag t;
    OsImgPoint press{4, 2};
    OsFailAllocationsAfter(n);
    try {
      t.IDCDrag(&fContainer, &fView, &fDocument, press);
    } catch (const CMemoryException&) {
      OsFailAllocationsAfter(-1);
      ++failures;
      ASSERT_TRUE(Count() == 2 && At(0) == a && At(1) == b);
      continue;
    }
    OsFailAllocationsAfter(-1);
    EXPECT_EQ(Path(1), "open (10,10) (14,10) (12,12)");
    break;
  }
  // Every allocation failed once: the list, the container of copies, each copy
  // with its vertices, their entries and its own entry (6 and 8), and the
  // originals' two entries.
  EXPECT_EQ(failures, 18);
}

// ---------------------------------------------------------------------------
// Rotation centre

TEST_F(SelectionTrackersTest, CentreMarkFollowsClampedFiveFromTheFarEdgesAndUndoesExactly) {
  SetZoom(2);
  fContainer.fCenter = {5, 5};
  fContainer.DrawCenter(1);
  TDCCenter t;
  Start(t, {10, 10});
  EXPECT_TRUE(t.IsKindOf(RUNTIME_CLASS(TDCDCommand)));
  EXPECT_EQ(t.GetChangeID(), 30008);
  Gesture g(t);
  g.Press();
  g.MoveTo(40, 30);
  EXPECT_EQ(PointText(fContainer.fCenter), "13.5,9.5");
  EXPECT_TRUE(ShownInk(27, 19) && ShownInk(27, 14));
  EXPECT_FALSE(ShownInk(10, 10));
  g.MoveTo(-4, -9);
  EXPECT_EQ(PointText(fContainer.fCenter), "0,0");
  g.MoveTo(31, 23);
  g.Release(31, 23);
  t.DoIt();
  EXPECT_EQ(g.Constrained(), (Points{{10, 10}, {27, 19}, {0, 0}, {27, 19}, {27, 19}}));
  EXPECT_EQ(fReadOut.fPoints, (Points{{5, 5}, {13, 9}, {0, 0}, {13, 9}, {13, 9}}));
  EXPECT_EQ(fReadOut.fSizes, (Sizes{{0, 0}, {8, 4}, {-5, -5}, {8, 4}, {8, 4}}));
  EXPECT_EQ(fReadOut.fSizeClears, 1);
  for (int round = 0; round < 2; ++round) {
    t.UndoIt();
    EXPECT_EQ(PointText(fContainer.fCenter) + " " + PointText(t.fSavedCenter), "5,5 13.5,9.5");
    EXPECT_TRUE(ShownInk(10, 10));
    t.RedoIt();
    EXPECT_EQ(PointText(fContainer.fCenter) + " " + PointText(t.fSavedCenter), "13.5,9.5 5,5");
  }
  EXPECT_EQ(fContainer.fCenterShown, 1);
}

TEST_F(SelectionTrackersTest, CentreMarkWithShiftKeepsToTheAnchorsRowAfterTheClamp) {
  fContainer.fCenter = {10, 10};
  TDCCenter t;
  Start(t, {10, 10});
  Gesture g(t);
  g.Press();
  SetShift(true);
  g.MoveTo(16, 12);
  EXPECT_EQ(t.fAxis, TDCBase::kAxisYLocked);
  g.MoveTo(40, 30);
  EXPECT_EQ(g.Constrained(), (Points{{10, 10}, {16, 10}, {27, 10}}));
  EXPECT_EQ(PointText(fContainer.fCenter), "27,10");
}

// ---------------------------------------------------------------------------
// Gestures with nothing to do

TEST_F(SelectionTrackersTest, TrackersThatFoundNothingChangeNothingAndLeaveNothingBehind) {
  TDShape* a = Selected({{5, 5}, {9, 5}});
  Polyline({{20, 20}, {24, 20}});
  TDCSelect empty;  // a rectangle over empty space
  Select(empty, {10, 10}, 0, {{14, 14}});
  EXPECT_EQ(Selection(), "10");
  EXPECT_EQ(Unit(*a, 0)->fState, TDUnit::kFilled);

  TDCDrag drag;
  TDCClone clone;
  TDCCenter centre;
  OsImgPoint p{7, 5};
  drag.IDCDrag(nullptr, &fView, &fDocument, p);
  clone.IDCClone(nullptr, &fView, &fDocument, p);
  centre.IDCCenter(nullptr, &fView, &fDocument, p);
  const std::size_t points = fReadOut.fPoints.size(), sizes = fReadOut.fSizes.size();
  for (BTracker* t : std::initializer_list<BTracker*>{&drag, &clone, &centre}) {
    Gesture g(*t);
    EXPECT_EQ(g.Press(), t);
    EXPECT_EQ(g.MoveTo(17, 9), t);
    EXPECT_EQ(g.Release(), t);
    t->DoIt();
    t->UndoIt();
    t->RedoIt();
  }
  EXPECT_EQ(drag.fActive + clone.fActive + centre.fActive, 0);
  EXPECT_EQ(fReadOut.fPoints.size(), points);
  EXPECT_EQ(fReadOut.fSizes.size(), sizes);
  EXPECT_EQ(fReadOut.fSizeClears, 0);

  // Switched off after its snapshot: nothing moves, nothing is exchanged, and
  // the figures it holds go with it.
  TDCDrag off;
  off.IDCDrag(&fContainer, &fView, &fDocument, p);
  off.fActive = 0;
  TDShape* copy = At(0);
  Run(off, {{17, 9}});
  off.UndoIt();
  EXPECT_EQ(At(0), copy);
  EXPECT_EQ(Path(0), "open (5,5) (9,5)");
}

}  // namespace
