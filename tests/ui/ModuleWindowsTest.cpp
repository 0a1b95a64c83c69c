// The polygon option palette through its control, and the numeric dialogs as answered.

#include <string>
#include <tuple>
#include <vector>

#include "OsRuntime.h"
#include "OsScrollControl.h"
#include "module/ModuleFixture.h"
#include "resources/SketchResources.h"
#include "ui/CPolygonOptionView.h"
#include "ui/CRotateDialog.h"
#include "ui/CScaleDialog.h"
#include "ui/PolygonApex.h"

namespace {

// n asterisk beeps, the only sound the palette makes.
std::vector<unsigned> Beeps(int n) { return std::vector<unsigned>(static_cast<std::size_t>(n), 0x40u); }

class PolygonPalette : public ModuleFixture {
 protected:
  CPolygonOptionView* Load() {
    gModuleInterface.InitFloatingPalettes(&frame, RECT{}, &options, RECT{});
    const auto& views = gModuleInterface.fToolOption.GetViews();
    return views.size() == 1 ? dynamic_cast<CPolygonOptionView*>(views.front().get()) : nullptr;
  }
  // The host's road to the control: the option set's palette for its template.
  static OsScrollControl* Control() {
    for (const auto& view : gModuleInterface.fToolOption.GetViews())
      if (view->fDialogId == IDD_POLYGON) return OsFindScrollControl(view.get(), IDC_VERTEX_COUNT);
    return nullptr;
  }

