// The modal dialog as the platform runs it: controls worked as a person would,
// numbers read and written as the platform does, and nobody to answer.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>

#include "OsDialog.h"

namespace {

char gLibrary;
const HINSTANCE kLibrary = reinterpret_cast<HINSTANCE>(&gLibrary);
constexpr unsigned kDialogId = 700;
constexpr int kNumber = 10, kText = 11;

constexpr OsDialogControlResource kControls[] = {
    {"BUTTON", IDOK, 0, 0, 9, 9, "OK", BS_DEFPUSHBUTTON | WS_GROUP, nullptr},
    {"BUTTON", IDCANCEL, 0, 0, 9, 9, "Cancel", 0, nullptr},
    {"EDIT", kNumber, 0, 0, 9, 9, "", ES_NUMBER, nullptr},
    {"EDIT", kText, 0, 0, 9, 9, "", 0, nullptr},
};
constexpr OsDialogResource kDialogs[] = {
    {kDialogId, "Test", 0, 0, 99, 49, "font", 9, WS_POPUP, kControls, static_cast<int>(std::size(kControls))},
};
constexpr OsResourceTable kTable = {nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0, kDialogs, 1};

// Counts its exchanges each way, or runs out of memory in them.
class TestDialog final : public CDialog {
 public:
  explicit TestDialog(unsigned id = kDialogId) : CDialog(id) {}
  int toControls = 0, fromControls = 0;
  bool outOfMemory = false;

 protected:
  void DoDataExchange(CDataExchange* dx) override {
    if (outOfMemory) AfxThrowMemoryException();
    ++(dx->m_bSaveAndValidate ? fromControls : toControls);
  }
};

class Dialog : public ::testing::Test, public OsUserInterface {
 protected:
  void SetUp() override {
    OsAttachResources(kLibrary, &kTable);
    OsSetUserInterface(this);
  }
  void TearDown() override {
    OsSetUserInterface(nullptr);
    OsAttachResources(kLibrary, nullptr);
  }
  void RunModal(CDialog& d) override { steps(d); }
  int MessageBox(const char*, const char*, UINT) override { return 0; }
  INT_PTR Run(std::function<void(CDialog&)> s) {
    steps = std::move(s);
    return dialog.DoModal();
  }
  std::function<void(CDialog&)> steps;
  TestDialog dialog;
};

std::string Text(const CDialog& d, int id) { return d.OsFindControl(id)->text; }

TEST_F(Dialog, NumbersAreWrittenAndReadAsThePlatformDoes) {
  struct Case {
    const char* text;
    BOOL isSigned;
    UINT value;
    BOOL translated;
  };
  const Case cases[] = {
      {"-", 1, 0, 0},          {"  -12x", 1, static_cast<UINT>(-12), 1}, {"-12", 0, 0, 0},
      {"+7", 0, 7, 1},         {"-2147483648", 1, 0x80000000u, 1},       {"2147483648", 1, 0, 0},
      {"4294967296", 0, 0, 0}, {"4294967295", 0, 4294967295u, 1},
  };
  Run([&cases](CDialog& d) {
    // A limit counts characters, not bytes, and 0 lifts it; a program's text
    // is neither filtered nor cut.
    d.OsType(kNumber, "-1a9.0");
    d.SendDlgItemMessage(kText, EM_LIMITTEXT, 2, 0);
    d.OsType(kText, "角度x");
    EXPECT_EQ(Text(d, kNumber) + "|" + Text(d, kText), "190|角度");
    d.SetDlgItemInt(kNumber, 0xFFFFFFFFu, 1);
    EXPECT_EQ(Text(d, kNumber), "-1");
    d.SetDlgItemInt(kNumber, 0xFFFFFFFFu, 0);
    EXPECT_EQ(Text(d, kNumber), "4294967295");
    d.SendDlgItemMessage(kText, EM_LIMITTEXT, 0, 0);
    for (const Case& c : cases) {
      d.OsType(kText, c.text);
      BOOL translated = 7;
      EXPECT_EQ(std::tuple(d.GetDlgItemInt(kText, &translated, c.isSigned), translated),
                std::tuple(c.value, c.translated))
          << c.text;
    }
    d.OsClick(IDCANCEL);
  });
}

// Closing, and nobody to run it, cancel as the Cancel button does.
TEST_F(Dialog, OnlyOkReadsTheControls) {
  EXPECT_EQ(Run([](CDialog& d) {
              RECT client;  // shown, at the template's size
              d.GetClientRect(&client);
              EXPECT_TRUE(d.IsWindowVisible() && client.right - client.left == 99 && client.bottom - client.top == 49);
              d.OsClick(IDOK);
            }),
            IDOK);
  EXPECT_EQ(std::tuple(dialog.toControls, dialog.fromControls), std::tuple(1, 1));
  EXPECT_EQ(Run([](CDialog& d) {
              d.OsClose();
              EXPECT_FALSE(d.OsClick(IDOK));  // an ended dialog takes no more input
            }),
            IDCANCEL);
  OsSetUserInterface(nullptr);
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.MessageBox("nobody reads it", nullptr, MB_YESNO), IDOK);
  EXPECT_EQ(std::tuple(dialog.toControls, dialog.fromControls), std::tuple(3, 1));
}

TEST_F(Dialog, TheControlsGoWithTheRunEvenOneThatFails) {
  dialog.outOfMemory = true;
  EXPECT_THROW(dialog.DoModal(), CMemoryException);
  EXPECT_EQ(std::tuple(dialog.OsTemplate(), dialog.OsControls().size(), dialog.IsWindowVisible()),
            std::tuple(nullptr, 0u, false));
  TestDialog missing(kDialogId + 1);
  EXPECT_EQ(std::tuple(missing.DoModal(), missing.toControls), std::tuple(-1, 0));
}

}  // namespace
