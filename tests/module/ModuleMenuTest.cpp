// What the interface makes of menu commands: which command it posts, where,
// with which arguments, after which dialog; and what it leaves alone.

#include <memory>
#include <vector>

#include "OsDialog.h"
#include "OsRuntime.h"
#include "commands/TDMCCopy.h"
#include "commands/TDMCPaste.h"
#include "commands/TDMFlip.h"
#include "commands/TDMRotate.h"
#include "commands/TDMScale.h"
#include "module/ModuleFixture.h"
#include "resources/SketchResources.h"

namespace {

// Answers each dialog with the next text and button, as a person would.
struct ScriptedUser : OsUserInterface {
  void RunModal(CDialog& dialog) override {
    for (const auto& [text, button] : answers) {
      dialog.OsType(IDC_VALUE, text);
      if (dialog.OsTemplateId() == IDD_ROTATE) dialog.OsClick(ccw ? IDC_COUNTERCLOCKWISE : IDC_CLOCKWISE);
      dialog.OsClick(button);
      if (dialog.OsHasEnded()) return;
    }
  }
  int MessageBox(const char*, const char*, UINT) override { return IDOK; }
  std::vector<std::pair<std::string, int>> answers;
  bool ccw = false;
};

class ModuleMenu : public ModuleFixture {
 protected:
  void SetUp() override {
    ModuleFixture::SetUp();
    view.OsSetPost([this](BCommand* c) { viewPosts.emplace_back(c); });
    OsSetUserInterface(&user);
    Rect(2, 2, 8, 6);
  }
  void TearDown() override {
    OsSetUserInterface(nullptr);
    viewPosts.clear();
    ModuleFixture::TearDown();
  }
  template <typename T>
  T* Posted() const {
    return viewPosts.size() == 1 ? dynamic_cast<T*>(viewPosts.front().get()) : nullptr;
  }

  std::vector<std::unique_ptr<BCommand>> viewPosts;
  ScriptedUser user;
};

TEST_F(ModuleMenu, TransformsArePostedToTheViewAboutTheSelectionsCurrentCentre) {
  gModuleInterface.DoMenuCommand(5122);
  TDMRotate* r = Posted<TDMRotate>();
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->fCommand, 5122);
  EXPECT_EQ(r->fDegrees, 0);
  EXPECT_EQ(r->fView, &view);
  EXPECT_EQ(r->fContainer, sketch->fContainer);
  EXPECT_EQ(r->fCenter.x, 5.5f);
  viewPosts.clear();
  gModuleInterface.DoMenuCommand(5111);
  EXPECT_NE(Posted<TDMVFlip>(), nullptr);
  viewPosts.clear();
  gModuleInterface.DoMenuCommand(5110);
  EXPECT_NE(Posted<TDMHFlip>(), nullptr);
}

TEST_F(ModuleMenu, NumericCommandsTakeTheDialogsAnswerAndCancelPostsNothing) {
  user.answers = {{"0", IDOK}, {"250", IDOK}};
  gModuleInterface.DoMenuCommand(5100);
  ASSERT_NE(Posted<TDMScale>(), nullptr);
  EXPECT_EQ(Posted<TDMScale>()->fFactor, 250 * 0.01);
  viewPosts.clear();
  user.answers = {{"45", IDOK}};
  user.ccw = true;
  gModuleInterface.DoMenuCommand(5123);
  ASSERT_NE(Posted<TDMRotate>(), nullptr);
  EXPECT_EQ(Posted<TDMRotate>()->fCommand, 5123);
  EXPECT_EQ(Posted<TDMRotate>()->fDegrees, -45);
  viewPosts.clear();
  user.answers = {{"45", IDCANCEL}};
  gModuleInterface.DoMenuCommand(5123);
  gModuleInterface.DoMenuCommand(5100);
  EXPECT_TRUE(viewPosts.empty());
}

TEST_F(ModuleMenu, OtherCommandsChangeToolsOrReachTheBaseOrDoNothing) {
  gModuleInterface.DoMenuCommand(5101);
  EXPECT_EQ(gModuleInterface.fCurrentTool, 16);
  gModuleInterface.DoMenuCommand(5124);
  EXPECT_EQ(gModuleInterface.fCurrentTool, 17);
  gModuleInterface.DoMenuCommand(5131);
  EXPECT_EQ(gModuleInterface.fDispColor, 5131);
  gModuleInterface.DoMenuCommand(1003);
  EXPECT_TRUE(viewPosts.empty());
  EXPECT_EQ(sketch->fContainer->GetCount(), 1);
}

TEST_F(ModuleMenu, WithoutAViewNothingIsPostedAndRunningOutOfMemoryRaises) {
  host.fView = nullptr;
  for (int command : {5110, 5120, 57634, 57635, 57637}) gModuleInterface.DoMenuCommand(command);
  EXPECT_TRUE(viewPosts.empty());
  host.fView = &view;
  for (int command : {5110, 5121, 57634}) {
    OsFailAllocationsAfter(0);
    EXPECT_THROW(gModuleInterface.DoMenuCommand(command), CMemoryException) << command;
    OsFailAllocationsAfter(-1);
  }
  EXPECT_TRUE(viewPosts.empty());
}

}  // namespace
