// Repainting a container's figures, taking its selection out and the active
// region handed to the host; the rest of its editing is in the replay scripts.

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "OsRuntime.h"
#include "model/FigureFixture.h"

namespace {

// Closed straight-edged figures, whose ink and bounds follow from their corners.
class ContainerFixture : public FigureFixture {
 protected:
  void TearDown() override {
    OsFailAllocationsAfter(-1);  // a failed assertion must not leave the switch set
    FigureFixture::TearDown();
  }

  TDShape* Rect(float x0, float y0, float x1, float y1) {
    return Polyline({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, true);
  }

  template <typename... Shape>
  static void Select(Shape*... shapes) {
    (shapes->SetSelect(1, 1, 0), ...);
  }

  static std::vector<CObject*> Items(const BList& list) {
    std::vector<CObject*> items;
    for (BPosition pos = list.GetHeadPosition(); pos != nullptr;) items.push_back(list.GetNext(pos));
    EXPECT_EQ(static_cast<int>(items.size()), list.GetCount());
    return items;
  }
};

using ContainerDraw = ContainerFixture;

TEST_F(ContainerDraw, RepaintDrawsTheFiguresTheUpdateRectMeetsAndAShownMark) {
  Rect(10, 10, 20, 20);               // bounds {10, 10, 21, 21}
  fContainer.Draw({12, 21, 15, 30});  // below
  EXPECT_EQ(InkCount(), 0);
  // Beside: the outline of the 11 x 11 square; hidden markers draw nothing.
  fContainer.Draw({21, 12, 30, 15});
  EXPECT_EQ(InkCount(), 40);
  UseScreen(11, 11);
  fContainer.fCenter.Set(5.0f, 5.0f);
  fContainer.fCenterShown = 1;
  fContainer.Draw({0, 0, 2, 2});  // far from the figure: the mark alone, its cross reaching 5 each way
  EXPECT_TRUE(InkCount() == 33 && Ink(5, 0) && Ink(5, 10) && Ink(0, 5) && Ink(10, 5));
  EXPECT_EQ(gSketchDirty, 1);
}

// Four rectangles A, B, C, D; A and C selected, B being drawn.
class ContainerEdit : public ContainerFixture {
 protected:
  void SetUp() override {
    ContainerFixture::SetUp();
    a = Rect(2, 2, 10, 10), b = Rect(12, 2, 20, 10);
    c = Rect(22, 2, 30, 10), d = Rect(32, 2, 40, 10);
    Select(a, c);
    fContainer.fDrawing = b;
  }

  // The list holds n new figures, each equal to its original and naming this fContainer.
  void ExpectClones(const BList& list, std::vector<const TDShape*> originals, std::size_t n) const {
    const std::vector<CObject*> items = Items(list);
    ASSERT_EQ(items.size(), n);
    for (std::size_t i = 0; i < n; ++i) {
      const auto* clone = static_cast<const TDShape*>(items[i]);
      EXPECT_TRUE(clone != originals[i] && clone->IsEqual(originals[i]) && clone->fContainer == &fContainer) << i;
    }
  }

  TDShape *a = nullptr, *b = nullptr, *c = nullptr, *d = nullptr;
};

TEST_F(ContainerEdit, DeleteMovesTheSelectionToTheEndOfTheTargetOrDestroysIt) {
  BList target;
  auto* earlier = new TDShape;
  ASSERT_NE(target.AddTail(earlier), nullptr);
  fContainer.DeleteSelected(&target);
  EXPECT_EQ(Items(target), (std::vector<CObject*>{earlier, a, c}));
  EXPECT_EQ(fContainer.fDrawing, nullptr);
  EXPECT_EQ(c->UnitCount(), 4);  // alive, or the sanitizer objects to this read
  Select(d);
  fContainer.DeleteSelected(nullptr);
  EXPECT_EQ(Items(fContainer), (std::vector<CObject*>{b}));
}

TEST_F(ContainerEdit, AFigureTakenOutIsNoLongerUnderConstruction) {
  const std::unique_ptr<TDShape> first(a), second(b);
  ASSERT_TRUE(fContainer.TakeOut(a));
  EXPECT_EQ(fContainer.fDrawing, b);
  ASSERT_TRUE(fContainer.TakeOut(b));
  EXPECT_EQ(fContainer.fDrawing, nullptr);
  EXPECT_EQ(fContainer.GetCount(), 2);
}

TEST_F(ContainerEdit, CloningSurvivesEveryAllocationFailure) {
  // The container, then ten allocations per rectangle; once the switch trips
  // nothing more is allocated, so the clones that made it are the first ones.
  for (std::size_t n = 0; n <= 45; ++n) {
    SCOPED_TRACE(n);
    OsFailAllocationsAfter(static_cast<int>(n));
    std::unique_ptr<TObjectContainer> copy(fContainer.Clone());
    OsFailAllocationsAfter(-1);
    ASSERT_EQ(copy == nullptr, n == 0);  // no copy only when the container itself fails
    if (n > 0) {
      EXPECT_EQ(copy->GetView(), nullptr);
      ExpectClones(*copy, {a, b, c, d}, std::min<std::size_t>((n - 1) / 10, 4));
    }

    BList target;
    OsFailAllocationsAfter(static_cast<int>(n));
    fContainer.CloneSelected(&target);
    OsFailAllocationsAfter(-1);
    ExpectClones(target, {a, c}, std::min<std::size_t>(n / 10, 2));
  }
  EXPECT_EQ(fContainer.GetCount(), 4);
  EXPECT_EQ(fContainer.fDrawing, nullptr);  // a clone of the selection ends the figure being drawn
}

using ContainerRegion = ContainerFixture;

TEST_F(ContainerRegion, WithoutMemoryForAFiguresPointsTheRegionIsWhatCameBefore) {
  TDShape* first = Rect(2, 2, 10, 8);  // added in this order: arguments have none
  Select(first, Rect(20, 20, 30, 30));
  for (const auto& [allocations, rects] :
       {std::pair{0, std::vector<OsImgRect>{}}, std::pair{1, std::vector<OsImgRect>{{2, 2, 10, 8}}}}) {
    OsFailOneAllocationAfter(allocations);
    EXPECT_EQ(fContainer.CalcActRgn(), 1);
    OsFailAllocationsAfter(-1);
    EXPECT_EQ(fContainer.fActRegion.GetRects(), rects) << allocations;
  }
}

}  // namespace
