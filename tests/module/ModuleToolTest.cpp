// The interface as the host drives it from the tool palette, the keyboard and
// the edit menu: tool changes with their cursors and option palette, the
// temporary hand and zoom tools, the tool kept in the preferences, and Paste.

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "ModuleFixture.h"

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
}

TEST_F(ModuleTools, OnlyThePolygonToolShowsItsOptionPalette) {
  gModuleInterface.fToolOption.AddView(new CToolOptionView(CSketchInterface::kPolygonOption, nullptr));
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

TEST_F(ModuleTools, HeldKeysPickTemporaryToolsUntilReleased) {
  const auto check = [](const std::vector<int>& keys) {
    OsReleaseAllKeys();
    for (int key : keys) OsSetKeyDown(key, true);
    char state = 9;
    const short tool = gModuleInterface.CheckKey({0, 0}, &state);
    return std::to_string(tool) + "/" + std::to_string(state) + " ";
  };
  std::string got;
  const std::vector<std::vector<int>> held = {
      {}, {VK_SHIFT}, {VK_SPACE}, {VK_SPACE, VK_CONTROL}, {VK_SPACE, VK_CONTROL, VK_MENU}, {VK_SPACE, VK_MENU}, {}, {}};
  for (const std::vector<int>& keys : held) got += check(keys);
  EXPECT_EQ(got, "4/0 4/0 2/0 3/1 3/2 3/2 4/0 4/0 ");
  // A tool chosen later is the one the next release returns to.
  gModuleInterface.DoToolChange(7, 1);
  EXPECT_EQ(check({VK_SPACE}) + check({}), "2/0 7/0 ");
  // At a limit of the zoom the magnifier cannot go further that way.
  for (const auto& [zoom, limited] : {std::pair{16.0f, "0 2 "}, std::pair{0.0625f, "1 0 "}}) {
    view.GetZoom() = BZoom(zoom, zoom, 0, 0);
    std::string states;
    for (int key : {VK_CONTROL, VK_MENU}) {
      check({VK_SPACE, key});
      states += std::to_string(gModuleInterface.fZoomState) + " ";
    }
    EXPECT_EQ(states, limited) << zoom;
  }
  view.GetZoom() = BZoom();
}

TEST_F(ModuleTools, ToolIsWrittenAndReadBackAsALeadingNumber) {
  gModuleInterface.fCurrentTool = 12;
  gModuleInterface.WritePreferences();
  EXPECT_EQ(AfxGetApp()->fProfile["Sketch"]["CurrentTool"], "12");
  for (const auto& [text, tool] : {std::pair{"12", 12}, std::pair{"", 4}, std::pair{"abc", 4}, std::pair{"7x", 7}}) {
    gModuleInterface.fCurrentTool = 4;
    AfxGetApp()->fProfile["Sketch"]["CurrentTool"] = text;
    gModuleInterface.IModuleInterface(&links);
    EXPECT_EQ(gModuleInterface.fCurrentTool, tool) << '"' << text << '"';
  }
}

TEST_F(ModuleTools, PasteIsGreyedExactlyWhileTheClipboardExistsAndIsEmpty) {
  HMENU edit = CreateMenu();
  AppendMenu(edit, MF_STRING | MF_GRAYED, CSketchInterface::kCommandCopy, "Copy");
  AppendMenu(edit, MF_STRING | MF_GRAYED, CSketchInterface::kCommandCut, "Cut");
  AppendMenu(edit, MF_STRING, CSketchInterface::kCommandPaste, "Paste");
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
  TObjectContainer::fClipContainer->AddTail(new TDRectangle);
  EXPECT_EQ(grey(), "EEE");
  TObjectContainer::fClipContainer->DeleteAll();
  EXPECT_EQ(grey(), "EEG");
  // Only a clipboard known to be empty greys the command.
  BList* clipboard = std::exchange(TObjectContainer::fClipContainer, nullptr);
  EXPECT_EQ(grey(), "EEE");
  TObjectContainer::fClipContainer = clipboard;
  DestroyMenu(edit);
}

}  // namespace
