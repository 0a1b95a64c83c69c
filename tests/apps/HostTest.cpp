// The host loading the real Sketch.MOD: the loader's protocol, the module's
// identification, and a load-use-unload cycle that leaves nothing behind.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
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
#include "model/TDShape.h"

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
    ASSERT_NE(loader.Interface(), nullptr);
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

// A host on a small screen; the module's preferences go with each test.
class HostTest : public ::testing::Test {
 protected:
  void SetUp() override { OsSetScreenSize(320, 240); }
  void TearDown() override {
    AfxGetApp()->fProfile.clear();
    OsSetScreenSize(1024, 768);
  }
};

TEST_F(HostTest, ALoadedModuleWithDocumentsUnloadsCleanly) {
  const int menusBefore = OsLiveMenuCount();
  {
    Host host;
    const int hostMenus = OsLiveMenuCount();
    ASSERT_EQ(host.Load(SKETCH_MODULE_PATH), "");
    HostDocument* a = host.OpenDocument("a", RgbImage(40, 30));
    host.OpenDocument("b", RgbImage(20, 10));
    host.Module()->DoModeChange(1);
    host.Module()->DoToolChange(17, 1);
    host.Activate(*a);
    host.Close(*a);
    ASSERT_NE(host.Active(), nullptr);
    EXPECT_EQ(host.Active()->document.fName, "b");
    host.Unload();
    EXPECT_EQ(host.Active(), nullptr);  // never a destroyed document
    EXPECT_EQ(OsLiveMenuCount(), hostMenus);
    EXPECT_EQ(OsLiveCursorCount(), 0);
  }
  EXPECT_EQ(OsLiveMenuCount(), menusBefore);
}

// A multi-line press that cannot make its tracker or its figure is dropped
// before it deselects anything or finishes the figure under construction.
TEST_F(HostTest, APenPressWithoutMemoryLeavesTheSelectionAndTheFigureUnderConstruction) {
  Host host;
  ASSERT_EQ(host.Load(SKETCH_MODULE_PATH), "");
  HostDocument* doc = host.OpenDocument("a", RgbImage(100, 80));
  const TObjectContainer* sketch = SketchOf(doc->document);
  ASSERT_NE(sketch, nullptr);
  host.Module()->DoModeChange(1);
  host.Module()->DoToolChange(4, 1);
  ASSERT_TRUE(host.Press({10, 10}) && host.Move({30, 20}) && host.Release({30, 20}));
  host.Module()->DoToolChange(9, 1);
  const auto first = [sketch] { return static_cast<const TDShape*>(sketch->GetItem(sketch->GetHeadPosition())); };
  for (int n = 0; sketch->GetCount() == 1; ++n) {
    OsFailAllocationsAfter(n);
    host.Press({50, 50});
    OsFailAllocationsAfter(-1);
    host.Release({50, 50});
    if (sketch->GetCount() == 1) {
      EXPECT_EQ(first()->fSelected, 1) << n;
      EXPECT_EQ(sketch->fDrawing, nullptr) << n;
    }
  }
  EXPECT_EQ(first()->fSelected, 0);
  EXPECT_NE(sketch->fDrawing, nullptr);
  host.Unload();
}

// Pictures opened before the module is loaded show as they are; once it is
// loaded, each has its sketch and the active one takes the sketch tools' presses.
TEST_F(HostTest, AModuleLoadedAfterThePicturesWorksInTheActiveOne) {
  Host host;
  RgbImage picture(60, 40);
  picture.pixels.assign(picture.pixels.size(), 77);
  HostDocument* a = host.OpenDocument("a", picture);
  HostDocument* b = host.OpenDocument("b", RgbImage(20, 10));
  host.Activate(*a);
  EXPECT_EQ(a->frame.pixels, picture.pixels);
  ASSERT_EQ(host.Load(SKETCH_MODULE_PATH), "");
  EXPECT_TRUE(SketchOf(a->document) != nullptr && SketchOf(b->document) != nullptr);
  host.Module()->DoModeChange(1);
  // The rotation tool shows its centre in the view the module was handed.
  host.Module()->DoToolChange(16, 1);
  EXPECT_EQ(SketchOf(a->document)->fCenterShown, 1);
  host.Module()->DoToolChange(4, 1);
  ASSERT_TRUE(host.Press({10, 10}) && host.Move({30, 20}) && host.Release({30, 20}));
  EXPECT_EQ(a->history.UndoLabels(), std::vector<int>{30002});
  EXPECT_FALSE(b->history.CanUndo());
  host.Unload();
}

