// The scale and rotate dialogs worked as a person works them: a number typed,
// a direction clicked, OK or Cancel; a bad number is answered with the module's
// message and the dialog waits for the next answer.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "resources/SketchResources.h"
#include "ui/CRotateDialog.h"
#include "ui/CScaleDialog.h"

namespace {

char gModule;
const HINSTANCE kModule = reinterpret_cast<HINSTANCE>(&gModule);

struct Answer {
  std::string text;
  int direction;  // the radio button clicked, or 0
  int button;
};

// Plays its answers while the dialog runs; notes what the dialog showed on
// opening (the edit's text and limit, the checked direction) and each message.
class NumericDialog : public ::testing::Test, public OsUserInterface {
 protected:
  void SetUp() override {
    OsAttachResources(kModule, &kSketchResources);
    OsSetUserInterface(this);
    AfxGetApp()->m_pszAppName = "Editor";
  }
  void TearDown() override {
    AfxGetApp()->m_pszAppName = nullptr;
    OsSetUserInterface(nullptr);
    OsAttachResources(kModule, nullptr);
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
  // The stop box for string `id`, n times.
  static std::vector<std::string> Stops(unsigned id, int n) {
    const std::string box = std::string(OsFindString(kModule, id)) + "|Editor|" + std::to_string(MB_OK | MB_ICONSTOP);
    return std::vector<std::string>(static_cast<std::size_t>(n), box);
  }
  std::vector<Answer> answers;
  std::string shown;
  std::vector<std::string> boxes;
};

TEST_F(NumericDialog, ScaleTakesOneToAThousandAndAsksAgainForAnythingElse) {
  // "12345" is cut to 1234, too large as well; answers after the accepted one
  // find the dialog ended.
  answers = {{"0", 0, IDOK}, {"1001", 0, IDOK}, {"", 0, IDOK}, {"12345", 0, IDOK}, {"1", 0, IDOK}, {"1000", 0, IDOK}};
  CScaleDialog dialog;
  EXPECT_EQ(std::tuple(dialog.DoModal(), dialog.fPercent, shown), std::tuple(IDOK, 1, "100/4/0"));
  EXPECT_EQ(boxes, Stops(IDS_BAD_SCALE, 4));
  answers = {{"1000", 0, IDOK}};
  EXPECT_EQ(std::tuple(dialog.DoModal(), dialog.fPercent, shown), std::tuple(IDOK, 1000, "1/4/0"));
  // Cancel keeps what the last OK read, and each run opens on the member.
  answers = {{"2000", 0, IDOK}, {"50", 0, IDCANCEL}};
  EXPECT_EQ(std::tuple(dialog.DoModal(), dialog.fPercent), std::tuple(IDCANCEL, 2000));
  EXPECT_EQ(std::tuple(CScaleDialog().fPercent, boxes.size()), std::tuple(100, 5u));
}

TEST_F(NumericDialog, RotateTakesZeroToThreeSixtyInTheDirectionCheckedLast) {
  answers = {{"361", IDC_COUNTERCLOCKWISE, IDOK}, {"-5", 0, IDOK}};  // no minus sign in a digits-only edit
  CRotateDialog dialog;
  EXPECT_EQ(std::tuple(dialog.DoModal(), dialog.fDegrees, dialog.fClockwise, shown),
            std::tuple(IDOK, 5, 0, "0/3/2201"));
  EXPECT_EQ(boxes, Stops(IDS_BAD_ANGLE, 1));
  // Every run opens on clockwise, whatever the last one chose; "3600" is cut to 360.
  answers = {{"3600", 0, IDOK}};
  EXPECT_EQ(std::tuple(dialog.DoModal(), dialog.fDegrees, dialog.fClockwise, shown),
            std::tuple(IDOK, 360, 1, "5/3/2201"));
  answers = {{"45", IDC_COUNTERCLOCKWISE, IDOK}};
  EXPECT_EQ(std::tuple(dialog.DoModal(), dialog.fDegrees, dialog.fClockwise), std::tuple(IDOK, 45, 0));
  EXPECT_EQ(boxes.size(), 1u);
}

}  // namespace
