// The modal dialog as the platform runs it: controls built from the template,
// worked as a person would (typing, radio groups, buttons), the numbers read and
// written as the platform does, and the installed user interface, or its absence.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "OsDialog.h"

namespace {

char gLibrary;
const HINSTANCE kLibrary = reinterpret_cast<HINSTANCE>(&gLibrary);
constexpr unsigned kDialogId = 700;
constexpr int kNumber = 10, kText = 11, kLabel = 12, kA = 20, kB = 21, kC = 22, kPlain = 23, kHelp = 30;

constexpr OsDialogControlResource kControls[] = {
    {"BUTTON", IDOK, 0, 0, 10, 10, "OK", BS_DEFPUSHBUTTON | WS_GROUP, nullptr},
    {"BUTTON", IDCANCEL, 0, 0, 10, 10, "Cancel", 0, nullptr},
    {"BUTTON", kHelp, 0, 0, 10, 10, "Help", 0, nullptr},
    {"EDIT", kNumber, 0, 0, 10, 10, "", ES_NUMBER | WS_GROUP, nullptr},
    {"EDIT", kText, 0, 0, 10, 10, "first", 0, nullptr},
    {"STATIC", kLabel, 0, 0, 10, 10, "label", SS_LEFT, nullptr},
    // Two groups of radio buttons: A and B, then C with a plain radio button.
    {"BUTTON", kA, 0, 0, 10, 10, "a", BS_AUTORADIOBUTTON | WS_GROUP, nullptr},
    {"BUTTON", kB, 0, 0, 10, 10, "b", BS_AUTORADIOBUTTON, nullptr},
    {"BUTTON", kC, 0, 0, 10, 10, "c", BS_AUTORADIOBUTTON | WS_GROUP, nullptr},
    {"BUTTON", kPlain, 0, 0, 10, 10, "plain", BS_RADIOBUTTON, nullptr},
};
constexpr OsDialogResource kDialogs[] = {
    {kDialogId, "Test", 0, 0, 100, 50, "font", 9, WS_POPUP, kControls, static_cast<int>(std::size(kControls))},
};
constexpr OsResourceTable kTable = {nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0, kDialogs, 1};

// Counts its exchanges in each direction.
class TestDialog final : public CDialog {
 public:
  explicit TestDialog(unsigned id = kDialogId) : CDialog(id) {}
  int toControls = 0, fromControls = 0;