// Every call says whether it was done: false only when the module ran out of
// memory and the step was dropped. A call with nothing to do, or held off
// while the button is down, is done and changes nothing; closing the document
// of a gesture ends the gesture.
TEST_F(HostTest, CallsSayWhetherTheModuleRanOutOfMemory) {
  Host host;
  ASSERT_EQ(host.Load(SKETCH_MODULE_PATH), "");
  HostDocument* doc = host.OpenDocument("a", RgbImage(100, 80));
  host.OpenDocument("b", RgbImage(100, 80));
  ASSERT_TRUE(host.Activate(*doc));
  host.Module()->DoModeChange(1);
  host.Module()->DoToolChange(4, 1);
  EXPECT_TRUE(host.Undo() && host.Redo() && host.Cancel());
  ASSERT_TRUE(host.Press({10, 10}) && host.Move({30, 20}));
  EXPECT_TRUE(host.Undo() && host.Redo() && host.Press({50, 50}) && host.MenuCommand(5110) &&
              host.Replicate(0, {10, 10}));
  ASSERT_TRUE(host.Release({30, 20}));
  EXPECT_EQ(doc->history.UndoLabels(), std::vector<int>{30002});

  OsFailAllocationsAfter(0);
  EXPECT_FALSE(host.Press({40, 40}));
  OsFailAllocationsAfter(-1);
  EXPECT_FALSE(host.IsTracking());
  EXPECT_EQ(doc->history.UndoLabels(), std::vector<int>{30002});

  ASSERT_TRUE(host.Press({40, 40}) && host.Move({60, 60}));
  OsFailAllocationsAfter(0);
  EXPECT_FALSE(host.Cancel());
  OsFailAllocationsAfter(-1);
  EXPECT_FALSE(host.IsTracking());
  EXPECT_EQ(doc->history.UndoLabels(), std::vector<int>{30002});

  ASSERT_TRUE(host.Press({40, 40}) && host.Move({60, 60}));
  EXPECT_TRUE(host.Close(*doc));
  EXPECT_FALSE(host.IsTracking());
  EXPECT_EQ(host.Active()->document.fName, "b");
  host.Unload();
}

// Escape without memory: a cut the scissors made is dropped with its press,
// or, when there is no memory to undo it, kept as the step its release would
// have left; never anything in between.
TEST_F(HostTest, ACancelWithoutMemoryDropsTheGestureOrKeepsItsStep) {
  Host host;
  ASSERT_EQ(host.Load(SKETCH_MODULE_PATH), "");
  HostDocument* doc = host.OpenDocument("a", RgbImage(100, 80));
  const TObjectContainer* sketch = SketchOf(doc->document);
  host.Module()->DoModeChange(1);
  host.Module()->DoToolChange(8, 1);
  ASSERT_TRUE(host.Press({10, 40}) && host.Move({90, 40}) && host.Release({90, 40}));
  host.Module()->DoToolChange(10, 1);
  bool dropped = false, kept = false;
  for (int n = 0;; ++n) {
    ASSERT_TRUE(host.Press({50, 40}));
    ASSERT_TRUE(host.IsTracking());
    OsFailAllocationsAfter(n);
    const bool ok = host.Cancel();
    OsFailAllocationsAfter(-1);
    EXPECT_FALSE(host.IsTracking());
    if (doc->history.UndoLabels() == std::vector<int>{30002, 30005}) {
      EXPECT_FALSE(ok);
      EXPECT_EQ(sketch->GetCount(), 2) << n;
      kept = true;
      ASSERT_TRUE(host.Undo());
    } else {
      EXPECT_EQ(doc->history.UndoLabels(), std::vector<int>{30002}) << n;
      dropped = dropped || !ok;
    }
    EXPECT_EQ(sketch->GetCount(), 1) << n;
    if (ok) break;
  }
  EXPECT_TRUE(dropped && kept);
  host.Unload();
}

