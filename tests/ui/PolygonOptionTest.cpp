// The polygon option palette as the host drives it: made by InitFloatingPalettes,
// set through its scroll-bar control as a user would, shown with the polygon
// tool, its count kept in the profile; and the host's control on its own.

#include <gtest/gtest.h>

#include <ostream>
#include <tuple>
#include <vector>

#include "OsPlatformHost.h"
#include "OsRuntime.h"
#include "OsScrollControl.h"
#include "module/CSketchInterface.h"
#include "ui/CPolygonOptionView.h"
#include "ui/PolygonApex.h"

extern "C" BOOL DllMain(OsModuleInstance* instance, DWORD reason, void*);

namespace {

// n asterisk beeps, the only sound the palette makes.
std::vector<unsigned> Beeps(int n) { return std::vector<unsigned>(static_cast<std::size_t>(n), 0x40u); }
std::vector<LONG> MinMaxValue(const OsScrollControl* c) { return {c->GetMin(), c->GetMax(), c->GetValue()}; }

class PolygonPalette : public ::testing::Test {
 protected:
  static OsModuleInstance* Instance() {
    static int handle;
    return reinterpret_cast<OsModuleInstance*>(&handle);
  }
  void SetUp() override {
    ASSERT_EQ(DllMain(Instance(), DLL_PROCESS_ATTACH, nullptr), 1);
    Reset();
  }
  void TearDown() override {
    Reset();
    DllMain(Instance(), DLL_PROCESS_DETACH, nullptr);
  }
  static void Reset() {
    OsFailAllocationsAfter(-1);
    gModuleInterface.fToolOption.DestroyViews();
    gModuleInterface.fToolOption.ShowView(-1);
    gModuleInterface.LoadModuleCursor(-1);
    gModuleInterface.fCurrentTool = 4;
    gCurrentTool = -1;
    gPolygonApex = 3;
    AfxGetApp()->fProfile.clear();
    OsClearBeeps();
  }
  // The palettes made as the host makes them: the one palette, or null.
  CPolygonOptionView* Load() {
    gModuleInterface.InitFloatingPalettes(&frame, RECT{}, &options, RECT{});
    const auto& views = gModuleInterface.fToolOption.GetViews();
    return views.size() == 1 ? dynamic_cast<CPolygonOptionView*>(views.front().get()) : nullptr;
  }
  // The host's road to the control: the option set's palette for template 2004.
  static OsScrollControl* Control() {
    for (const auto& view : gModuleInterface.fToolOption.GetViews()) {
      if (view->fDialogId == 2004) return OsFindScrollControl(view.get(), 2005);
    }
    return nullptr;
  }

  CWnd frame, options;
};

TEST_F(PolygonPalette, IsMadeFromItsTemplateOutOfSightAndHandedToTheOptionSet) {
  CPolygonOptionView* palette = Load();
  ASSERT_NE(palette, nullptr);
  EXPECT_EQ(palette->GetParent(), &options);
  EXPECT_EQ(palette->fEventHandler, &gModuleInterface);
  RECT r;
  palette->GetWindowRect(&r);
  EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}), (std::vector<LONG>{0, -999, 111, -960}));
  EXPECT_FALSE(palette->IsWindowVisible());
  OsScrollControl* control = Control();
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(control, palette->fScrollBar.GetControl());
  EXPECT_EQ(MinMaxValue(control), (std::vector<LONG>{3, 100, 3}));
  EXPECT_TRUE(control->IsWindowVisible());
  EXPECT_EQ(control->GetNotifyWindow(), palette);
  EXPECT_EQ(palette->fApex, 3);
  EXPECT_EQ(gPolygonApex, 3);
  EXPECT_EQ(OsGetBeeps(), Beeps(0));
}

