// Repainting a container's figures, and taking its selection out: deleting,
// moving to another list, cloning, and the active region handed to the host.

#include <algorithm>
#include <memory>

#include "ContainerFixture.h"
#include "model/TDOval.h"

namespace {

using ContainerDraw = ContainerFixture;

TEST_F(ContainerDraw, BoundsMeetBesideButNotAboveOrBelow) {
  const OsImgRect figure{10, 10, 20, 20};
  EXPECT_TRUE(TObjectContainer::BoundsMeet(figure, {4, 12, 10, 15}));
  EXPECT_TRUE(TObjectContainer::BoundsMeet(figure, {20, 12, 26, 15}));
  EXPECT_FALSE(TObjectContainer::BoundsMeet(figure, {12, 4, 15, 10}));
  EXPECT_FALSE(TObjectContainer::BoundsMeet(figure, {12, 20, 15, 26}));
  EXPECT_FALSE(TObjectContainer::BoundsMeet(figure, {30, 12, 40, 15}));
  // An empty rectangle is the pixel at its corner.
  EXPECT_TRUE(TObjectContainer::BoundsMeet(figure, {15, 19, 15, 19}));
  EXPECT_FALSE(TObjectContainer::BoundsMeet(figure, {15, 20, 15, 20}));
}

TEST_F(ContainerDraw, RepaintDrawsTheFiguresTheUpdateRectMeetsAndAShownMark) {
  TDRectangle* r = Rect(10, 10, 20, 20);
  ASSERT_EQ(r->fBounds, (OsImgRect{10, 10, 21, 21}));
  // The outline of an 11 x 11 square; hidden markers draw nothing.
  for (const OsImgRect update : {OsImgRect{21, 12, 30, 15}, OsImgRect{0, 12, 10, 15}}) {
    UseScreen(64, 64);
    container.Draw(update);
    EXPECT_EQ(InkCount(), 40);
    EXPECT_TRUE(Ink(20, 15) && Ink(10, 15));
  }
  for (const OsImgRect update : {OsImgRect{12, 0, 15, 10}, OsImgRect{12, 21, 15, 30}}) {
    UseScreen(64, 64);
    container.Draw(update);
    EXPECT_EQ(InkCount(), 0);
    EXPECT_EQ(gSketchDirty, 0);
  }

  UseScreen(11, 11);
  container.fCenter.Set(5.0f, 5.0f);
  container.fCenterShown = 1;
  container.Draw({0, 0, 2, 2});  // far from the figure
  EXPECT_EQ(Art(), CenterMark());
  EXPECT_EQ(gSketchDirty, 1);
}

// Four rectangles A, B, C, D; A and C selected, B being drawn.
class ContainerEdit : public ContainerFixture {
 protected:
  void SetUp() override {
    ContainerFixture::SetUp();
    a = Rect(2, 2, 10, 10);
    b = Rect(12, 2, 20, 10);
    c = Rect(22, 2, 30, 10);
    d = Rect(32, 2, 40, 10);
    Select(a);
    Select(c);
    container.fDrawing = b;
  }

  // The list holds n new plain figures, each equal to its original.
  static void ExpectClones(const BList& list, std::vector<const TDShape*> originals, std::size_t n) {
    const std::vector<CObject*> items = Items(list);
    ASSERT_EQ(items.size(), n);
    for (std::size_t i = 0; i < n; ++i) {
      EXPECT_NE(items[i], originals[i]);
      EXPECT_STREQ(items[i]->GetRuntimeClass()->m_lpszClassName, "TDShape");
      EXPECT_TRUE(static_cast<const TDShape*>(items[i])->IsEqual(originals[i]));
    }
  }

