#pragma once
// The class library's modal dialog, the model of the controls it runs with, and
// the user interface a host installs to show dialogs and message boxes.
//
// A module sees only CDialog: it derives from it, exchanges its members with the
// controls and ends it from OnOK or OnCancel. DoModal builds the controls from
// the dialog's template and hands the dialog to the installed user interface,
// which runs it until it ends. The interface works the dialog as a person would,
// through the Os... calls below (type, click, close); a desktop host shows the
// same controls as widgets, forwards what the person does and shows the
// controls again after each call, since the dialog's code may have changed
// them; a headless host plays back queued answers.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "OsAfxWin.h"
#include "OsResources.h"

using INT_PTR = std::intptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

enum : UINT {
  EM_LIMITTEXT = 0x00C5,
};

enum : DWORD {
  BS_TYPEMASK = 0x0000000F,
  BS_RADIOBUTTON = 0x00000004,
};

// An edit's limit when nobody set one, in characters.
inline constexpr int kOsDefaultEditLimit = 0x7FFFFFFE;

class CDialog;

class CDataExchange {
 public:
  CDataExchange(CDialog* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

  BOOL m_bSaveAndValidate;  // nonzero: from the controls into the members
  CDialog* m_pDlgWnd;
};

// One control of a running dialog, as its template made it and the user and
// the dialog's code changed it since.
struct OsDialogControl {
  int id = -1;
  std::string className;  // "BUTTON", "EDIT", "STATIC", ...
  std::string text;       // UTF-8
  DWORD style = 0;
  short x = 0, y = 0, cx = 0, cy = 0;  // dialog units
  int limit = kOsDefaultEditLimit;     // an edit's most characters
  bool checked = false;                // a radio button's state

  bool IsEdit() const { return className == "EDIT"; }
  bool IsButton() const { return className == "BUTTON"; }
  bool IsPushButton() const;
  bool IsRadioButton() const;
};

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);
  ~CDialog() override = default;
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;

  // Runs the dialog until it ends: IDOK, IDCANCEL or what EndDialog was given;
  // -1 when its template cannot be found.
  virtual INT_PTR DoModal();
  // Fills the controls from the members.
  virtual BOOL OnInitDialog();
  void EndDialog(int result);
  // Exchanges the members with the controls: saveAndValidate nonzero reads the
  // controls.
  BOOL UpdateData(BOOL saveAndValidate = 1);

  // The control's text as a decimal number: leading blanks skipped, an optional
  // sign (minus only when signed), the digits up to the first other character.
  // Text without a digit, or a number out of the type's range, reads as 0 with
  // *translated set to 0.
  UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = 1) const;
  void SetDlgItemInt(int id, UINT value, BOOL isSigned = 1);
  // Checks `id` and clears every other button numbered first..last.
  void CheckRadioButton(int first, int last, int id);
  // The lowest-numbered checked button of first..last, or 0.
  int GetCheckedRadioButton(int first, int last) const;
  // EM_LIMITTEXT sets an edit's limit (0: the default); other messages are
  // not handled and answer 0.
  LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  // ---- the user's side, for the host's user interface ----------------------
  UINT OsTemplateId() const { return fTemplateId; }
  // The template the running dialog was built from; null when it is not running.
  const OsDialogResource* OsTemplate() const { return fTemplate; }
  const std::vector<OsDialogControl>& OsControls() const { return fControls; }
  const OsDialogControl* OsFindControl(int id) const;
  // Replaces an edit's text with what a person types: an edit for numbers
  // takes digits only, and nothing past its limit. False when there is no such
  // edit or the dialog has ended.
  bool OsType(int id, std::string_view text);
  // A click: an automatic radio button checks itself and clears the others of
  // its group, push button 1 is OnOK and 2 OnCancel.
  // False when no such button answers or the dialog has ended.
  bool OsClick(int id);
  // The window's close box: OnCancel.
  void OsClose();
  bool OsHasEnded() const { return fEnded; }
  int OsResult() const { return fResult; }

 protected:
  virtual void DoDataExchange(CDataExchange* dx);
  virtual void OnOK();
  virtual void OnCancel();

 private:
  OsDialogControl* Control(int id);
  bool IsRunning() const { return fTemplate != nullptr && !fEnded; }

  UINT fTemplateId;
  const OsDialogResource* fTemplate = nullptr;
  std::vector<OsDialogControl> fControls;
  bool fEnded = false;
  int fResult = 0;
};

// What a host installs to show dialogs and message boxes.
class OsUserInterface {
 public:
  virtual ~OsUserInterface() = default;
  // Works the dialog, which has its controls and is initialised, until it has
  // ended. One that returns while the dialog still runs has it cancelled.
  virtual void RunModal(CDialog& dialog) = 0;
  // Shows the message and returns the button pressed.
  virtual int MessageBox(const char* text, const char* caption, UINT type) = 0;
};

// Null uninstalls: message boxes then answer IDOK at once, and dialogs are
// cancelled, as nobody is there to answer them. The caller keeps ownership.
void OsSetUserInterface(OsUserInterface* ui);
OsUserInterface* OsGetUserInterface();