TEST_F(PolygonPalette, UserCountsAreHeldTo3To100WithABeepForEachCorrection) {
  CPolygonOptionView* palette = Load();
  ASSERT_NE(palette, nullptr);
  // Each step changes the control's value, so each one notifies.
  for (const auto& [typed, shown, apex, beeps] :
       {std::tuple{6, 6, 6, 0}, {2, 3, 3, 1}, {100, 100, 100, 1}, {3, 3, 3, 1}, {101, 100, 100, 2}, {6, 6, 6, 2},
        // Only the low 16 bits of the control's value count.
        {65536 + 50, 65536 + 50, 50, 2}, {65536 + 2, 3, 3, 3}}) {
    Control()->SetValue(typed);
    EXPECT_EQ(Control()->GetValue(), shown) << "typed " << typed;
    EXPECT_EQ(gPolygonApex, apex) << "typed " << typed;
    EXPECT_EQ(palette->fApex, apex) << "typed " << typed;
    EXPECT_EQ(OsGetBeeps(), Beeps(beeps)) << "typed " << typed;
  }
}

TEST_F(PolygonPalette, OnlyTheControlsOwnNotificationApplies) {
  CPolygonOptionView* palette = Load();
  ASSERT_NE(palette, nullptr);
  OsScrollControl* control = Control();
  control->SetNotifyWindow(nullptr);
  control->SetValue(9);
  CWnd other;
  EXPECT_EQ(palette->OsWindowMessage(gScrollNotifyMsg, 2005, reinterpret_cast<std::intptr_t>(&other)), 0);
  EXPECT_EQ(palette->OsWindowMessage(gScrollNotifyMsg + 1, 2005, control->Handle()), 0);
  EXPECT_EQ(gPolygonApex, 3);
  EXPECT_EQ(palette->OsWindowMessage(gScrollNotifyMsg, 2005, control->Handle()), 0);
  EXPECT_EQ(gPolygonApex, 9);
}

TEST_F(PolygonPalette, AfterCloseOnlyLeavingThePaletteAppliesTheCount) {
  CPolygonOptionView* palette = Load();
  ASSERT_NE(palette, nullptr);
  palette->OnClose();
  Control()->SetValue(150);
  EXPECT_EQ(gPolygonApex, 3);
  EXPECT_EQ(OsGetBeeps(), Beeps(0));
  palette->OnKillFocus(nullptr);
  EXPECT_EQ(gPolygonApex, 100);
  EXPECT_EQ(Control()->GetValue(), 100);
  EXPECT_EQ(OsGetBeeps(), Beeps(1));
}

TEST_F(PolygonPalette, ThePolygonToolShowsItAndOtherToolsOrLeavingTheModeHideIt) {
  CPolygonOptionView* palette = Load();
  ASSERT_NE(palette, nullptr);
  for (const auto& [tool, on, shown] : {std::tuple{14, 1, true}, {4, 1, false}, {14, 1, true}, {14, 0, false}}) {
    gModuleInterface.DoToolChange(static_cast<short>(tool), on);
    EXPECT_EQ(palette->IsWindowVisible(), shown) << "tool " << tool << " on " << on;
    EXPECT_EQ(gModuleInterface.fToolOption.GetShownView(), shown ? 2004 : -1);
  }
}

TEST_F(PolygonPalette, TheCountWrittenOnUnloadComesBackOnTheNextLoad) {
  ASSERT_NE(Load(), nullptr);
  Control()->SetValue(42);
  gModuleInterface.WritePreferences();
  EXPECT_EQ(AfxGetApp()->GetProfileString("Sketch", "PolygonOption-Apex").str(), "42");
  gModuleInterface.fToolOption.DestroyViews();
  gPolygonApex = 3;
  ASSERT_NE(Load(), nullptr);
  EXPECT_EQ(gPolygonApex, 42);
  EXPECT_EQ(Control()->GetValue(), 42);
}

TEST_F(PolygonPalette, TheOptionSetDestroysThePaletteWithItsControl) {
  const CWnd* palette = Load();
  ASSERT_NE(Control(), nullptr);
  gModuleInterface.fToolOption.DestroyViews();
  EXPECT_EQ(OsFindScrollControl(palette, 2005), nullptr);
}

TEST_F(PolygonPalette, WithoutMemoryForThePaletteThereIsNone) {
  OsFailAllocationsAfter(0);
  EXPECT_EQ(Load(), nullptr);
  EXPECT_TRUE(gModuleInterface.fToolOption.GetViews().empty());
}

// The profile as the host found it at start-up, and the count the palette holds.
struct ProfileCase {
  const char* section;
  const char* text;
  int apex;
  int beeps;
};
void PrintTo(const ProfileCase& c, std::ostream* out) { *out << c.section << " \"" << c.text << '"'; }

