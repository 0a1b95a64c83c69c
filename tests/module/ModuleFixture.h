#pragma once
// The module on a fake host whose one view shows a sketch, repainted as ASCII art.

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "BCommand.h"
#include "OsPlatformHost.h"
#include "RasterFixture.h"
#include "container/TObjectContainer.h"
#include "model/TDRectangle.h"
#include "module/CSketchDocument.h"
#include "module/CSketchInterface.h"
#include "raster/SketchDisplay.h"
#include "ui/PolygonApex.h"

extern "C" BOOL DllMain(OsModuleInstance* instance, DWORD reason, void*);

class FakeHost : public BHostContext, public BHostServices, public BColorService {
 public:
  BView* GetCurrentView() override { return fView; }
  void ActivateModule(BModuleInterface*) override {}
  void RedrawCurrentView() override {}
  void ReportPoint(const OsImgPoint*) override {}
  void ReportSize(const OsImgSize*) override {}
  void ReportRect(const OsImgRect*) override {}
  void PostCommand(BCommand* command) override { fPosts.emplace_back(command); }
  // Entry i is grey 255 - i.
  OsImgPaletteEntry GetPaletteEntry(int index) override {
    const auto v = static_cast<std::uint8_t>(255 - index);
    return {v, v, v};
  }

  BView* fView = nullptr;
  std::vector<std::unique_ptr<BCommand>> fPosts;  // what the interface posted
};

// The raster is the module's, screen-sized; the raster fixture reads it.
class ModuleFixture : public RasterFixture {
 public:
  using Pixel = std::array<std::uint8_t, 3>;
  static constexpr int kViewW = 16, kViewH = 8, kScreenW = 64, kScreenH = 48;
  static constexpr Pixel kBackground{0x30, 0x60, 0x90};
  static constexpr Pixel kInverted{0xCF, 0x9F, 0x6F};

 protected:
  inline static int library;  // any address names the library
  OsModuleInstance* const instance = reinterpret_cast<OsModuleInstance*>(&library);

  void SetUp() override {
    OsSetScreenSize(kScreenW, kScreenH);
    ASSERT_EQ(DllMain(instance, DLL_PROCESS_ATTACH, nullptr), 1);
    ResetModule();
    sketch = static_cast<CSketchDocument*>(gModuleInterface.CreateModuleDocument(&document));
    ASSERT_NE(sketch, nullptr);
    document.SetModuleDocument(1, sketch);
    ASSERT_EQ(sketch->InitDocument(&document), 1);
    view.OsSetDocument(&document);
    view.GetWindow()->OsPlace(0, 0, kViewW, kViewH);
    view.OsSetRepaint([this](BView& v) { Repaint(v); });
    view.OsSetPost([this](BCommand* c) { viewPosts.emplace_back(c); });
    sketch->fContainer->AttachView(&view);
    host.fView = &view;
    links = {nullptr, &host, &host, &host};
    gModuleInterface.IModuleInterface(&links);
    cursorBase = OsLiveCursorCount();
  }

  void TearDown() override {
    viewPosts.clear();
    ResetModule();
    CSketchInterface& m = gModuleInterface;
    m.fHostContext = nullptr;
    m.fInterfaces = nullptr;
    m.fHostServices = nullptr;
    m.fColorService = nullptr;
    RasterFixture::TearDown();
    DllMain(instance, DLL_PROCESS_DETACH, nullptr);
  }

  // Module-wide state back to what a freshly loaded module has.
  static void ResetModule() {
    CSketchInterface& m = gModuleInterface;
    OsReleaseAllKeys();
    m.CheckKey({}, nullptr);  // forgets a temporary tool a test left in force
    m.LoadModuleCursor(-1);
    m.fCurrentTool = kToolRectangle;
    m.fZoomState = 0;
    m.fDispColor = ID_DISPLAY_INVERTED;
    m.fDispSwitch = ID_DISPLAY_SHOW;
    m.fPaletteIndex = 0;
    m.fToolOption.DestroyViews();
    m.fToolOption.ShowView(-1);
    gPolygonApex = 3;
    OsClearBeeps();
    gCurrentTool = -1;
    gActiveView = nullptr;
    TObjectContainer::fClipContainer->DeleteAll();
    AfxGetApp()->fProfile.clear();
    AfxGetApp()->m_pMainWnd = nullptr;
  }

  void Repaint(BView& v) {
    ++repaints;
    frame.assign(kViewW * kViewH, kBackground);
    CDC dc;
    dc.Attach(OsCreateBufferDC(frame.front().data(), kViewW, kViewH, kViewW * 3));
    gModuleInterface.RepaintRequest(&dc, &v);
  }

  // A figure dragged between two view points and finished, markers hidden.
  template <typename Shape = TDRectangle>
  void Add(int x0, int y0, int x1, int y1, int selected = 1) {
    auto* s = new Shape;
    OsImgPoint press{x0, y0}, current{x1, y1};
    EXPECT_TRUE(s->Begin(sketch->fContainer, x0, y0));
    s->Track(2, &press, &current);
    OsImgRect bounds;
    s->CalcBounds(bounds);
    s->SetSelect(0, 1, 0);
    s->SetSelect(selected, 0, 0);
    s->SetBusy(0);
    EXPECT_TRUE(sketch->fContainer->AddObject(s));
    ClearRaster();
  }

  // The frame: '.' background, '#' the colour given, '?' anything else.
  std::string Art(Pixel ink) const {
    std::string out;
    for (std::size_t i = 0; i < frame.size(); ++i) {
      out += frame[i] == kBackground ? '.' : frame[i] == ink ? '#' : '?';
      if (i % kViewW == kViewW - 1) out += '\n';
    }
    return out;
  }

  FakeHost host;
  std::vector<std::unique_ptr<BCommand>> viewPosts;  // what the view's event handler was given
  BModuleInterfaces links;
  BDocument document;
  BView view;
  CSketchDocument* sketch = nullptr;  // owned by the document
  std::vector<Pixel> frame;
  int repaints = 0;
  int cursorBase = 0;
};
