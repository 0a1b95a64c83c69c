// Menu commands where the replays cannot reach: no current view, and no memory
// for the command.

#include <memory>
#include <vector>

#include "BCommand.h"
#include "OsRuntime.h"
#include "module/ModuleFixture.h"

namespace {

class ModuleMenu : public ModuleFixture {
 protected:
  void SetUp() override {
    ModuleFixture::SetUp();
    view.OsSetPost([this](BCommand* c) { viewPosts.emplace_back(c); });
    Rect(2, 2, 8, 6);
  }
  void TearDown() override {
    viewPosts.clear();
    ModuleFixture::TearDown();
  }
  std::vector<std::unique_ptr<BCommand>> viewPosts;
};

// A transform that cannot be made leaves the selection's area as it was.
TEST_F(ModuleMenu, ATransformWithoutMemoryLeavesTheActiveAreaAlone) {
  Rect(2, 2, 10, 6);
  for (int command : {5110, 5111, 5120, 5121, 5122}) {
    // A command that was made has brought the area up to date.
    const OsImgRect before = sketch->fContainer->fActArea;
    for (int n = 0; viewPosts.empty(); ++n) {
      OsFailAllocationsAfter(n);
      try {
        gModuleInterface.DoMenuCommand(command);
      } catch (const CMemoryException&) {
        const OsImgRect& a = sketch->fContainer->fActArea;
        EXPECT_TRUE(a.left == before.left && a.top == before.top && a.right == before.right &&
                    a.bottom == before.bottom)
            << command << " " << n;
      }
      OsFailAllocationsAfter(-1);
    }
    viewPosts.clear();
  }
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