class PolygonProfile : public PolygonPalette, public ::testing::WithParamInterface<ProfileCase> {};

TEST_P(PolygonProfile, ACountReadAtStartUpTakesEffectThroughTheControl) {
  const ProfileCase& c = GetParam();
  AfxGetApp()->WriteProfileString(c.section, "PolygonOption-Apex", c.text);
  CPolygonOptionView* palette = Load();
  ASSERT_NE(palette, nullptr);
  EXPECT_EQ(gPolygonApex, c.apex);
  EXPECT_EQ(palette->fApex, c.apex);
  EXPECT_EQ(Control()->GetValue(), c.apex);
  EXPECT_EQ(OsGetBeeps(), Beeps(c.beeps));
}

INSTANTIATE_TEST_SUITE_P(Texts, PolygonProfile,
                         ::testing::Values(ProfileCase{"Sketch", "7", 7, 0}, ProfileCase{"Sketch", " 12abc", 12, 0},
                                           ProfileCase{"Sketch", "", 3, 0}, ProfileCase{"Sketch", "abc", 3, 0},
                                           ProfileCase{"Other", "7", 3, 0},
                                           // Corrected as the user's count would be.
                                           ProfileCase{"Sketch", "250", 100, 1}));

TEST(PScrollBar, ATemplateControlReadsItsRangeAndValueAndNothingElse) {
  CWnd parent;
  OsDialogControlResource entry{"PScrollBar", 7, 1, 2, 30, 4, "", WS_VISIBLE, "font=x,1;min=-5;max=7;value=4"};
  const auto control = OsScrollControl::FromTemplate(entry, &parent);
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(MinMaxValue(control.get()), (std::vector<LONG>{-5, 7, 4}));
  EXPECT_EQ(OsFindScrollControl(&parent, 7), control.get());
  EXPECT_EQ(OsFindScrollControl(&parent, 8), nullptr);
  entry.initData = "min=x;max=;value=3z;;noequals";
  entry.style = 0;
  const auto defaults = OsScrollControl::FromTemplate(entry, &parent);
  EXPECT_EQ(MinMaxValue(defaults.get()), (std::vector<LONG>{0, 100, 0}));
  EXPECT_FALSE(defaults->IsWindowVisible());
  entry.className = "STATIC";
  EXPECT_EQ(OsScrollControl::FromTemplate(entry, &parent), nullptr);
}

class Recorder : public CWnd, public OsMessageWindow {
 public:
  std::intptr_t OsWindowMessage(UINT message, std::uintptr_t wParam, std::intptr_t lParam) override {
    sent.emplace_back(message, wParam, lParam);
    return 0;
  }
  std::vector<std::tuple<UINT, std::uintptr_t, std::intptr_t>> sent;
};

TEST(PScrollBar, TheControlTellsItsWindowOfEachChangeWithTheRegisteredMessage) {
  Recorder window;
  CPScrollBar bar;
  bar.SetValue(5);  // no control yet: nothing to set
  EXPECT_EQ(bar.GetValue(), 0);
  ASSERT_EQ(bar.Create("", WS_VISIBLE, RECT{1, 2, 11, 6}, &window, 2005), 1);
  EXPECT_STREQ(bar.GetRuntimeClass()->m_lpszClassName, "CPScrollBar");
  const OsScrollControl* control = OsFindScrollControl(&window, 2005);
  ASSERT_EQ(control, bar.GetControl());
  EXPECT_EQ(MinMaxValue(control), (std::vector<LONG>{0, 100, 0}));
  bar.SetNotifyWindow(&window);
  bar.SetValue(0);
  bar.SetValue(12);
  bar.SetNotifyWindow(nullptr);
  bar.SetValue(13);
  EXPECT_EQ(gScrollNotifyMsg, RegisterWindowMessage("PScrollBar_NotifyMessage"));
  EXPECT_EQ(window.sent, (decltype(window.sent){{gScrollNotifyMsg, 2005, control->Handle()}}));
  // A window without a message procedure is sent nothing.
  CWnd plain;
  bar.SetNotifyWindow(&plain);
  bar.SetValue(14);
  EXPECT_EQ(bar.GetValue(), 14);
}

}  // namespace
