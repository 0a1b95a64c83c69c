// The scale and rotate dialogs worked as a person works them: answers typed
// into the edit, a direction clicked, OK or Cancel; a bad number is answered
// with the module's message and the dialog waits for the next answer.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "OsDialog.h"
#include "resources/SketchResources.h"
#include "ui/CRotateDialog.h"
#include "ui/CScaleDialog.h"

namespace {

char gModule;
const HINSTANCE kModule = reinterpret_cast<HINSTANCE>(&gModule);

struct Answer {
  std::string text;
  int direction;  // the radio button clicked, or 0
  int button;     // IDOK or IDCANCEL
};

// Plays the answers in order while the dialog runs, noting what the edit
// showed when the dialog opened and what each message box said.
class Person final : public OsUserInterface {
 public:
  std::vector<Answer> answers;
  std::string shown;                // the edit's text and limit, and the checked direction
  std::vector<std::string> boxes;   // text, caption and type of each message
  void RunModal(CDialog& dialog) override {
    const OsDialogControl* edit = dialog.OsFindControl(IDC_VALUE);
    shown = edit->text + "/" + std::to_string(edit->limit) + "/" +
            std::to_string(dialog.GetCheckedRadioButton(IDC_CLOCKWISE, IDC_COUNTERCLOCKWISE));
    for (const Answer& a : answers) {
      if (dialog.OsHasEnded()) break;
      dialog.OsType(IDC_VALUE, a.text);
      if (a.direction != 0) dialog.OsClick(a.direction);
      dialog.OsClick(a.button);
    }
  }
  int MessageBox(const char* text, const char* caption, UINT type) override {
    boxes.push_back(std::string(text) + "|" + caption + "|" + std::to_string(type));
    return IDOK;
  }
};

class NumericDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    OsAttachResources(kModule, &kSketchResources);
    OsSetUserInterface(&person);
    AfxGetApp()->m_pszAppName = "Editor";
  }
  void TearDown() override {
    AfxGetApp()->m_pszAppName = nullptr;
    OsSetUserInterface(nullptr);
    OsAttachResources(kModule, nullptr);
  }
  // The message box the module shows for string `id`, n times.
  static std::vector<std::string> Messages(unsigned id, int n) {
    const std::string box = std::string(OsFindString(kModule, id)) + "|Editor|" + std::to_string(MB_OK | MB_ICONSTOP);
    return std::vector<std::string>(static_cast<std::size_t>(n), box);
  }
  Person person;
};

TEST_F(NumericDialog, ScaleTakesOneToAThousandAndAsksAgainForAnythingElse) {
  for (const char* accepted : {"1", "1000"}) {
    person.answers = {{accepted, 0, IDOK}};
    CScaleDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.fPercent, std::stoi(accepted));
  }
  EXPECT_TRUE(person.boxes.empty());
  // "12345" is cut to four digits, and 1234 is too large as well.
  person.answers = {{"0", 0, IDOK}, {"1001", 0, IDOK}, {"", 0, IDOK}, {"12345", 0, IDOK}, {"250", 0, IDOK}};
  CScaleDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(std::tuple(person.shown, dialog.fPercent), std::tuple("100/4/0", 250));
  EXPECT_EQ(person.boxes, Messages(IDS_BAD_SCALE, 4));
}

TEST_F(NumericDialog, ScaleCancelledKeepsTheRejectedValueAndEndsWithCancel) {
  person.answers = {{"1234", 0, IDOK}, {"50", 0, IDCANCEL}};
  CScaleDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.fPercent, 1234);
  // Each run opens on the member, whatever the last one left in the edit.
  person.answers = {{"", 0, IDCANCEL}};
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(person.shown, "1234/4/0");
}

TEST_F(NumericDialog, RotateTakesZeroToThreeSixtyInEitherDirection) {
  struct Case {
    Answer answer;
    int degrees, clockwise;
  };
  const Case cases[] = {
      {{"0", 0, IDOK}, 0, 1},
      {{"360", IDC_CLOCKWISE, IDOK}, 360, 1},
      {{"45", IDC_COUNTERCLOCKWISE, IDOK}, 45, 0},
      {{"-5", IDC_COUNTERCLOCKWISE, IDOK}, 5, 0},  // no minus sign in a digits-only edit
      {{"", 0, IDOK}, 0, 1},
  };
  for (const Case& c : cases) {
    person.answers = {c.answer};
    CRotateDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK) << c.answer.text;
    EXPECT_EQ(std::tuple(dialog.fDegrees, dialog.fClockwise), std::tuple(c.degrees, c.clockwise)) << c.answer.text;
  }
  EXPECT_TRUE(person.boxes.empty());
}

TEST_F(NumericDialog, RotateAsksAgainOutOfRangeAndAlwaysOpensOnClockwise) {
  // "3600" is cut to three digits, 360, which is taken.
  person.answers = {{"361", IDC_COUNTERCLOCKWISE, IDOK}, {"999", 0, IDOK}, {"3600", 0, IDOK}};
  CRotateDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(std::tuple(person.shown, dialog.fDegrees, dialog.fClockwise), std::tuple("0/3/2201", 360, 0));
  EXPECT_EQ(person.boxes, Messages(IDS_BAD_ANGLE, 2));
  person.answers = {{"90", 0, IDCANCEL}};
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(std::tuple(person.shown, dialog.fDegrees, dialog.fClockwise), std::tuple("360/3/2201", 360, 0));
}

}  // namespace
