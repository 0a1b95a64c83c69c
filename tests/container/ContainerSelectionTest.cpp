// Selecting figures in a container: clicks, rectangles, and what is then done to
// the selection as a whole (dragging, busy flags, traces, the active area and its
// rotation-centre mark).

#include "ContainerFixture.h"

namespace {

using ContainerClick = ContainerFixture;

TEST_F(ContainerClick, WhereFiguresOverlapTheOlderOneIsHit) {
  TDRectangle* older = Rect(2, 2, 10, 10);
  TDRectangle* newer = Rect(6, 6, 14, 14);
  // (10, 6) lies on the older one's right edge and on the newer one's top edge.
  EXPECT_EQ(container.Check({10, 6}, TObjectContainer::kClickReplace), 1);
  EXPECT_EQ(Flags({older, newer}, &TDShape::fSelected), "10");
}

TEST_F(ContainerClick, ModesReplaceToggleAndAdd) {
  TDRectangle* a = Rect(10, 10, 20, 20);
  TDRectangle* b = Rect(40, 10, 50, 20);
  const auto click = [&](OsImgPoint p, int mode, int hit) {
    EXPECT_EQ(container.Check(p, mode), hit);
    return Flags({a, b}, &TDShape::fSelected);
  };
  // Within 3 pixels of an edge hits, on either side of it.
  EXPECT_EQ(click({7, 15}, TObjectContainer::kClickReplace, 1), "10");
  EXPECT_EQ(click({43, 15}, TObjectContainer::kClickReplace, 1), "01");
  EXPECT_EQ(click({23, 15}, TObjectContainer::kClickAdd, 1), "11");
  EXPECT_EQ(click({10, 15}, TObjectContainer::kClickAdd, 1), "11");
  EXPECT_EQ(click({10, 15}, TObjectContainer::kClickToggle, 1), "01");
  // 5 pixels away is empty space.
  EXPECT_EQ(click({25, 15}, TObjectContainer::kClickToggle, 0), "01");
  EXPECT_EQ(click({5, 15}, TObjectContainer::kClickReplace, 0), "00");
}

TEST_F(ContainerClick, ClicksAreInViewPixelsOfTheZoom) {
  SetZoom(2.0f, 10.0f, 20.0f);
  // Image corners (12, 23) and (20, 35): view corners (4, 6) and (20, 30).
  TDRectangle* r = Rect(4, 6, 20, 30);
  EXPECT_EQ(container.Check({4, 18}, TObjectContainer::kClickReplace), 1);
  EXPECT_EQ(r->fSelected, 1);
  // The middle of the view rectangle is 8 pixels from its sides.
  EXPECT_EQ(container.Check({12, 18}, TObjectContainer::kClickReplace), 0);
  EXPECT_EQ(r->fSelected, 0);
}

// Three rectangles at zoom 2 with origin (10, 20), given by their image corners
// (12, 24)-(20, 30), (30, 24)-(40, 30) and (12, 32)-(20, 40).
class ContainerSelection : public ContainerFixture {
 protected:
  void SetUp() override {
    ContainerFixture::SetUp();
    SetZoom(2.0f, 10.0f, 20.0f);
    a = Rect(4, 8, 20, 20);
    b = Rect(40, 8, 60, 20);
    c = Rect(4, 24, 20, 40);
  }
  std::string Selected() const { return Flags({a, b, c}, &TDShape::fSelected); }

