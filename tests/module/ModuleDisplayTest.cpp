// Showing the sketch over the host's view: the repaint composites the raster in
// the display colour and leaves it empty again; an update asks for a repaint only
// when there is something to show. And the sketch documents behind the views.

#include <string>
#include <vector>

#include "ModuleFixture.h"

namespace {

using B = BModuleInterface;
struct Display {
  int color;
  ModuleFixture::Pixel ink;
};

class ModuleComposite : public ModuleFixture, public ::testing::WithParamInterface<Display> {};

TEST_P(ModuleComposite, PaintsOnlyTheInkAndLeavesTheRasterReset) {
  host.fPalette[255] = {10, 20, 30};
  host.fPalette[0] = {200, 100, 50};
  gModuleInterface.fPaletteIndex = 7;
  gModuleInterface.fDispColor = GetParam().color;
  SketchFillRect({2, 1, 5, 3});
  SketchDrawPixel({15, 7});
  // Ink beyond the view is not shown but must not outlive the repaint either.
  SketchDrawLine({12, 6}, {40, 6});
  SketchDrawPixel({50, 30});
  Repaint(view);
  EXPECT_EQ(Art(GetParam().ink), "................\n"
                                 "..###...........\n"
                                 "..###...........\n"
                                 "................\n"
                                 "................\n"
                                 "................\n"
                                 "............####\n"
                                 "...............#\n");
  ExpectRasterReset();
}

INSTANTIATE_TEST_SUITE_P(
    Colors, ModuleComposite,
    ::testing::Values(Display{B::kDisplayInverted, ModuleFixture::kInverted}, Display{B::kDisplayBlack, {10, 20, 30}},
                      Display{B::kDisplayTransparent, {200, 100, 50}}, Display{B::kDisplayPalette, {248, 248, 248}}));

using ModuleDisplay = ModuleFixture;

TEST_F(ModuleDisplay, OverlappingFiguresInvertWhereTheyCrossOnce) {
  Rect(1, 1, 8, 6);
  Rect(5, 3, 14, 7);
  Repaint(view);
  // The outlines cross at (8, 3) and (5, 6): inverted there like anywhere else.
  EXPECT_EQ(Art(kInverted), "................\n"
                            ".########.......\n"
                            ".#......#.......\n"
                            ".#...##########.\n"
                            ".#...#..#.....#.\n"
                            ".#...#..#.....#.\n"
                            ".########.....#.\n"
                            ".....##########.\n");
  ExpectRasterReset();
}

TEST_F(ModuleDisplay, ARepaintOfAScrolledZoomedViewDrawsTheFiguresUnderIt) {
  Rect(101, 102, 108, 106);  // far from the image origin, under the view only once scrolled
  view.GetZoom() = BZoom(2.0f, 2.0f, 100.0f, 102.0f);
  Repaint(view);
  // Image (101, 102) is view (2, 0); the right and bottom edges lie beyond the view.
  EXPECT_EQ(Art(kInverted), "..##############\n"
                            "..#.............\n"
                            "..#.............\n"
                            "..#.............\n"
                            "..#.............\n"
                            "..#.............\n"
                            "..#.............\n"
                            "..#.............\n");
}

TEST_F(ModuleDisplay, UpdateRepaintsOnlyADirtyRaster) {
  SketchDrawPixel({3, 4});
  SketchUpdateView(&view, 0);
  EXPECT_EQ(Art(kInverted).substr(4 * 17, 17), "...#............\n");
  ExpectRasterReset();
  SketchUpdateView(&view, 0);
  EXPECT_EQ(repaints, 1);
  // A view without a document has no figures to draw, but shows the raster.
  BView lone;
  lone.GetWindow()->OsPlace(0, 0, kViewW, kViewH);
  SketchDrawPixel({5, 1});
  Repaint(lone);
  EXPECT_EQ(Art(kInverted).substr(17, 17), ".....#..........\n");
}

TEST_F(ModuleDisplay, DestroyingADocumentDestroysItsFiguresButNotTheClipboard) {
  { CSketchDocument neverInitialised; }
  auto* clipped = new TDRectangle;
  TObjectContainer::fClipContainer->AddTail(clipped);
  {
    BDocument other;
    BModuleDocument* added = gModuleInterface.CreateModuleDocument(&other);
    other.SetModuleDocument(1, added);
    ASSERT_EQ(added->InitDocument(&other), 1);
    EXPECT_TRUE(static_cast<CSketchDocument*>(added)->fContainer->AddObject(new TDRectangle));
  }
  ASSERT_EQ(TObjectContainer::fClipContainer->GetCount(), 1);
  EXPECT_EQ(TObjectContainer::fClipContainer->GetItem(TObjectContainer::fClipContainer->GetHeadPosition()), clipped);
}

TEST_F(ModuleDisplay, ActiveRegionIsInImageUnitsWhateverTheZoomAndKeepsTheZoom) {
  Rect(2, 2, 10, 8);
  view.GetZoom() = BZoom(2.0f, 2.0f, 3.0f, 5.0f);
  BRegion region;
  region.IRegion();
  ASSERT_EQ(SketchCalcActRegion(&region, &document), 1);
  EXPECT_EQ(region.GetRects(), (std::vector<OsImgRect>{{2, 2, 10, 8}}));
  const BZoom& z = view.GetZoom();
  EXPECT_EQ((std::vector<float>{z.fZoomX, z.fZoomY, z.fOriginX, z.fOriginY, z.fDivX, z.fDivY}),
            (std::vector<float>{2.0f, 2.0f, 3.0f, 5.0f, 1.0f, 1.0f}));
}

}  // namespace
