// The interface as the host drives it from the tool palette and the edit menu:
// tool changes with their cursors and option palette, what a press does with
// each tool, the tool read from the preferences, and Paste. Each tool's
// gesture and the step it leaves, the keys held, which pick a temporary tool
// and the zoom tool's direction, what a point tool's press selects, and the
// centre mark of the scale and rotate tools, and a press that starts no
// tracker, shown at once, are in the replay scripts (hostmod-keys,
// hostmod-presses, hostmod-transform-tools and hostmod-shift-press among
// them).

#include <algorithm>
#include <iterator>
#include <string>
#include <tuple>
#include <utility>

#include "ModuleFixture.h"
#include "OsRuntime.h"
#include "resources/SketchResources.h"

namespace {

using ModuleTools = ModuleFixture;

// Each tool loads its cursor in place of the previous one, and only the polygon
// tool ("p") shows its option palette.
TEST_F(ModuleTools, EachToolLoadsItsCursorAndShowsItsOptionPalette) {
  gModuleInterface.fToolOption.AddView(new CToolOptionView(IDD_POLYGON, nullptr));
  std::string ids;
  for (short tool = -1; tool <= 18; ++tool) {
    ASSERT_EQ(gModuleInterface.DoToolChange(tool, 1), 1);
    EXPECT_EQ(std::pair(gModuleInterface.fCurrentTool, gCurrentTool), std::pair(tool, tool));
    const bool loaded = gModuleInterface.fCursor != nullptr;
    ids += (loaded ? std::to_string(OsCursorResourceId(gModuleInterface.fCursor)) : "-") +
           (gModuleInterface.fToolOption.GetShownView() == IDD_POLYGON ? "p " : " ");
    EXPECT_EQ(OsLiveCursorCount(), cursorBase + loaded) << tool;
  }
  EXPECT_EQ(ids,
            "- 4000 4001 4002 4003 4004 4004 4004 4004 4004 "
            "4004 4004 4004 4004 4004 4004p 4004 4004 4004 - ");
  // The cursor shown goes with the tool: none is shown until the next is set.
  gModuleInterface.DoToolChange(kToolArrow, 1);
  gModuleInterface.DoSetCursor({0, 0}, nullptr);
  ASSERT_EQ(OsGetShownCursorId(), 4000u);
  gModuleInterface.DoToolChange(kToolWhiteArrow, 1);
  EXPECT_EQ(OsGetShownCursorId(), 0u);
}

TEST_F(ModuleTools, LeavingTheModeOnlyHidesTheOptionPalette) {
  gModuleInterface.fToolOption.AddView(new CToolOptionView(IDD_POLYGON, nullptr));
  gModuleInterface.DoToolChange(kToolPolygon, 1);
  const HCURSOR cursor = gModuleInterface.fCursor;
  gModuleInterface.DoToolChange(kToolOval, 0);
  EXPECT_EQ(gModuleInterface.fToolOption.GetShownView(), -1);
  EXPECT_EQ(std::tuple(gModuleInterface.fCurrentTool, gCurrentTool, gModuleInterface.fCursor),
            std::tuple(short{kToolPolygon}, short{kToolPolygon}, cursor));
}

// Coming into the mode, the palette goes to its margins inside its window, and
// the window takes the palette's size with the margins and its own frame.
TEST_F(ModuleTools, ModeChangeFitsThePaletteWindowAroundThePalette) {
  CWnd frame;
  frame.OsPlace(100, 200, 10, 10, 3, 5);
  gModuleInterface.fToolPalette = new CWnd;
  gModuleInterface.fToolPalette->OsPlace(-999, 0, kToolPaletteWidth, kToolPaletteHeight);
  gModuleInterface.fToolPalette->OsSetParent(&frame);
  const int margins[4] = {1, 2, 3, 4};
  std::copy(std::begin(margins), std::end(margins), gModuleInterface.fPaletteMargin);
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

TEST_F(ModuleTools, ToolIsReadBackAsALeadingNumber) {
  for (const auto& [text, tool] : {std::pair{"12", 12}, std::pair{"", 4}, std::pair{"abc", 4}, std::pair{"7x", 7}}) {
    gModuleInterface.fCurrentTool = kToolRectangle;
    AfxGetApp()->fProfile["Sketch"]["CurrentTool"] = text;
    gModuleInterface.IModuleInterface(&links);
    EXPECT_EQ(gModuleInterface.fCurrentTool, tool) << '"' << text << '"';
  }
  // Taken up again, the interface lets go of the palette windows made for it before.
  gModuleInterface.fToolPalette = new CWnd;
  gModuleInterface.fModeButton = new CWnd;
  gModuleInterface.IModuleInterface(&links);
  EXPECT_TRUE(gModuleInterface.fToolPalette == nullptr && gModuleInterface.fModeButton == nullptr);
}

TEST_F(ModuleTools, OnlyAClipboardKnownEmptyGreysAnEditCommand) {
  HMENU edit = CreateMenu();
  AppendMenu(edit, MF_STRING | MF_GRAYED, ID_EDIT_COPY, "Copy");
  AppendMenu(edit, MF_STRING | MF_GRAYED, ID_EDIT_CUT, "Cut");
  AppendMenu(edit, MF_STRING, ID_EDIT_PASTE, "Paste");
  AppendMenu(edit, MF_STRING | MF_GRAYED, ID_EDIT_CLEAR, "Delete");
  AppendMenu(edit, MF_STRING | MF_GRAYED, ID_EDIT_SELECT_ALL, "Select All");
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
  // Only a clipboard known to be empty greys the command.
  BList* clipboard = std::exchange(TObjectContainer::fClipContainer, nullptr);
  EXPECT_EQ(grey(), "EEEEE");
  TObjectContainer::fClipContainer = clipboard;
  DestroyMenu(edit);
}

}  // namespace
