// The module's menu in the host's menu bar, and the edit commands it enables.

#include <string>
#include <utility>
#include <vector>

#include "ModuleFixture.h"

namespace {

class ModuleMenus : public ModuleFixture {
 protected:
  void SetUp() override {
    ModuleFixture::SetUp();
    bar = CreateMenu();
    for (const char* title : {"File", "Edit", "View", "Window", "Help"}) {
      HMENU popup = CreateMenu();
      AppendMenu(popup, MF_STRING, 100, "item");
      AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), title);
    }
    menusBefore = OsLiveMenuCount();
  }
  void TearDown() override {
    DestroyMenu(bar);
    ModuleFixture::TearDown();
  }

  // Pop-ups by their title, commands as "id text".
  static std::vector<std::string> Items(HMENU menu) {
    std::vector<std::string> out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      const UINT id = GetMenuItemID(menu, i);
      out.push_back((id == static_cast<UINT>(-1) ? "" : std::to_string(id) + " ") + OsGetMenuText(menu, i));
    }
    return out;
  }

  HMENU bar = nullptr;
  int menusBefore = 0;
};

using Texts = std::vector<std::string>;

TEST_F(ModuleMenus, SketchMenuGoesBeforeWindowAndLeavesWithoutTrace) {
  ASSERT_EQ(gModuleInterface.SetModuleMenu(bar), 1);
  EXPECT_EQ(Items(bar), (Texts{"File", "Edit", "View", "ｽｹｯﾁ(&D)", "Window", "Help"}));
  HMENU sketchMenu = GetSubMenu(bar, 3);
  ASSERT_NE(sketchMenu, nullptr);
  EXPECT_EQ(Items(sketchMenu), (Texts{"拡大、縮小(&S)", "鏡像(&M)", "回転(&R)"}));
  EXPECT_EQ(Items(GetSubMenu(sketchMenu, 0)), (Texts{"5100 数値で倍率指定...(&N)", "5101 ﾏｳｽで操作(&M)"}));
  EXPECT_EQ(Items(GetSubMenu(sketchMenu, 1)), (Texts{"5110 水平方向(&H)", "5111 垂直方向(&V)"}));
  EXPECT_EQ(Items(GetSubMenu(sketchMenu, 2)),
            (Texts{"5120 180°(&T)", "5121 90°(時計回り)(&C)", "5122 90°(反時計回り)(&U)",
                   "5123 数値で角度指定...(&N)", "5124 ﾏｳｽで自由に回転(&M)"}));
  // The sketch menu and its three pop-ups; the display pop-ups were destroyed.
  EXPECT_EQ(OsLiveMenuCount(), menusBefore + 4);

  ASSERT_EQ(gModuleInterface.ResetModuleMenu(bar), 1);
  EXPECT_EQ(Items(bar), (Texts{"File", "Edit", "View", "Window", "Help"}));
  EXPECT_EQ(OsLiveMenuCount(), menusBefore);
}

TEST_F(ModuleMenus, PasteIsGreyedExactlyWhileTheClipboardIsEmpty) {
  HMENU edit = CreateMenu();
  AppendMenu(edit, MF_STRING | MF_GRAYED, CSketchInterface::kCommandCopy, "Copy");
  AppendMenu(edit, MF_STRING | MF_GRAYED, CSketchInterface::kCommandCut, "Cut");
  AppendMenu(edit, MF_STRING, CSketchInterface::kCommandPaste, "Paste");
  CWnd main;
  main.OsSetMenu(edit);
  AfxGetApp()->m_pMainWnd = &main;
  const auto grey = [edit] {
    gModuleInterface.DoSetupMenus();
    return std::string{OsIsMenuItemGrayed(edit, 0) ? "G" : "E"} + (OsIsMenuItemGrayed(edit, 1) ? "G" : "E") +
           (OsIsMenuItemGrayed(edit, 2) ? "G" : "E");
  };
  EXPECT_EQ(grey(), "EEG");
  TObjectContainer::fClipContainer->AddTail(new TDRectangle);
  EXPECT_EQ(grey(), "EEE");
  TObjectContainer::fClipContainer->DeleteAll();
  EXPECT_EQ(grey(), "EEG");
  // A clipboard that could not be made holds nothing either.
  BList* clipboard = std::exchange(TObjectContainer::fClipContainer, nullptr);
  EXPECT_EQ(grey(), "EEG");
  TObjectContainer::fClipContainer = clipboard;
  DestroyMenu(edit);
}

}  // namespace
