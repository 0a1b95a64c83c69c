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
  std::vector<Answer> answers;
  std::string shown;
  std::vector<std::string> boxes;
};

// The limits, and the numbers refused with the module's message, are in the
// replay scripts (typed-scale, typed-rotation); here, what each run opens on.
TEST_F(NumericDialog, ScaleOpensOnTheLastNumberReadAndCancelKeepsIt) {
  answers = {{"1001", 0, IDOK}, {"1", 0, IDOK}};
  CScaleDialog dialog;
  EXPECT_EQ(std::tuple(dialog.DoModal(), dialog.fPercent, shown), std::tuple(IDOK, 1, "100/4/0"));
  EXPECT_EQ(boxes, (std::vector<std::string>{std::string(OsFindString(kModule, IDS_BAD_SCALE)) + "|Editor|" +
                                             std::to_string(MB_OK | MB_ICONSTOP)}));
  answers = {{"2000", 0, IDOK}, {"50", 0, IDCANCEL}};
  EXPECT_EQ(std::tuple(dialog.DoModal(), dialog.fPercent, shown), std::tuple(IDCANCEL, 2000, "1/4/0"));
}

TEST_F(NumericDialog, RotateOpensOnClockwiseWhateverTheLastRunChose) {
  answers = {{"-5", IDC_COUNTERCLOCKWISE, IDOK}};  // no minus sign in a digits-only edit
  CRotateDialog dialog;
  EXPECT_EQ(std::tuple(dialog.DoModal(), dialog.fDegrees, dialog.fClockwise, shown),
            std::tuple(IDOK, 5, 0, "0/3/2201"));
  answers = {{"3600", 0, IDOK}};  // cut to 360
  EXPECT_EQ(std::tuple(dialog.DoModal(), dialog.fDegrees, dialog.fClockwise, shown),
            std::tuple(IDOK, 360, 1, "5/3/2201"));
  EXPECT_TRUE(boxes.empty());
}

}  // namespace
