// Selecting figures in a container: clicks, rectangles, and what is then done to
// the selection as a whole (dragging, busy flags, traces, the active area and its
// rotation-centre mark).

#include <sstream>

#include "ContainerFixture.h"

namespace {

using ContainerClick = ContainerFixture;

TEST_F(ContainerClick, ModesReplaceToggleAndAdd) {
  TDRectangle* a = Rect(10, 10, 20, 20);
  TDRectangle* b = Rect(40, 10, 50, 20);
  // Within 3 pixels of an edge hits, on either side of it; 5 pixels away is empty space.
  // A plain click on a figure already selected keeps the whole selection.
  const int R = TObjectContainer::kClickReplace, T = TObjectContainer::kClickToggle, A = TObjectContainer::kClickAdd;
  const std::pair<int, int> clicks[] = {{7, R}, {43, R}, {23, A}, {10, A}, {10, R}, {10, T}, {25, T}, {5, R}};
  std::string got;  // per click: hit, then A's and B's selection
  for (const auto& [x, mode] : clicks) {
    got += std::to_string(container.Check({x, 15}, mode));
    got += Flags({a, b}, &TDShape::fSelected) + " ";
  }
  EXPECT_EQ(got, "110 101 111 111 111 101 001 000 ");
}

// Three rectangles at zoom 2 with origin (10, 20), given by their image corners
// (12, 24)-(20, 30), (30, 24)-(40, 30) and (12, 32)-(20, 40).
class ContainerSelection : public ContainerFixture {
 protected:
  void SetUp() override {
    ContainerFixture::SetUp();
    SetZoom(2.0f, 10.0f, 20.0f);
    a = Rect(4, 8, 20, 20), b = Rect(40, 8, 60, 20), c = Rect(4, 24, 20, 40);
  }
  std::string Selected() const { return Flags({a, b, c}, &TDShape::fSelected); }

  TDRectangle *a = nullptr, *b = nullptr, *c = nullptr;
};

TEST_F(ContainerSelection, AClickBetweenTwoFiguresHitsTheOlderOne) {
  // View (12, 22) is 2 pixels below A's bottom edge and 2 above C's top edge.
  EXPECT_EQ(container.Check({12, 22}, TObjectContainer::kClickReplace), 1);
  EXPECT_EQ(Selected(), "100");
}

TEST_F(ContainerSelection, RectangleTogglesFiguresWhosePathCrossesIt) {
  std::string selected;
  // Image [14, 16) x [22, 26): A's top edge, twice; [14, 18) x [26, 28): inside A;
  // [14, 16) x [28, 34): A's bottom and C's top.
  const OsImgRect rects[] = {{8, 4, 12, 12}, {8, 4, 12, 12}, {8, 12, 16, 16}, {8, 16, 12, 28}};
  for (const OsImgRect& r : rects) {
    container.SelectInRect(r, 0);
    selected += Selected() + " ";
  }
  EXPECT_EQ(selected, "100 000 000 101 ");
}

TEST_F(ContainerSelection, DragAndBusyOnlyTouchTheSelection) {
  Select(a, c);
  container.SetBusy(1);
  EXPECT_EQ(Flags({a, b, c}, &TDShape::fBusy), "101");
  container.DragSelected(0, {3, -2});
  std::ostringstream bounds;
  bounds << a->fBounds << c->fBounds << b->fBounds << a->FirstUnit()->fAnchor.x << "," << a->FirstUnit()->fAnchor.y;
  EXPECT_EQ(bounds.str(), "{15, 22, 24, 29}{15, 30, 24, 39}{30, 24, 41, 31}15,22");
}

TEST_F(ContainerSelection, SelectAllOffHidesEveryMarker) {
  Select(a);
  b->SetUnitState(TDUnit::kOutline, nullptr);  // B, not selected, shows its vertices (point editing): those go too
  container.SelectAll(0);
  EXPECT_EQ(Selected(), "000");
  for (TDRectangle* r : {a, b, c}) {
    for (BPosition pos = r->fUnits.GetHeadPosition(); pos != nullptr;) {
      EXPECT_EQ(static_cast<const TDUnit*>(r->fUnits.GetNext(pos))->fState, TDUnit::kHidden);
    }
  }
}

TEST_F(ContainerSelection, TraceWalksTheSelectedFiguresInImagePixels) {
  Select(a, c);
  OsImgPoint* list = nullptr;
  int count = 0;
  ASSERT_TRUE(container.GetTraceList(&list, &count));
  // Each walks its top, right and bottom edge, end points left to the next: A 8 + 6 + 8, C 8 + 8 + 8; B nothing.
  ASSERT_EQ(count, 46);
  std::ostringstream points;
  for (int i : {0, 8, 14, 21, 22, 45}) points << list[i];
  EXPECT_EQ(points.str(), "(12, 24)(20, 24)(20, 30)(13, 30)(12, 32)(13, 40)");
  OsFree(list);
}

using ContainerActiveArea = ContainerFixture;

TEST_F(ContainerActiveArea, AreaIsTheUnionOfTheSelectedBoundsAndKeptWithoutASelection) {
  TDRectangle* a = Rect(2, 3, 7, 6);      // bounds {2, 3, 8, 7}
  TDRectangle* b = Rect(20, 10, 30, 25);  // bounds {20, 10, 31, 26}
  TDRectangle* c = Rect(40, 40, 50, 50);  // bounds {40, 40, 51, 51}
  std::ostringstream areas;
  for (const auto& select : {std::vector<TDShape*>{a, b}, std::vector<TDShape*>{}, std::vector<TDShape*>{c}}) {
    container.SelectAll(0);
    for (TDShape* s : select) Select(s);
    EXPECT_EQ(container.CalcActArea(), 1);
    areas << container.fActArea << " " << container.fCenter.x << "," << container.fCenter.y << " ";
  }
  EXPECT_EQ(areas.str(), "{2, 3, 31, 26} 16.5,14.5 {2, 3, 31, 26} 16.5,14.5 {40, 40, 51, 51} 45.5,45.5 ");
}

TEST_F(ContainerActiveArea, CenterMarkIsDrawnOnceAndHitOnlyWhileShown) {
  UseScreen(11, 11);
  SetZoom(2.0f, 4.0f, 2.0f);
  container.fCenter.Set(6.5f, 4.5f);  // view (5, 5)
  EXPECT_EQ(container.DrawCenter(1), 1);
  EXPECT_TRUE(MarkInTheMiddle());
  // Hit within the 7 x 7 square around the centre.
  std::string hits;
  const OsImgPoint points[] = {{2, 2}, {8, 8}, {1, 5}, {9, 5}, {5, 1}, {5, 9}};
  for (const OsImgPoint& p : points) hits += container.CheckCenter(p) ? '1' : '0';
  EXPECT_EQ(hits, "110000");
  UseScreen(11, 11);
  EXPECT_EQ(container.DrawCenter(1), 0);
  EXPECT_EQ(container.DrawCenter(0), 1);
  EXPECT_EQ(InkCount(), 0);
  EXPECT_FALSE(container.CheckCenter({5, 5}));
}

}  // namespace
