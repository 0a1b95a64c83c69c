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
  EXPECT_EQ(PathText(*oval) + " " + States(*oval) + " " + Steps(*oval),
            "closed (6,3) (6,3) (6,3) (6,3) 2222 0 0 0 0 ");
  EXPECT_EQ(oval->fSelected + oval->fBusy, 2);

  // Out of memory half way: Begin reports it.
  auto* rect = new TDRectangle;
  OsFailAllocationsAfter(5);
  EXPECT_FALSE(rect->Begin(&fContainer, 0, 0));
  OsFailAllocationsAfter(-1);
  delete rect;
}

TEST_F(ClosedFigures, OvalInTheDraggedRectangleEitherWay) {
  TDOval* oval = Drag<TDOval>({0, 0}, {100, 50});
  EXPECT_EQ(PathText(*oval),
            "closed (0,25 0,11.192875 0,38.807125) (50,0 77.61425,0 22.38575,0)"
            " (100,25 100,38.807125 100,11.192875) (50,50 22.38575,50 77.61425,50)");
  // Vertex 2 was measured against vertex 3 while it still sat at the press point.
  EXPECT_EQ(Steps(*oval), "0 0 0 0 ");
  OsImgPoint press{0, 0}, current{100, 50};
  oval->Track(1, &press, &current);
  EXPECT_EQ(Steps(*oval), "5 5 5 5 ");

  EXPECT_EQ(PathText(*Drag<TDOval>({10, 10}, {10, 30})),
            "closed (10,20 10,14.47715 10,25.52285) (10,10) (10,20 10,25.52285 10,14.47715) (10,30)");  // no width: a vertical line
}

TEST_F(ClosedFigures, RectangleCornersTruncatedAndSixteenBitsWide) {
  SetZoom(2.0f);
  TDRectangle* r = Drag<TDRectangle>({20, 20}, {61, 41});  // image (10, 10) to (30.5, 20.5)
  EXPECT_EQ(PathText(*r), "closed (10,10) (30,10) (30,20) (10,20)");
  SetZoom(1.0f);
  EXPECT_EQ(PathText(*Drag<TDRectangle>({0, 0}, {40000, 5})), "closed (0,0) (-25536,0) (40000,5) (0,5)");
}

TEST_F(ClosedFigures, PolygonAroundThePressPoint) {
  TDPolygon* hexagon = Drag<TDPolygon>({100, 100}, {150, 100}, 6);
  // A turn of 6.28318, not of 2 pi: half way round is not quite level.
  EXPECT_EQ(PathText(*hexagon), "closed (150,100) (125.00004,56.698753) (75.00008,56.698685) (50,99.99987)"
                                " (74.99985,143.30118) (124.99981,143.30138)");
  TDPolygon* small = Drag<TDPolygon>({10, 10}, {20, 10}, 2);
  EXPECT_EQ(small->fCount + small->UnitCount(), 6);
}

}  // namespace