 protected:
  void DoDataExchange(CDataExchange* dx) override { ++(dx->m_bSaveAndValidate ? fromControls : toControls); }
};

// Runs the dialog with `steps`, and shows message boxes by keeping them.
class ScriptedUser final : public OsUserInterface {
 public:
  std::function<void(CDialog&)> steps = [](CDialog&) {};
  std::vector<std::tuple<std::string, std::string, UINT>> boxes;
  void RunModal(CDialog& dialog) override { steps(dialog); }
  int MessageBox(const char* text, const char* caption, UINT type) override {
    boxes.emplace_back(text, caption, type);
    return IDNO;
  }
};

class Dialog : public ::testing::Test {
 protected:
  void SetUp() override {
    OsAttachResources(kLibrary, &kTable);
    OsSetUserInterface(&user);
  }
  void TearDown() override {
    OsSetUserInterface(nullptr);
    OsAttachResources(kLibrary, nullptr);
  }
  // Runs a fresh dialog through `steps`; the result of DoModal.
  INT_PTR Run(std::function<void(CDialog&)> steps) {
    user.steps = std::move(steps);
    return dialog.DoModal();
  }
  ScriptedUser user;
  TestDialog dialog;
};

std::string Text(const CDialog& d, int id) { return d.OsFindControl(id)->text; }

std::vector<int> Checked(const CDialog& d) {
  std::vector<int> ids;
  for (const OsDialogControl& c : d.OsControls()) {
    if (c.checked) ids.push_back(c.id);
  }
  return ids;
}

TEST_F(Dialog, TypingReplacesTheTextKeepingDigitsOnlyWhereAskedAndNothingPastTheLimit) {
  Run([](CDialog& d) {
    EXPECT_TRUE(d.OsType(kNumber, "-1a2.3"));
    EXPECT_EQ(Text(d, kNumber), "123");
    d.SendDlgItemMessage(kNumber, EM_LIMITTEXT, 3, 0);
    d.OsType(kNumber, "12345");
    EXPECT_EQ(Text(d, kNumber), "123");
    // A limit counts characters, not bytes; 0 lifts it again.
    d.SendDlgItemMessage(kText, EM_LIMITTEXT, 2, 0);
    d.OsType(kText, "角度x");
    EXPECT_EQ(Text(d, kText), "角度");
    d.SendDlgItemMessage(kText, EM_LIMITTEXT, 0, 0);
    d.OsType(kText, "-12 ab");
    EXPECT_EQ(Text(d, kText), "-12 ab");
    // A program's text is not a person's typing: neither filter nor limit.
    d.SetDlgItemInt(kNumber, static_cast<UINT>(-45), 1);
    EXPECT_EQ(Text(d, kNumber), "-45");
    d.SetDlgItemInt(kNumber, 0xFFFFFFFFu, 0);
    EXPECT_EQ(Text(d, kNumber), "4294967295");
    EXPECT_FALSE(d.OsType(kLabel, "x"));
    EXPECT_FALSE(d.OsType(99, "x"));
    d.OsClick(IDCANCEL);
  });
}

TEST_F(Dialog, AnAutomaticRadioButtonChecksItselfAndClearsTheRestOfItsGroupOnly) {
  Run([](CDialog& d) {
    d.CheckRadioButton(kA, kPlain, kPlain);
    EXPECT_EQ(d.GetCheckedRadioButton(kA, kPlain), kPlain);
    EXPECT_TRUE(d.OsClick(kA));
    EXPECT_EQ(Checked(d), (std::vector{kA, kPlain}));
    d.OsClick(kB);
    EXPECT_EQ(Checked(d), (std::vector{kB, kPlain}));
    d.OsClick(kC);  // the last group reaches to the end of the template
    EXPECT_EQ(Checked(d), (std::vector{kB, kC}));
    // Nobody answers a plain radio button or a button other than OK and Cancel.
    EXPECT_FALSE(d.OsClick(kPlain));
    EXPECT_FALSE(d.OsClick(kHelp));
    EXPECT_FALSE(d.OsClick(kNumber));
    EXPECT_EQ(Checked(d), (std::vector{kB, kC}));
    // The lowest number in the range; 0 when none in it is checked.
    EXPECT_EQ(d.GetCheckedRadioButton(kA, kC), kB);
    EXPECT_EQ(d.GetCheckedRadioButton(kC, kPlain), kC);
    EXPECT_EQ(d.GetCheckedRadioButton(kA, kA), 0);
    d.CheckRadioButton(kB, kC, kC);
    EXPECT_EQ(Checked(d), (std::vector{kC}));
    d.OsClick(IDCANCEL);
  });
}

TEST_F(Dialog, NumbersAreReadAsThePlatformReadsThem) {
  struct Case {
    const char* text;
    BOOL isSigned;
    UINT value;
    BOOL translated;
  };
  const Case cases[] = {
      {"", 1, 0, 0},
      {"abc", 1, 0, 0},
      {"-", 1, 0, 0},
      {"  -12", 1, static_cast<UINT>(-12), 1},
      {"+7", 0, 7, 1},
      {"-12", 0, 0, 0},
      {"12abc", 1, 12, 1},
      {"2147483647", 1, 2147483647u, 1},
      {"2147483648", 1, 0, 0},
      {"-2147483648", 1, 0x80000000u, 1},
      {"-2147483649", 1, 0, 0},
      {"2147483648", 0, 2147483648u, 1},
      {"4294967295", 0, 4294967295u, 1},
      {"4294967296", 0, 0, 0},
      {"99999999999999999999999", 1, 0, 0},
  };
  Run([&cases](CDialog& d) {
    for (const Case& c : cases) {
      d.OsType(kText, c.text);
      BOOL translated = 7;
      EXPECT_EQ(d.GetDlgItemInt(kText, &translated, c.isSigned), c.value) << c.text;
      EXPECT_EQ(translated, c.translated) << c.text;
    }
    EXPECT_EQ(d.GetDlgItemInt(99), 0u);
    d.OsClick(IDCANCEL);
  });
}

TEST_F(Dialog, OkReadsTheControlsAndEndsCancelAndCloseEndWithoutReading) {
  EXPECT_EQ(Run([](CDialog& d) { EXPECT_TRUE(d.OsClick(IDOK)); }), IDOK);
  EXPECT_EQ(std::tuple(dialog.toControls, dialog.fromControls), std::tuple(1, 1));
  EXPECT_EQ(Run([](CDialog& d) { d.OsClick(IDCANCEL); }), IDCANCEL);
  EXPECT_EQ(Run([](CDialog& d) {
              d.OsClose();
              // An ended dialog takes no more input.
              EXPECT_FALSE(d.OsClick(IDOK));
              EXPECT_FALSE(d.OsType(kText, "x"));
            }),
            IDCANCEL);
  EXPECT_EQ(std::tuple(dialog.toControls, dialog.fromControls), std::tuple(3, 1));
  EXPECT_EQ(Run([](CDialog& d) { d.EndDialog(42); }), 42);
  // Its controls go with the run.
  EXPECT_TRUE(dialog.OsControls().empty());
  EXPECT_EQ(dialog.OsTemplate(), nullptr);
}

TEST_F(Dialog, ADialogNobodyAnswersIsCancelledAndOneWithoutTemplateDoesNotRun) {
  EXPECT_EQ(Run([](CDialog& d) { d.OsType(kText, "x"); }), IDCANCEL);
  OsSetUserInterface(nullptr);
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.fromControls, 0);
  TestDialog missing(kDialogId + 1);
  EXPECT_EQ(missing.DoModal(), -1);
  EXPECT_EQ(missing.toControls, 0);
}

TEST_F(Dialog, AMessageBoxGoesToTheUserInterfaceWithTheApplicationsTitleByDefault) {
  AfxGetApp()->m_pszAppName = "Editor";
  EXPECT_EQ(dialog.MessageBox("one", nullptr, MB_OK | MB_ICONSTOP), IDNO);
  dialog.MessageBox("two", "Own", MB_YESNO);
  using Box = std::tuple<std::string, std::string, UINT>;
  EXPECT_EQ(user.boxes, (std::vector<Box>{{"one", "Editor", MB_OK | MB_ICONSTOP}, {"two", "Own", MB_YESNO}}));
  OsSetUserInterface(nullptr);
  EXPECT_EQ(dialog.MessageBox("three", nullptr, MB_YESNO), IDOK);
  AfxGetApp()->m_pszAppName = nullptr;
}

}  // namespace
