// The interface as the host drives it where the replays and sweeps do not go:
// no current view, no memory, palette windows, the profile and greyed commands.

#include <algorithm>
#include <array>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>

#include "BCommand.h"
#include "OsRuntime.h"
#include "container/ShapeWalk.h"
#include "model/TDLine.h"
#include "model/TDUnit.h"
#include "module/ModuleFixture.h"
#include "resources/SketchResources.h"

namespace {

// What no undo step records: selection, vertex states, bounds, the active area.
std::string Unrecorded(const TObjectContainer& c) {
  std::ostringstream out;
  const OsImgRect& a = c.fActArea;
  out << a.left << ' ' << a.top << ' ' << a.right << ' ' << a.bottom << ' ' << c.fCenter.x << ' ' << c.fCenter.y << ' '
      << c.fCenterShown << ' ' << c.fDrawing << '\n';
  ForEachShape(c, [&](TDShape& s) {
    const OsImgRect& b = s.fBounds;
    out << &s << ' ' << s.fSelected << ' ' << b.left << ' ' << b.top << ' ' << b.right << ' ' << b.bottom << ':';
    for (BPosition pos = s.fUnits.GetHeadPosition(); pos != nullptr;) {
      const auto* u = static_cast<const TDUnit*>(s.fUnits.GetNext(pos));
      out << ' ' << u->fSelected << int{u->fState};
    }
    out << '\n';
  });
  return out.str();
}

class ModuleMenu : public ModuleFixture {
 protected:
  void SetUp() override {
    ModuleFixture::SetUp();
    Add(2, 2, 8, 6);
  }
  // Presses failing after 0, 1, 2... allocations until one goes through; how many failed.
  int PressesOutOfMemoryChangeNothing(OsImgPoint at, bool replayed = false) {
    const std::string before = Unrecorded(*sketch->fContainer);
    int n = 0;
    for (bool done = false; !done; ++n) {
      OsFailAllocationsAfter(n);
      try {
        OsImgPoint point = at;
        replayed ? gModuleInterface.CommandReplicater(1, point) : gModuleInterface.DoMouseCommandL(point, 0);
        done = true;
      } catch (const CMemoryException&) {
        EXPECT_EQ(Unrecorded(*sketch->fContainer), before) << "allocation " << n;
      }
      OsFailAllocationsAfter(-1);
    }
    return n - 1;
  }
};

// The other pen tool's press first finishes the figure left open; the handlers
// select and hide the centre mark before their tracker exists.
TEST_F(ModuleMenu, APenPressThatFinishesTheOpenFigureAndRunsOutOfMemoryChangesNothing) {
  TObjectContainer& c = *sketch->fContainer;
  gModuleInterface.DoToolChange(kToolPen, 1);
  OsImgPoint start{40, 30};
  gModuleInterface.DoMouseCommandL(start, 0);
  ASSERT_TRUE(c.fDrawing != nullptr && viewPosts.size() == 1u);
  viewPosts[0]->DoIt();
  const std::unique_ptr<BCommand> pen = std::move(viewPosts[0]);
  viewPosts.clear();
  host.fView = nullptr;
  gModuleInterface.DoToolChange(kToolMultiLine, 1);
  host.fView = &view;
  c.fCenterShown = 1;
  EXPECT_GT(PressesOutOfMemoryChangeNothing({44, 30}), 0);
}

// The white arrow selects before its tracker exists.
TEST_F(ModuleMenu, AReplayedPressThatRunsOutOfMemoryChangesNothing) {
  Add<TDLine>(10, 4, 15, 4, 0);
  sketch->fContainer->SelectAll(0);
  EXPECT_GT(PressesOutOfMemoryChangeNothing({12, 4}, true), 0);
  EXPECT_EQ(viewPosts.size(), 1u);  // the press picks the line and drags a copy of it
}

TEST_F(ModuleMenu, ACommandWithoutAViewOrMemoryPostsNothing) {
  host.fView = nullptr;
  const int commands[] = {ID_MIRROR_HORIZONTAL, ID_ROTATE_180, ID_EDIT_COPY,      ID_EDIT_CUT,
                          ID_EDIT_PASTE,        ID_EDIT_CLEAR, ID_EDIT_SELECT_ALL};
  for (int command : commands) gModuleInterface.DoMenuCommand(command);
  EXPECT_TRUE(viewPosts.empty() && host.fPosts.empty());
  host.fView = &view;
  for (int command : {int{ID_MIRROR_HORIZONTAL}, int{ID_ROTATE_CLOCKWISE}, int{ID_EDIT_COPY}}) {
    OsFailAllocationsAfter(0);
    EXPECT_THROW(gModuleInterface.DoMenuCommand(command), CMemoryException) << command;
    OsFailAllocationsAfter(-1);
  }
  EXPECT_TRUE(viewPosts.empty());
}

// A picture opened without memory for its sketch takes no sketch tool press.
TEST_F(ModuleMenu, AViewWithoutASketchTakesNoPress) {
  BDocument bare;
  CSketchDocument unmade;
  OsFailAllocationsAfter(0);
  EXPECT_EQ(unmade.InitDocument(&bare), 0);
  OsFailAllocationsAfter(-1);
  BView other;
  other.OsSetDocument(&bare);
  other.OsSetPost([this](BCommand* c) { viewPosts.emplace_back(c); });
  host.fView = &other;
  for (const SketchTool& tool : kSketchTools) {
    if (tool.change == 0) continue;  // the view's own tools (hand, zoom) need no sketch
    gModuleInterface.DoToolChange(tool.number, 1);
    OsImgPoint at{2, 4};
    gModuleInterface.DoMouseCommandL(at, 0);
  }
  host.fView = &view;
  EXPECT_TRUE(viewPosts.empty());
}

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

// The palette colour borrows the raster's colour table; the host's context gets it back.
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

using ModuleTools = ModuleFixture;

// Each tool's cursor replaces the previous one (which cursor is in the replays'
// dumps), and only the polygon tool ("p") shows its option palette.
TEST_F(ModuleTools, EachToolLoadsItsCursorAndShowsItsOptionPaletteUntilTheModeIsLeft) {
  gModuleInterface.fToolOption.AddView(new CToolOptionView(IDD_POLYGON, nullptr));
  std::string palettes;
  for (short tool = -1; tool <= kToolCount; ++tool) {
    ASSERT_EQ(gModuleInterface.DoToolChange(tool, 1), 1);
    palettes += gModuleInterface.fToolOption.GetShownView() == IDD_POLYGON ? 'p' : '.';
    EXPECT_EQ(OsLiveCursorCount(), cursorBase + (gModuleInterface.fCursor != nullptr)) << tool;
  }
  EXPECT_EQ(palettes, "...............p....");
  EXPECT_EQ(gModuleInterface.fCursor, nullptr);  // no tool has that number
  // The cursor shown goes with the tool: none is shown until the next is set.
  gModuleInterface.DoToolChange(kToolArrow, 1);
  gModuleInterface.DoSetCursor({0, 0}, nullptr);
  ASSERT_EQ(OsGetShownCursorId(), 4000u);
  gModuleInterface.DoToolChange(kToolWhiteArrow, 1);
  EXPECT_EQ(OsGetShownCursorId(), 0u);
  // Leaving the mode only hides the option palette.
  gModuleInterface.DoToolChange(kToolPolygon, 1);
  const HCURSOR cursor = gModuleInterface.fCursor;
  gModuleInterface.DoToolChange(kToolOval, 0);
  EXPECT_EQ(gModuleInterface.fToolOption.GetShownView(), -1);
  EXPECT_EQ(std::tuple(gModuleInterface.fCurrentTool, gCurrentTool, gModuleInterface.fCursor),
            std::tuple(short{kToolPolygon}, short{kToolPolygon}, cursor));
}

// The palette sits at its margins in a window sized to hold it and its own frame.
TEST_F(ModuleTools, ModeChangeFitsThePaletteWindowAroundThePalette) {
  CWnd frame;
  frame.OsPlace(100, 200, 10, 10, 3, 5);
  gModuleInterface.fToolPalette = new CWnd;
  gModuleInterface.fToolPalette->OsPlace(-999, 0, kToolPaletteWidth, kToolPaletteHeight);
  gModuleInterface.fToolPalette->OsSetParent(&frame);
  std::ranges::copy(std::array{1, 2, 3, 4}, gModuleInterface.fPaletteMargin);
  const auto place = [](const CWnd& w) {
    RECT r;
    w.GetWindowRect(&r);
    return std::tuple(r.left, r.top, r.right - r.left, r.bottom - r.top, w.IsWindowVisible());
  };
  ASSERT_EQ(gModuleInterface.DoModeChange(1), 1);
  EXPECT_EQ(place(*gModuleInterface.fToolPalette), std::tuple(1, 2, kToolPaletteWidth, kToolPaletteHeight, true));
  EXPECT_EQ(place(frame), std::tuple(100, 200, kToolPaletteWidth + 4 + 6, kToolPaletteHeight + 6 + 10, false));
  gModuleInterface.DoModeChange(0);
  EXPECT_EQ(place(*gModuleInterface.fToolPalette), std::tuple(-999, 2, kToolPaletteWidth, kToolPaletteHeight, false));
  EXPECT_EQ(std::get<2>(place(frame)), kToolPaletteWidth + 4 + 6);
}

// Taken up again, the interface lets go of the palette windows made for it before.
TEST_F(ModuleTools, TakenUpAgainLetsGoOfItsPaletteWindows) {
  gModuleInterface.fToolPalette = new CWnd;
  gModuleInterface.fModeButton = new CWnd;
  gModuleInterface.IModuleInterface(&links);
  EXPECT_TRUE(gModuleInterface.fToolPalette == nullptr && gModuleInterface.fModeButton == nullptr);
}

TEST_F(ModuleTools, OnlyAClipboardKnownEmptyGreysAnEditCommand) {
  HMENU edit = CreateMenu();
  for (const int id : {ID_EDIT_COPY, ID_EDIT_CUT, ID_EDIT_PASTE, ID_EDIT_CLEAR, ID_EDIT_SELECT_ALL})
    AppendMenu(edit, MF_STRING | (id == ID_EDIT_PASTE ? 0u : UINT{MF_GRAYED}), id, "");
  CWnd main;
  main.OsSetMenu(edit);
  AfxGetApp()->m_pMainWnd = &main;
  const auto grey = [edit] {
    gModuleInterface.DoSetupMenus();
    std::string out;
    for (int i = 0; i < 5; ++i) out += OsIsMenuItemGrayed(edit, i) ? "G" : "E";
    return out;
  };
  EXPECT_EQ(grey(), "EEGEE");
  BList* clipboard = std::exchange(TObjectContainer::fClipContainer, nullptr);
  EXPECT_EQ(grey(), "EEEEE");
  TObjectContainer::fClipContainer = clipboard;
  DestroyMenu(edit);
}

}  // namespace