  TDRectangle *a = nullptr, *b = nullptr, *c = nullptr;
};

TEST_F(ContainerSelection, RectangleTogglesFiguresWhosePathCrossesIt) {
  container.SelectInRect({8, 4, 12, 12}, 0);  // image [14, 16) x [22, 26): A's top edge
  EXPECT_EQ(Selected(), "100");
  container.SelectInRect({8, 4, 12, 12}, 0);
  EXPECT_EQ(Selected(), "000");
  container.SelectInRect({8, 12, 16, 16}, 0);  // image [14, 18) x [26, 28): inside A
  EXPECT_EQ(Selected(), "000");
  container.SelectInRect({8, 16, 12, 28}, 0);  // image [14, 16) x [28, 34): A's bottom, C's top
  EXPECT_EQ(Selected(), "101");
}

TEST_F(ContainerSelection, DragAndBusyOnlyTouchTheSelection) {
  Select(a);
  Select(c);
  container.SetBusy(1);
  EXPECT_EQ(Flags({a, b, c}, &TDShape::fBusy), "101");

  EXPECT_EQ(a->fBounds, (OsImgRect{12, 24, 21, 31}));
  container.DragSelected(0, {3, -2});
  EXPECT_EQ(a->fBounds, (OsImgRect{15, 22, 24, 29}));
  EXPECT_EQ(a->FirstUnit()->fAnchor.x, 15.0f);
  EXPECT_EQ(a->FirstUnit()->fAnchor.y, 22.0f);
  EXPECT_EQ(c->fBounds, (OsImgRect{15, 30, 24, 39}));
  EXPECT_EQ(b->fBounds, (OsImgRect{30, 24, 41, 31}));
}

TEST_F(ContainerSelection, SelectAllOffHidesEveryMarker) {
  Select(a);
  // B is not selected but shows its vertices, as in point editing: those go too.
  b->SetUnitState(TDUnit::kOutline, nullptr);
  container.SelectAll(0);
  EXPECT_EQ(Selected(), "000");
  for (TDRectangle* r : {a, b, c}) {
    for (BPosition pos = r->fUnits.GetHeadPosition(); pos != nullptr;) {
      EXPECT_EQ(static_cast<const TDUnit*>(r->fUnits.GetNext(pos))->fState, TDUnit::kHidden);
    }
  }
}

TEST_F(ContainerSelection, TraceWalksTheSelectedFiguresInImagePixels) {
  Select(a);
  Select(c);
  OsImgPoint* list = nullptr;
  int count = 0;
  ASSERT_TRUE(container.GetTraceList(&list, &count));
  // Each rectangle walks its top, right and bottom edge, every end point left to
  // the next edge: A 8 + 6 + 8 pixels, C 8 + 8 + 8; nothing of B.
  ASSERT_EQ(count, 46);
  EXPECT_EQ(list[0], (OsImgPoint{12, 24}));
  EXPECT_EQ(list[8], (OsImgPoint{20, 24}));
  EXPECT_EQ(list[14], (OsImgPoint{20, 30}));
  EXPECT_EQ(list[21], (OsImgPoint{13, 30}));
  EXPECT_EQ(list[22], (OsImgPoint{12, 32}));
  EXPECT_EQ(list[45], (OsImgPoint{13, 40}));
  OsFree(list);
}

using ContainerActiveArea = ContainerFixture;

TEST_F(ContainerActiveArea, AreaIsTheUnionOfTheSelectedBounds) {
  TDRectangle* a = Rect(2, 3, 7, 6);      // bounds {2, 3, 8, 7}
  TDRectangle* b = Rect(20, 10, 30, 25);  // bounds {20, 10, 31, 26}
  TDRectangle* c = Rect(40, 40, 50, 50);  // bounds {40, 40, 51, 51}
  const auto expectArea = [this](OsImgRect area, float cx, float cy) {
    EXPECT_EQ(container.fActArea, area);
    EXPECT_EQ(container.fCenter.x, cx);
    EXPECT_EQ(container.fCenter.y, cy);
  };
  Select(a);
  Select(b);
  EXPECT_EQ(container.CalcActArea(), 1);
  expectArea({2, 3, 31, 26}, 16.5f, 14.5f);
  container.SelectAll(0);
  container.CalcActArea();
  expectArea({2, 3, 31, 26}, 16.5f, 14.5f);
  Select(c);
  container.CalcActArea();
  expectArea({40, 40, 51, 51}, 45.5f, 45.5f);
}

TEST_F(ContainerActiveArea, CenterMarkIsDrawnOnceAndHitOnlyWhileShown) {
  UseScreen(11, 11);
  SetZoom(2.0f, 4.0f, 2.0f);
  container.fCenter.Set(6.5f, 4.5f);  // view (5, 5)
  EXPECT_FALSE(container.CheckCenter({5, 5}));

  EXPECT_EQ(container.DrawCenter(1), 1);
  EXPECT_EQ(Art(), CenterMark());
  for (const OsImgPoint p : {OsImgPoint{2, 2}, OsImgPoint{8, 8}}) EXPECT_TRUE(container.CheckCenter(p));
  for (const OsImgPoint p : {OsImgPoint{1, 5}, OsImgPoint{9, 5}, OsImgPoint{5, 1}, OsImgPoint{5, 9}}) {
    EXPECT_FALSE(container.CheckCenter(p));
  }

  UseScreen(11, 11);
  EXPECT_EQ(container.DrawCenter(1), 0);
  EXPECT_EQ(container.DrawCenter(0), 1);
  EXPECT_EQ(InkCount(), 0);
  EXPECT_FALSE(container.CheckCenter({5, 5}));
}

}  // namespace
