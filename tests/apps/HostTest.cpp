#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "Host.h"
#include "HostDump.h"
#include "ModuleLoader.h"
#include "OsAfxWin.h"
#include "OsMenu.h"
#include "OsPlatformHost.h"
#include "OsResources.h"
#include "OsRuntime.h"
#include "container/TObjectContainer.h"

namespace {

const char* const kIdentification = "KWB:ｽｹｯﾁ機能ﾓｼﾞｭｰﾙ";

// Another library attached first, with a name of its own under the same number:
// the module must read its resources through its own instance.
constexpr OsStringResource kOtherName[] = {{0, "other"}};
constexpr OsResourceTable kOtherTable = {kOtherName, 1, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0};
char gOtherLibrary;

TEST(ModuleLoader, LoadsIdentifiesAndUnloadsTwice) {
  OsAttachResources(reinterpret_cast<HINSTANCE>(&gOtherLibrary), &kOtherTable);
  for (int round = 0; round < 2; ++round) {
    ModuleLoader loader;
    ASSERT_EQ(loader.Load(SKETCH_MODULE_PATH), "");
    // Rebuilt on every call, never appended to.
    EXPECT_EQ(loader.Identify() + loader.Identify(), std::string(kIdentification) + kIdentification);
    EXPECT_EQ(OsDynLinkLibraryCount(), 1);
    EXPECT_NE(OsFindString(nullptr, 8001), nullptr);  // its resources travel with it
    EXPECT_EQ(loader.Load(SKETCH_MODULE_PATH), "a module is already loaded");
    loader.Unload();
    EXPECT_EQ(std::tuple(loader.IsLoaded(), OsDynLinkLibraryCount(), OsFindString(nullptr, 8001)),
              std::tuple(false, 0, static_cast<const char*>(nullptr)));
  }
  OsAttachResources(reinterpret_cast<HINSTANCE>(&gOtherLibrary), nullptr);
}

class HostTest : public ::testing::Test {
 protected:
  void SetUp() override { OsSetScreenSize(320, 240); }
  void TearDown() override {
    fHost.Unload();
    AfxGetApp()->fProfile.clear();
    OsSetScreenSize(1024, 768);
  }
  HostDocument& Start(int tool) {
    EXPECT_EQ(fHost.Load(SKETCH_MODULE_PATH), "");
    HostDocument& doc = *fHost.OpenDocument("a", RgbImage(100, 80));
    fHost.Module()->DoModeChange(1);
    fHost.Module()->DoToolChange(tool, 1);
    return doc;
  }

  Host fHost;
};

TEST_F(HostTest, ALoadedModuleWithDocumentsUnloadsCleanly) {
  const int hostMenus = OsLiveMenuCount();
  Start(17);
  fHost.OpenDocument("b", RgbImage(20, 10));
  fHost.Unload();
  EXPECT_EQ(fHost.Active(), nullptr);  // never a destroyed document
  EXPECT_EQ(OsLiveMenuCount(), hostMenus);
  EXPECT_EQ(OsLiveCursorCount(), 0);
}

// False only when the module ran out of memory and the step was dropped (a
// cancel's: below); a call held off while the button is down is done and
// changes nothing, and closing the document of a gesture ends the gesture.
TEST_F(HostTest, CallsSayWhetherTheModuleRanOutOfMemory) {
  HostDocument& doc = Start(4);
  fHost.OpenDocument("b", RgbImage(100, 80));
  ASSERT_TRUE(fHost.Activate(doc));
  EXPECT_TRUE(fHost.Undo() && fHost.Redo() && fHost.Cancel());
  ASSERT_TRUE(fHost.Press({10, 10}) && fHost.Move({30, 20}));
  EXPECT_TRUE(fHost.Undo() && fHost.Redo() && fHost.Press({50, 50}) && fHost.MenuCommand(5110) &&
              fHost.Replicate(0, {10, 10}));
  ASSERT_TRUE(fHost.Release({30, 20}));
  EXPECT_EQ(doc.history.UndoLabels(), std::vector<int>{30002});

  OsFailAllocationsAfter(0);
  EXPECT_FALSE(fHost.Press({40, 40}));
  OsFailAllocationsAfter(-1);
  EXPECT_FALSE(fHost.IsTracking());
  EXPECT_EQ(doc.history.UndoLabels(), std::vector<int>{30002});

  ASSERT_TRUE(fHost.Press({40, 40}) && fHost.Move({60, 60}));
  EXPECT_TRUE(fHost.Close(doc));
  EXPECT_FALSE(fHost.IsTracking());
  EXPECT_EQ(fHost.Active()->document.fName, "b");
}

// Escape without memory: a cut the scissors made is dropped with its press,
// or, when there is no memory to undo it, kept as the step its release would
// have left; never anything in between.
TEST_F(HostTest, ACancelWithoutMemoryDropsTheGestureOrKeepsItsStep) {
  HostDocument& doc = Start(8);
  const TObjectContainer* sketch = SketchOf(doc.document);
  ASSERT_TRUE(fHost.Press({10, 40}) && fHost.Move({90, 40}) && fHost.Release({90, 40}));
  fHost.Module()->DoToolChange(10, 1);
  bool dropped = false, kept = false;
  for (int n = 0;; ++n) {
    ASSERT_TRUE(fHost.Press({50, 40}));
    ASSERT_TRUE(fHost.IsTracking());
    OsFailAllocationsAfter(n);
    const bool ok = fHost.Cancel();
    OsFailAllocationsAfter(-1);
    EXPECT_FALSE(fHost.IsTracking());
    if (doc.history.UndoLabels() == std::vector<int>{30002, 30005}) {
      EXPECT_FALSE(ok);
      EXPECT_EQ(sketch->GetCount(), 2) << n;
      kept = true;
      ASSERT_TRUE(fHost.Undo());
    } else {
      EXPECT_EQ(doc.history.UndoLabels(), std::vector<int>{30002}) << n;
      dropped = dropped || !ok;
    }
    EXPECT_EQ(sketch->GetCount(), 1) << n;
    if (ok) break;
  }
  EXPECT_TRUE(dropped && kept);
}

}  // namespace