  CWnd frame, options;
};

TEST_F(PolygonPalette, IsMadeFromItsTemplateForTheOptionSet) {
  OsFailAllocationsAfter(0);  // without memory for the palette there is none
  EXPECT_TRUE(Load() == nullptr && gModuleInterface.fToolOption.GetViews().empty());
  OsFailAllocationsAfter(-1);
  CPolygonOptionView* palette = Load();
  ASSERT_NE(palette, nullptr);
  EXPECT_TRUE(palette->GetParent() == &options && palette->fEventHandler == &gModuleInterface);
  EXPECT_FALSE(palette->IsWindowVisible());
  OsScrollControl* control = Control();
  ASSERT_TRUE(control != nullptr && control == palette->fScrollBar.GetControl());
  EXPECT_EQ((std::vector<LONG>{control->GetMin(), control->GetMax(), control->GetValue()}),
            (std::vector<LONG>{3, 100, 3}));
  EXPECT_TRUE(control->IsWindowVisible() && control->GetNotifyWindow() == palette);
}

// Only the low 16 bits of the control's value count; the limits are in the replays.
TEST_F(PolygonPalette, UserCountsAreHeldTo3To100WithABeepForEachCorrection) {
  CPolygonOptionView* palette = Load();
  ASSERT_NE(palette, nullptr);
  for (const auto& [typed, shown, apex, beeps] : {std::tuple{65536 + 50, 65536 + 50, 50, 0}, {65536 + 2, 3, 3, 1}}) {
    SCOPED_TRACE(typed);
    Control()->SetValue(typed);
    EXPECT_EQ((std::vector<int>{Control()->GetValue(), gPolygonApex, palette->fApex}),
              (std::vector<int>{shown, apex, apex}));
    EXPECT_EQ(OsGetBeeps(), Beeps(beeps));
  }
}

// Closed, only its own control's notification or leaving the palette applies the count.
TEST_F(PolygonPalette, AfterCloseOnlyItsControlsNotificationOrLeavingThePaletteApplies) {
  CPolygonOptionView* palette = Load();
  ASSERT_NE(palette, nullptr);
  palette->OnClose();
  OsScrollControl* control = Control();
  control->SetValue(9);
  CWnd other;
  EXPECT_EQ(palette->OsWindowMessage(gScrollNotifyMsg, IDC_VERTEX_COUNT, reinterpret_cast<std::intptr_t>(&other)), 0);
  EXPECT_EQ(palette->OsWindowMessage(gScrollNotifyMsg + 1, IDC_VERTEX_COUNT, control->Handle()), 0);
  EXPECT_EQ(gPolygonApex, 3);
  EXPECT_EQ(palette->OsWindowMessage(gScrollNotifyMsg, IDC_VERTEX_COUNT, control->Handle()), 0);
  EXPECT_EQ(gPolygonApex, 9);
  control->SetValue(150);
  EXPECT_EQ(gPolygonApex, 9);
  palette->OnKillFocus(nullptr);
  EXPECT_EQ((std::vector<LONG>{gPolygonApex, control->GetValue()}), (std::vector<LONG>{100, 100}));
  EXPECT_EQ(OsGetBeeps(), Beeps(1));
}

struct Answer {
  std::string text;
  int direction;  // the radio button clicked, or 0
  int button;
};

// Plays its answers; notes the edit and direction shown on opening, and each message.
class NumericDialog : public ModuleFixture, public OsUserInterface {
 protected:
  void SetUp() override {
    ModuleFixture::SetUp();
    OsSetUserInterface(this);
    AfxGetApp()->m_pszAppName = "Editor";
  }
  void TearDown() override {
    AfxGetApp()->m_pszAppName = nullptr;
    OsSetUserInterface(nullptr);
    ModuleFixture::TearDown();
  }
  void RunModal(CDialog& dialog) override {
    const OsDialogControl* edit = dialog.OsFindControl(IDC_VALUE);
    shown = edit->text + "/" + std::to_string(edit->limit) + "/" +
            std::to_string(dialog.GetCheckedRadioButton(IDC_CLOCKWISE, IDC_COUNTERCLOCKWISE));
    for (const Answer& a : answers) {
      dialog.OsType(IDC_VALUE, a.text);
      if (a.direction != 0) dialog.OsClick(a.direction);
      dialog.OsClick(a.button);
    }
  }
  int MessageBox(const char* text, const char* caption, UINT type) override {
    boxes.push_back(std::string(text) + "|" + caption + "|" + std::to_string(type));
    return IDOK;
  }
  std::vector<Answer> answers;
  std::string shown;
  std::vector<std::string> boxes;
};

// Scale opens on the last number read, even if cancelled; limits are in the replays.
TEST_F(NumericDialog, EachRunOpensOnWhatTheLastRunLeft) {
  answers = {{"1001", 0, IDOK}, {"1", 0, IDOK}};
  CScaleDialog dialog;
  EXPECT_EQ(std::tuple(dialog.DoModal(), dialog.fPercent, shown), std::tuple(IDOK, 1, "100/4/0"));
  EXPECT_EQ(boxes, (std::vector<std::string>{std::string(OsFindString(instance, IDS_BAD_SCALE)) + "|Editor|" +
                                             std::to_string(MB_OK | MB_ICONSTOP)}));
  answers = {{"2000", 0, IDOK}, {"50", 0, IDCANCEL}};
  EXPECT_EQ(std::tuple(dialog.DoModal(), dialog.fPercent, shown), std::tuple(IDCANCEL, 2000, "1/4/0"));

  // Rotate opens on clockwise whatever the last run chose.
  boxes.clear();
  CRotateDialog rotate;
  answers = {{"-5", IDC_COUNTERCLOCKWISE, IDOK}};  // no minus sign in a digits-only edit
  EXPECT_EQ(std::tuple(rotate.DoModal(), rotate.fDegrees, rotate.fClockwise, shown),
            std::tuple(IDOK, 5, 0, "0/3/2201"));
  answers = {{"3600", 0, IDOK}};  // cut to 360
  EXPECT_EQ(std::tuple(rotate.DoModal(), rotate.fDegrees, rotate.fClockwise, shown),
            std::tuple(IDOK, 360, 1, "5/3/2201"));
  EXPECT_TRUE(boxes.empty());
}

}  // namespace