// The marquee's ants are drawn over the frame on all four sides, dashed black
// and white, and nothing inside them is touched.
TEST_F(HostTest, AMarqueesAntsRunRoundAllFourSides) {
  Host host;
  RgbImage picture(60, 40);
  picture.pixels.assign(picture.pixels.size(), 77);
  HostDocument* doc = host.OpenDocument("a", picture);
  ASSERT_EQ(host.Load(SKETCH_MODULE_PATH), "");
  host.Module()->DoModeChange(1);
  host.Module()->DoToolChange(0, 1);
  ASSERT_TRUE(host.Press({10, 8}) && host.Move({40, 30}));
  ASSERT_NE(doc->view.fShownAnt, nullptr);
  host.Repaint(*doc);
  const RgbImage& f = doc->frame;
  int l = f.width, t = f.height, r = -1, b = -1;
  for (int y = 0; y < f.height; ++y) {
    for (int x = 0; x < f.width; ++x) {
      if (*f.At(x, y) == 77) continue;
      l = std::min(l, x), t = std::min(t, y), r = std::max(r, x), b = std::max(b, y);
    }
  }
  ASSERT_LT(l, r);
  ASSERT_LT(t, b);
  const auto side = [&f](int x0, int y0, int dx, int dy, int n) {
    std::set<int> shades;
    for (int i = 0; i <= n; ++i) shades.insert(*f.At(x0 + i * dx, y0 + i * dy));
    return shades;
  };
  const std::set<int> dashes{0, 255};
  EXPECT_EQ(side(l, t, 1, 0, r - l), dashes);
  EXPECT_EQ(side(l, b, 1, 0, r - l), dashes);
  EXPECT_EQ(side(l, t, 0, 1, b - t), dashes);
  EXPECT_EQ(side(r, t, 0, 1, b - t), dashes);
  EXPECT_EQ(side(l + 1, t + 1, 1, 1, std::min(r - l, b - t) - 2), std::set<int>{77});
  host.Release({40, 30});
  host.Unload();
}

// The picture under the sketch, pixel by pixel as the view maps it: the painter
// copies stretches and repeats rows, and must give the same pixels.
TEST(Host, PaintedPictureIsThePictureAsTheViewMapsEachPixel) {
  RgbImage picture(37, 23);
  for (std::size_t i = 0; i < picture.pixels.size(); ++i) picture.pixels[i] = static_cast<std::uint8_t>(i * 7 + i / 3);
  struct View {
    float zoom, ox, oy;
    int w, h;
  };
  const View views[] = {{1, 0, 0, 37, 23},    {1, -3, 5, 41, 30},     {1, 2.5f, -1.5f, 19, 7}, {2, 0, 0, 80, 50},
                        {3.7f, 30, 20, 9, 9}, {0.5f, -4, -4, 40, 20}, {0.3f, 0, 0, 11, 13},    {-1, 36, 22, 5, 5},
                        {0, 0, 0, 3, 2},      {1, 1e9f, 0, 4, 4},     {16, 36.5f, 0, 33, 1}};
  for (const View& v : views) {
    const BZoom z(v.zoom, v.zoom, v.ox, v.oy);
    RgbImage painted(v.w, v.h);
    Host::PaintPicture(picture, z, painted);
    RgbImage expected(v.w, v.h);
    for (int y = 0; y < v.h; ++y) {
      for (int x = 0; x < v.w; ++x) {
        const int ix = OsTruncToInt(x / static_cast<double>(z.fZoomX) + z.fOriginX);
        const int iy = OsTruncToInt(y / static_cast<double>(z.fZoomY) + z.fOriginY);
        const bool inside = ix >= 0 && iy >= 0 && ix < picture.width && iy < picture.height;
        std::copy_n(inside ? picture.At(ix, iy) : Host::kOutsideColour.data(), 3, expected.At(x, y));
      }
    }
    EXPECT_EQ(painted.pixels, expected.pixels) << "zoom " << v.zoom << " origin " << v.ox << "," << v.oy;
  }
}

}  // namespace
