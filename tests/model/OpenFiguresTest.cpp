// Figures as they are begun and drawn; strokes and dragged-out figures are replayed.

#include <tuple>

#include "FigureFixture.h"
#include "OsRuntime.h"
#include "model/TDFreeLine.h"
#include "model/TDLine.h"
#include "model/TDMuLine.h"
#include "model/TDRectangle.h"

namespace {

class OpenFigures : public FigureFixture {
 protected:
  TDMuLine* Start(int x, int y) {
    auto* f = new TDMuLine;
    EXPECT_TRUE(f->Begin(&fContainer, x, y));
    fContainer.AddObject(f);
    fContainer.fDrawing = f;
    return f;
  }
  static void Click(TDShape* f, OsImgPoint at) {
    f->Track(1, &at, &at);
    f->Track(0, &at, &at);
  }
};

// At zoom 2 the first vertex sits at view (20, 20): the box is [16, 24).
TEST_F(OpenFigures, MultiLineClosesOnlyOnAClickNearItsFirstVertex) {
  TDMuLine* lone = Start(10, 10);
  Click(lone, {10, 10});  // a lone vertex cannot be closed on
  EXPECT_TRUE(lone->UnitCount() == 2 && lone->fCurrent == Unit(*lone, 1) && fContainer.fDrawing == lone);
  SetZoom(2.0f);
  TDMuLine* m = Start(20, 20);
  for (OsImgPoint p : std::initializer_list<OsImgPoint>{{20, 20}, {80, 20}, {80, 60}, {24, 20}, {20, 24}}) Click(m, p);
  EXPECT_EQ(m->UnitCount(), 6);
  Click(m, {16, 23});
  EXPECT_EQ(PathText(*m) + " " + States(*m), "closed (10,10) (40,10) (40,30) (12,10) (10,12) (8,11.5) 222222");
  EXPECT_TRUE(m->fCurrent == Unit(*m, 0) && fContainer.fDrawing == nullptr);
}

// Each vertex is two allocations, the vertex and its list entry.
TEST_F(OpenFigures, BeginWithoutMemory) {
  for (int n = 0; n <= 8; ++n) {
    TDLine line;
    TDMuLine multi;
    TDRectangle rect;
    OsFailAllocationsAfter(n);
    const bool lineBegun = line.Begin(&fContainer, 0, 0);
    OsFailAllocationsAfter(n);
    const bool multiBegun = multi.Begin(&fContainer, 0, 0);
    OsFailAllocationsAfter(n);
    // Begun, a figure is selected and busy while it is dragged out.
    const bool rectBegun = rect.Begin(&fContainer, 0, 0) && rect.fSelected == 1 && rect.fBusy == 1;
    OsFailAllocationsAfter(-1);
    EXPECT_EQ(std::tuple(lineBegun, multiBegun, multi.fCurrent != nullptr, rectBegun),
              std::tuple(n >= 4, n >= 2, n >= 2, n >= 8))
        << n;
  }
  // A stroke whose first sample is lost starts with the next one.
  auto* f = new TDFreeLine;
  fContainer.AddObject(f);
  OsFailAllocationsAfter(0);
  EXPECT_TRUE(f->Begin(&fContainer, 0, 0));
  OsFailAllocationsAfter(-1);
  OsImgPoint press{0, 0}, to{21, 0};
  f->Track(1, &press, &to);
  EXPECT_EQ(PathText(*f), "open (21,0)");
}

}  // namespace
