// Ovals, rectangles and polygons as they are begun and dragged.

#include "FigureFixture.h"
#include "OsRuntime.h"
#include "model/TDOval.h"
#include "model/TDPolygon.h"
#include "model/TDRectangle.h"

namespace {

class ClosedFigures : public FigureFixture {
 protected:
  template <typename Figure, typename... Count>
  Figure* Drag(OsImgPoint press, OsImgPoint current, Count... count) {
    auto* f = new Figure;
    EXPECT_TRUE(f->Begin(&fContainer, press.x, press.y, count...));
    fContainer.AddObject(f);
    f->Track(1, &press, &current);
    return f;
  }
  static std::string Steps(const TDShape& s) {
    std::string out;
    for (int i = 0; i < s.UnitCount(); ++i) out += std::to_string(Unit(s, i)->fSteps) + " ";
    return out;
  }
};

TEST_F(ClosedFigures, BeginPutsSelectedStraightVerticesAtThePressPoint) {
  SetZoom(2.0f, 1.0f, 0.0f);
  TDOval* oval = Drag<TDOval>({10, 6}, {10, 6});
  EXPECT_EQ(oval->UnitCount(), 4);
  EXPECT_EQ(oval->fOpen, 0);
  EXPECT_EQ(oval->fSelected, 1);
  EXPECT_EQ(oval->fBusy, 1);
  EXPECT_EQ(oval->fContainer, &fContainer);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(PointText(Unit(*oval, i)->fAnchor), "6,3");
    EXPECT_EQ(Unit(*oval, i)->fState, TDUnit::kFilled);
  }
  EXPECT_EQ(Steps(*oval), "0 0 0 0 ");

  // Out of memory half way: Begin reports it.
  auto* rect = new TDRectangle;
  OsFailAllocationsAfter(5);
  EXPECT_FALSE(rect->Begin(&fContainer, 0, 0));
  OsFailAllocationsAfter(-1);
  delete rect;
}

TEST_F(ClosedFigures, OvalInTheDraggedRectangle) {
  TDOval* oval = Drag<TDOval>({0, 0}, {100, 50});
  EXPECT_EQ(PathText(*oval),
            "closed (0,25 0,11.192875 0,38.807125) (50,0 77.61425,0 22.38575,0)"
            " (100,25 100,38.807125 100,11.192875) (50,50 22.38575,50 77.61425,50)");
  // Vertex 2 was measured against vertex 3 while it still sat at the press point.
  EXPECT_EQ(Steps(*oval), "0 0 0 0 ");
  OsImgPoint press{0, 0}, current{100, 50};
  oval->Track(1, &press, &current);
  EXPECT_EQ(Steps(*oval), "5 5 5 5 ");
}

TEST_F(ClosedFigures, OvalDraggedUpAndLeftRunsTheOtherWay) {
  TDOval* oval = Drag<TDOval>({100, 50}, {0, 0});
  EXPECT_EQ(PathText(*oval),
            "closed (100,25 100,38.807125 100,11.192875) (50,50 22.38575,50 77.61425,50)"
            " (0,25 0,11.192875 0,38.807125) (50,0 77.61425,0 22.38575,0)");
  TDOval* flat = Drag<TDOval>({10, 10}, {10, 30});  // no width: a vertical line
  for (int i = 0; i < 4; ++i) {
    const TDUnit* u = Unit(*flat, i);
    EXPECT_EQ(u->fAnchor.x, 10.0f);
    EXPECT_EQ(u->fDirection1.x, 10.0f);
    EXPECT_EQ(u->fDirection2.x, 10.0f);
  }
}

TEST_F(ClosedFigures, RectangleCornersTruncatedAndSixteenBitsWide) {
  SetZoom(2.0f);
  TDRectangle* r = Drag<TDRectangle>({20, 20}, {61, 41});  // image (10, 10) to (30.5, 20.5)
  EXPECT_EQ(PathText(*r), "closed (10,10) (30,10) (30,20) (10,20)");

  SetZoom(1.0f);
  TDRectangle* wide = Drag<TDRectangle>({0, 0}, {40000, 5});
  EXPECT_EQ(PathText(*wide), "closed (0,0) (-25536,0) (40000,5) (0,5)");
}

TEST_F(ClosedFigures, PolygonAroundThePressPoint) {
  TDPolygon* hexagon = Drag<TDPolygon>({100, 100}, {150, 100}, 6);
  ASSERT_EQ(hexagon->UnitCount(), 6);
  EXPECT_EQ(PointText(Unit(*hexagon, 0)->fAnchor), "150,100");
  EXPECT_EQ(Unit(*hexagon, 1)->fAnchor.x, 125.000038f);
  EXPECT_EQ(Unit(*hexagon, 1)->fAnchor.y, 56.6987534f);
  // A turn of 6.28318, not of 2 pi: half way round is not quite level.
  EXPECT_EQ(Unit(*hexagon, 3)->fAnchor.y, 99.9998703f);
  EXPECT_EQ(Unit(*hexagon, 3)->fDirection1.y, 99.9998703f);

  TDPolygon* small = Drag<TDPolygon>({10, 10}, {20, 10}, 2);
  EXPECT_EQ(small->fCount, 3);
  EXPECT_EQ(small->UnitCount(), 3);
}

}  // namespace
