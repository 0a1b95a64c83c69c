// The interface as the host drives it from the tool palette and the edit menu:
// tool changes with their cursors and option palette, the tool read from the
// preferences, and Paste.

#include <string>
#include <tuple>
#include <utility>

#include "ModuleFixture.h"
#include "resources/SketchResources.h"

namespace {

using ModuleTools = ModuleFixture;

TEST_F(ModuleTools, EachToolLoadsItsCursorAndReplacesThePreviousOne) {
  std::string ids;
  for (short tool = -1; tool <= 18; ++tool) {
    ASSERT_EQ(gModuleInterface.DoToolChange(tool, 1), 1);
    EXPECT_EQ(std::pair(gModuleInterface.fCurrentTool, gCurrentTool), std::pair(tool, tool));
    const bool loaded = gModuleInterface.fCursor != nullptr;
    ids += (loaded ? std::to_string(OsCursorResourceId(gModuleInterface.fCursor)) : "-") + " ";
    EXPECT_EQ(OsLiveCursorCount(), cursorBase + loaded) << tool;
  }
  EXPECT_EQ(ids, "- 4000 4001 4002 4003 4004 4004 4004 4004 4004 "
                 "4004 4004 4004 4004 4004 4004 4004 4004 4004 - ");
  // The cursor shown goes with the tool: none is shown until the next is set.
  gModuleInterface.DoToolChange(0, 1);
  gModuleInterface.DoSetCursor({0, 0}, nullptr);
  ASSERT_EQ(OsGetShownCursorId(), 4000u);
  gModuleInterface.DoToolChange(1, 1);
  EXPECT_EQ(OsGetShownCursorId(), 0u);
}

TEST_F(ModuleTools, OnlyThePolygonToolShowsItsOptionPalette) {
  gModuleInterface.fToolOption.AddView(new CToolOptionView(IDD_POLYGON, nullptr));
  std::string shown;
  for (short tool : {14, 15, 14}) {
    gModuleInterface.DoToolChange(tool, 1);
    shown += std::to_string(gModuleInterface.fToolOption.GetShownView()) + " ";
  }
  EXPECT_EQ(shown, "2004 -1 2004 ");
  const HCURSOR cursor = gModuleInterface.fCursor;
  // Leaving the mode hides the palette and changes nothing else.
  gModuleInterface.DoToolChange(5, 0);
  EXPECT_EQ(gModuleInterface.fToolOption.GetShownView(), -1);
  EXPECT_EQ(std::tuple(gModuleInterface.fCurrentTool, gCurrentTool, gModuleInterface.fCursor),
            std::tuple(short{14}, short{14}, cursor));
}

TEST_F(ModuleTools, ToolIsReadBackAsALeadingNumber) {
  for (const auto& [text, tool] : {std::pair{"12", 12}, std::pair{"", 4}, std::pair{"abc", 4}, std::pair{"7x", 7}}) {
    gModuleInterface.fCurrentTool = 4;
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

TEST_F(ModuleTools, PasteIsGreyedExactlyWhileTheClipboardExistsAndIsEmpty) {
  HMENU edit = CreateMenu();
  AppendMenu(edit, MF_STRING | MF_GRAYED, ID_EDIT_COPY, "Copy");
  AppendMenu(edit, MF_STRING | MF_GRAYED, ID_EDIT_CUT, "Cut");
  AppendMenu(edit, MF_STRING, ID_EDIT_PASTE, "Paste");
  CWnd main;
  main.OsSetMenu(edit);
  AfxGetApp()->m_pMainWnd = &main;
  const auto grey = [edit] {
    gModuleInterface.DoSetupMenus();
    std::string out;
    for (int i = 0; i < 3; ++i) out += OsIsMenuItemGrayed(edit, i) ? "G" : "E";
    return out;
  };
  EXPECT_EQ(grey(), "EEG");
  // Only a clipboard known to be empty greys the command.
  BList* clipboard = std::exchange(TObjectContainer::fClipContainer, nullptr);
  EXPECT_EQ(grey(), "EEE");
  TObjectContainer::fClipContainer = clipboard;
  DestroyMenu(edit);
}

}  // namespace