  TDRectangle *a = nullptr, *b = nullptr, *c = nullptr, *d = nullptr;
};

TEST_F(ContainerEdit, DeleteMovesTheSelectionToTheEndOfTheTarget) {
  BList target;
  auto* earlier = new TDShape;
  ASSERT_NE(target.AddTail(earlier), nullptr);
  container.DeleteSelected(&target);
  EXPECT_EQ(Items(target), (std::vector<CObject*>{earlier, a, c}));
  EXPECT_EQ(Items(container), (std::vector<CObject*>{b, d}));
  EXPECT_EQ(container.fDrawing, nullptr);
  EXPECT_EQ(c->UnitCount(), 4);  // alive, or the sanitizer objects to this read
}

TEST_F(ContainerEdit, DeleteWithoutTargetDestroysTheSelection) {
  container.DeleteSelected(nullptr);
  EXPECT_EQ(Items(container), (std::vector<CObject*>{b, d}));
  EXPECT_EQ(container.fDrawing, nullptr);
}

TEST_F(ContainerEdit, CloneSelectedAppendsPlainShapeCopies) {
  auto* oval = new TDOval;  // begun selected
  OsImgPoint press{44, 20}, current{60, 40};
  ASSERT_TRUE(oval->Begin(&container, press.x, press.y));
  oval->Track(2, &press, &current);
  ASSERT_TRUE(container.AddObject(oval));
  BList target;
  container.CloneSelected(&target);
  EXPECT_EQ(container.fDrawing, nullptr);
  EXPECT_EQ(container.GetCount(), 5);
  ExpectClones(target, {a, c, oval}, 3);
}

TEST_F(ContainerEdit, CloneCopiesEveryFigureWithoutTheView) {
  std::unique_ptr<TObjectContainer> copy(container.Clone());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->GetView(), nullptr);
  ExpectClones(*copy, {a, b, c, d}, 4);
  for (BPosition pos = copy->GetHeadPosition(); pos != nullptr;) {
    EXPECT_EQ(static_cast<TDShape*>(copy->GetNext(pos))->fContainer, &container);
  }
}

TEST_F(ContainerEdit, CloningSurvivesEveryAllocationFailure) {
  // A whole copy takes 41 allocations: the container, then per rectangle the
  // figure, its four vertices with their entries, and the figure's own entry.
  // Once the switch trips nothing more is allocated, so the clones that made it
  // are always the first ones.
  for (std::size_t n = 0; n <= 45; ++n) {
    SCOPED_TRACE(n);
    OsFailAllocationsAfter(static_cast<int>(n));
    std::unique_ptr<TObjectContainer> copy(container.Clone());
    OsFailAllocationsAfter(-1);
    if (n == 0) {
      EXPECT_EQ(copy, nullptr);
    } else {
      ASSERT_NE(copy, nullptr);
      ExpectClones(*copy, {a, b, c, d}, std::min<std::size_t>((n - 1) / 10, 4));
    }

    BList target;
    OsFailAllocationsAfter(static_cast<int>(n));
    container.CloneSelected(&target);
    OsFailAllocationsAfter(-1);
    ExpectClones(target, {a, c}, std::min<std::size_t>(n / 10, 2));
  }
  EXPECT_EQ(container.GetCount(), 4);
}

using ContainerRegion = ContainerFixture;

TEST_F(ContainerRegion, OverlapOfTwoSelectedFiguresIsAHole) {
  TDRectangle* a = Rect(2, 2, 10, 8);   // pixels [2, 10) x [2, 8)
  TDRectangle* b = Rect(6, 4, 14, 12);  // pixels [6, 14) x [4, 12)
  Rect(20, 20, 30, 30);                 // not selected
  Select(a);
  Select(b);
  EXPECT_EQ(container.CalcActRgn(), 1);
  const BRegion& region = container.fActRegion;
  EXPECT_EQ(region.GetRects(), (std::vector<OsImgRect>{
                                   {2, 2, 10, 4}, {2, 4, 6, 8}, {10, 4, 14, 8}, {6, 8, 14, 12}}));
  EXPECT_EQ(region.GetBounds(), (OsImgRect{2, 2, 14, 12}));
  EXPECT_TRUE(region.Contains(5, 5));    // A only
  EXPECT_FALSE(region.Contains(7, 6));   // both
  EXPECT_TRUE(region.Contains(12, 10));  // B only

  container.SelectAll(0);
  container.CalcActRgn();
  EXPECT_TRUE(container.fActRegion.IsEmptyRegion());
}

}  // namespace
