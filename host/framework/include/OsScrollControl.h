#pragma once
// The host's scroll-bar control, window class "PScrollBar", which modules place
// in their option palettes. It holds a range and a value, and tells the window it
// was given whenever its value changes, synchronously, with the registered
// message "PScrollBar_NotifyMessage": wParam is the control's id and lParam its
// window handle (in this stand-in a window's handle is its CWnd*).
//
// The range is the control's own business (where it draws its thumb); the value
// is not held to it, so a number typed into the control reaches the notified
// window as it was typed, and the window decides what to make of it.

#include <cstdint>
#include <memory>

#include "OsAfxWin.h"
#include "OsResources.h"

// A window that takes messages sent to it. The stand-in's windows have no
// message procedure, so a window that wants a control's notifications derives
// from this as well; a window that does not is sent nothing.
class OsMessageWindow {
 public:
  virtual ~OsMessageWindow();
  virtual std::intptr_t OsWindowMessage(UINT message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
};

class OsScrollControl final : public CWnd {
 public:
  static constexpr const char* kClassName = "PScrollBar";
  static constexpr const char* kNotifyMessageName = "PScrollBar_NotifyMessage";

  // A control made without persisted state: range 0 to 100, value 0.
  OsScrollControl(int id, CWnd* parent);
  ~OsScrollControl() override;
  OsScrollControl(const OsScrollControl&) = delete;
  OsScrollControl& operator=(const OsScrollControl&) = delete;

  // The control a dialog template describes, placed (dialog units taken as
  // pixels), shown when the template says so, and with the persisted state of
  // the template's initial data: "name=value" pairs separated by ';', of which
  // min, max and value are read and the rest (the font) left to the look. A
  // number that does not parse leaves the default. Null for an entry of another
  // window class.
  static std::unique_ptr<OsScrollControl> FromTemplate(const OsDialogControlResource& entry, CWnd* parent);

  LONG GetMin() const { return fMin; }
  LONG GetMax() const { return fMax; }
  LONG GetValue() const { return fValue; }
  int GetId() const { return fId; }

  // Sets the value and, when it changed, notifies the notify window before
  // returning. The user's input and a program's call take this one road, so a
  // value a module sets is announced as if the user had set it.
  void SetValue(LONG value);

  // The window to notify; null stops the notifications.
  void SetNotifyWindow(CWnd* window) { fNotifyWindow = window; }
  CWnd* GetNotifyWindow() const { return fNotifyWindow; }

  // What the notifications carry as lParam.
  std::intptr_t Handle() const { return reinterpret_cast<std::intptr_t>(static_cast<const CWnd*>(this)); }

 private:
  const int fId;
  LONG fMin = 0;
  LONG fMax = 100;
  LONG fValue = 0;
  CWnd* fNotifyWindow = nullptr;
};

// The live control with that id among a window's children, as the platform's
// GetDlgItem would find it; null when there is none. A host uses it to reach a
// module's palette control and set it as the user would.
OsScrollControl* OsFindScrollControl(const CWnd* parent, int id);
