// Ovals, rectangles and polygons as they are begun and dragged.

#include "FigureFixture.h"
#include "OsRuntime.h"
#include "model/TDOval.h"
#include "model/TDPolygon.h"
#include "model/TDRectangle.h"

namespace {

class ClosedFigures : public FigureFixture {
 protected:
  // Begun at the press and dragged to the current point: the path, each
  // vertex's marker state and steps, and whether it is selected and busy.
  template <typename Figure, typename... Count>
  std::string Drag(OsImgPoint press, OsImgPoint current, Count... count) {
    auto* f = new Figure;
    EXPECT_TRUE(f->Begin(&fContainer, press.x, press.y, count...));
    fContainer.AddObject(f);
    f->Track(1, &press, &current);
    std::string steps;
    for (int i = 0; i < f->UnitCount(); ++i) steps += std::to_string(Unit(*f, i)->fSteps) + ",";
    return PathText(*f) + " " + States(*f) + " " + steps + " " + std::to_string(f->fSelected) +
           std::to_string(f->fBusy);
  }
};

TEST_F(ClosedFigures, EveryVertexIsPlacedFromThePressAndTheCurrentPoint) {
  SetZoom(2.0f, 1.0f, 0.0f);
  EXPECT_EQ(Drag<TDOval>({10, 6}, {10, 6}), "closed (6,3) (6,3) (6,3) (6,3) 2222 0,0,0,0, 11");
  SetZoom(2.0f);  // image (10, 10) to (30.5, 20.5): the corners truncated
  EXPECT_EQ(Drag<TDRectangle>({20, 20}, {61, 41}), "closed (10,10) (30,10) (30,20) (10,20) 2222 0,0,0,0, 11");
  SetZoom(1.0f);  // the corners beside the press keep sixteen bits
  EXPECT_EQ(Drag<TDRectangle>({0, 0}, {40000, 5}), "closed (0,0) (-25536,0) (40000,5) (0,5) 2222 0,0,0,0, 11");
  EXPECT_EQ(Drag<TDOval>({10, 10}, {10, 30}),  // without width: a vertical line
            "closed (10,20 10,14.47715 10,25.52285) (10,10) (10,20 10,25.52285 10,14.47715) (10,30) 2222 0,0,0,0, 11");
  EXPECT_EQ(Drag<TDPolygon>({10, 10}, {20, 10}, 2),  // at least three corners
            "closed (20,10) (5.0000153,1.339737) (4.9999695,18.660236) 222 0,0,0, 11");
}

TEST_F(ClosedFigures, BeginWithoutMemoryFails) {
  TDRectangle rect;
  OsFailAllocationsAfter(5);
  EXPECT_FALSE(rect.Begin(&fContainer, 0, 0));
  OsFailAllocationsAfter(-1);
}

}  // namespace
