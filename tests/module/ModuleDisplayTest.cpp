// Showing the sketch over the host's view: the repaint leaves the raster empty
// again, ink beyond the view included, and gives back the colours it borrowed;
// an update asks for a repaint only when there is something to show. Figures
// under a zoomed or scrolled view, each display colour, and the active region
// under a zoom, are in the replay scripts (select-drag, display,
// hostmod-region).

#include <string>

#include "ModuleFixture.h"

namespace {

using ModuleDisplay = ModuleFixture;

TEST_F(ModuleDisplay, UpdateRepaintsOnlyADirtyRaster) {
  SketchDrawPixel({3, 4});
  SketchDrawPixel({50, 30});  // beyond the view: not shown, but not kept either
  SketchUpdateView(&view, 0);
  EXPECT_EQ(Art(kInverted).substr(4 * 17, 17), "...#............\n");
  EXPECT_EQ(InkCount() + gSketchDirty, 0);  // the raster is empty and clean again
  SketchUpdateView(&view, 0);
  EXPECT_EQ(repaints, 1);
  // A view without a document has no figures to draw, but shows the raster.
  BView lone;
  lone.GetWindow()->OsPlace(0, 0, kViewW, kViewH);
  SketchDrawPixel({5, 1});
  Repaint(lone);
  EXPECT_EQ(Art(kInverted).substr(17, 17), ".....#..........\n");
}

// The host goes on drawing with its context after the sketch is laid over; any
// colour but inverted is painted through a colour table of the raster's own,
// which the raster must get back.
TEST_F(ModuleDisplay, ARepaintGivesBackTheColoursItBorrowed) {
  frame.assign(kViewW * kViewH, kBackground);
  for (const int colour : {ID_DISPLAY_INVERTED, ID_DISPLAY_PALETTE}) {
    SketchFillRect({2, 1, 5, 3});
    gModuleInterface.fDispColor = colour;
    CDC dc;
    dc.Attach(OsCreateBufferDC(frame.front().data(), kViewW, kViewH, kViewW * 3));
    dc.SetTextColor(RGB(10, 20, 30));
    dc.SetBkColor(RGB(40, 50, 60));
    gModuleInterface.RepaintRequest(&dc, &view);
    EXPECT_EQ(dc.SetTextColor(0), RGB(10, 20, 30)) << colour;
    EXPECT_EQ(dc.SetBkColor(0), RGB(40, 50, 60)) << colour;
    RGBQUAD table[2];
    ASSERT_EQ(gSketchRaster->GetColorTable(table, 2), 2);
    EXPECT_TRUE(table[0] == (RGBQUAD{0, 0, 0, 0}) && table[1] == (RGBQUAD{255, 255, 255, 0})) << colour;
  }
}

}  // namespace
