// The interface as the host drives it from the tool palette and the keyboard:
// identification, tool changes with their cursors and option palette, the
// temporary hand and zoom tools, and the tool kept in the preferences.

#include <string>
#include <tuple>
#include <utility>

#include "ModuleFixture.h"

namespace {

using ModuleTools = ModuleFixture;

TEST_F(ModuleTools, IdentificationIsTheSameTextEveryTime) {
  char* first = IdentifyModuleInterface();
  const std::string text = first;
  char* second = IdentifyModuleInterface();
  EXPECT_EQ(first, second);
  EXPECT_EQ(text, "KWB:ｽｹｯﾁ機能ﾓｼﾞｭｰﾙ");
  EXPECT_STREQ(second, "KWB:ｽｹｯﾁ機能ﾓｼﾞｭｰﾙ");
}

TEST_F(ModuleTools, EachToolLoadsItsCursorAndReplacesThePreviousOne) {
  for (short tool = 0; tool <= 17; ++tool) {
    const unsigned expected = tool < 3 ? 4000u + tool : tool == 3 ? 4003u : 4004u;
    ASSERT_EQ(gModuleInterface.DoToolChange(tool, 1), 1);
    EXPECT_EQ(gModuleInterface.fCurrentTool, tool);
    EXPECT_EQ(gCurrentTool, tool);
    EXPECT_EQ(CursorId(), expected) << "tool " << tool;
    EXPECT_EQ(OsLiveCursorCount(), cursorBase + 1);
  }
  // The zoom tool's cursor follows the zoom state.
  gModuleInterface.fZoomState = 1;
  gModuleInterface.DoToolChange(3, 1);
  EXPECT_EQ(CursorId(), 4028u);
  gModuleInterface.fZoomState = 2;
  gModuleInterface.DoToolChange(3, 1);
  EXPECT_EQ(CursorId(), 4029u);
  for (short outside : {short{18}, short{-1}}) {
    gModuleInterface.DoToolChange(outside, 1);
    EXPECT_EQ(gModuleInterface.fCursor, nullptr);
    EXPECT_EQ(OsLiveCursorCount(), cursorBase);
  }
}

TEST_F(ModuleTools, OnlyThePolygonToolShowsItsOptionPalette) {
  gModuleInterface.fToolOption.AddView(new CToolOptionView(CSketchInterface::kPolygonOption, nullptr));
  gModuleInterface.DoToolChange(14, 1);
  EXPECT_EQ(gModuleInterface.fToolOption.GetShownView(), 2004);
  gModuleInterface.DoToolChange(15, 1);
  EXPECT_EQ(gModuleInterface.fToolOption.GetShownView(), -1);
  gModuleInterface.DoToolChange(14, 1);
  const HCURSOR cursor = gModuleInterface.fCursor;
  // Leaving the mode hides the palette and changes nothing else.
  gModuleInterface.DoToolChange(5, 0);
  EXPECT_EQ(gModuleInterface.fToolOption.GetShownView(), -1);
  EXPECT_EQ(gModuleInterface.fCurrentTool, 14);
  EXPECT_EQ(gCurrentTool, 14);
  EXPECT_EQ(gModuleInterface.fCursor, cursor);
  EXPECT_EQ(CursorId(), 4004u);
}

TEST_F(ModuleTools, ZoomCursorShowsWhichWayTheViewCanStillZoom) {
  gModuleInterface.DoToolChange(CSketchInterface::kToolZoom, 1);
  for (const auto& [zoom, alt, cursor] :
       {std::tuple{16.0f, false, 4003u}, std::tuple{16.0f, true, 4029u}, std::tuple{0.0625f, true, 4003u},
        std::tuple{0.0625f, false, 4028u}, std::tuple{1.0f, false, 4028u}, std::tuple{1.0f, true, 4029u}}) {
    view.GetZoom() = BZoom(zoom, zoom, 0.0f, 0.0f);
    OsSetKeyDown(VK_MENU, alt);
    gModuleInterface.DoSetCursor({0, 0}, nullptr);
    EXPECT_EQ(OsGetShownCursorId(), cursor) << "zoom " << zoom << " alt " << alt;
    EXPECT_EQ(OsLiveCursorCount(), cursorBase + 1);
  }
}

TEST_F(ModuleTools, HeldKeysPickTemporaryToolsUntilReleased) {
  const auto check = [](std::initializer_list<int> keys, char expectedState) {
    OsReleaseAllKeys();
    for (int key : keys) OsSetKeyDown(key, true);
    char state = 9;
    const short tool = gModuleInterface.CheckKey({0, 0}, &state);
    EXPECT_EQ(state, expectedState);
    return tool;
  };
  EXPECT_EQ(check({}, 0), 4);
  EXPECT_EQ(check({VK_SHIFT}, 0), 4);
  EXPECT_EQ(check({VK_SPACE}, 0), 2);
  EXPECT_EQ(check({VK_SPACE, VK_CONTROL}, 1), 3);
  EXPECT_EQ(check({VK_SPACE, VK_CONTROL, VK_MENU}, 2), 3);
  EXPECT_EQ(check({VK_SPACE, VK_MENU}, 2), 3);
  EXPECT_EQ(check({}, 0), 4);
  EXPECT_EQ(check({}, 0), 4);
  EXPECT_EQ(gModuleInterface.fCurrentTool, 4);
  // A tool chosen later is the one the next release returns to.
  gModuleInterface.DoToolChange(7, 1);
  EXPECT_EQ(check({VK_SPACE}, 0), 2);
  EXPECT_EQ(check({}, 0), 7);
}

TEST_F(ModuleTools, SpaceKeyEventsSwapTheCursorBothWays) {
  OsSetKeyDown(VK_SPACE, true);
  gModuleInterface.DoKeyEvent(VK_SPACE, 0, 1);
  EXPECT_EQ(OsGetShownCursorId(), 4002u);
  OsSetKeyDown(VK_SPACE, false);
  gModuleInterface.DoKeyEvent(VK_SPACE, static_cast<int>(0x80000000u), 0);
  EXPECT_EQ(OsGetShownCursorId(), 4004u);
  EXPECT_EQ(OsLiveCursorCount(), cursorBase + 1);
}

using ModulePreferences = ModuleFixture;

TEST_F(ModulePreferences, ScaleToolFromTheProfileShowsTheCentreMarkUntilLeft) {
  Rect(2, 2, 10, 8, true);
  AfxGetApp()->fProfile["Sketch"]["CurrentTool"] = "16";
  gModuleInterface.IModuleInterface(&links);
  EXPECT_EQ(gModuleInterface.fCurrentTool, 16);
  gActiveView = &view;
  ASSERT_EQ(gModuleInterface.DoModeChange(1), 1);
  EXPECT_EQ(host.fActivations, 1);
  EXPECT_EQ(gCurrentTool, 16);
  EXPECT_EQ(Container()->fActArea, (OsImgRect{2, 2, 11, 9}));
  EXPECT_EQ(Container()->fCenterShown, 1);
  gModuleInterface.DoToolChange(4, 1);
  EXPECT_EQ(Container()->fCenterShown, 0);
}

TEST_F(ModulePreferences, ToolIsWrittenAndReadBackAsALeadingNumber) {
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

}  // namespace
