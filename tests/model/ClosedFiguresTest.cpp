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
  EXPECT_EQ(PathText(*oval) + " " + States(*oval) + " " + Steps(*oval), "closed (6,3) (6,3) (6,3) (6,3) 2222 0 0 0 0 ");
  EXPECT_EQ(oval->fSelected + oval->fBusy, 2);

  // Out of memory half way: Begin reports it.
  auto* rect = new TDRectangle;
  OsFailAllocationsAfter(5);
  EXPECT_FALSE(rect->Begin(&fContainer, 0, 0));
  OsFailAllocationsAfter(-1);
  delete rect;
}

TEST_F(ClosedFigures, OvalWithoutWidthIsAVerticalLine) {
  EXPECT_EQ(PathText(*Drag<TDOval>({10, 10}, {10, 30})),
            "closed (10,20 10,14.47715 10,25.52285) (10,10) (10,20 10,25.52285 10,14.47715) (10,30)");
}

TEST_F(ClosedFigures, RectangleCornersTruncatedAndSixteenBitsWide) {
  SetZoom(2.0f);
  TDRectangle* r = Drag<TDRectangle>({20, 20}, {61, 41});  // image (10, 10) to (30.5, 20.5)
  EXPECT_EQ(PathText(*r), "closed (10,10) (30,10) (30,20) (10,20)");
  SetZoom(1.0f);
  EXPECT_EQ(PathText(*Drag<TDRectangle>({0, 0}, {40000, 5})), "closed (0,0) (-25536,0) (40000,5) (0,5)");
}

TEST_F(ClosedFigures, PolygonHasAtLeastThreeCorners) {
  TDPolygon* small = Drag<TDPolygon>({10, 10}, {20, 10}, 2);
  EXPECT_EQ(small->fCount + small->UnitCount(), 6);
}

}  // namespace
