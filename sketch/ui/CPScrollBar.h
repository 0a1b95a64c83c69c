#pragma once
// The module's window over the host's scroll-bar control: the palette reads and
// sets the control's value and names the window the control notifies through
// it. The wrapper owns the control it was given, so the control lives exactly
// as long as the palette that holds the wrapper.

#include <memory>

#include "OsAfxWin.h"
#include "OsScrollControl.h"

// The message number the control's notifications carry, registered for
// "PScrollBar_NotifyMessage" when the library is loaded.
extern UINT gScrollNotifyMsg;

class CPScrollBar final : public CWnd {
  DECLARE_DYNAMIC(CPScrollBar)

 public:
  CPScrollBar() = default;
  ~CPScrollBar() override = default;
  CPScrollBar(const CPScrollBar&) = delete;
  CPScrollBar& operator=(const CPScrollBar&) = delete;

  // Creates the host's control afresh, without persisted state, as a child of
  // parent; a control held before is destroyed. The window name is the
  // control's to ignore.
  BOOL Create(const char* windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id);
  // Takes over a control a dialog made from its template.
  void Attach(std::unique_ptr<OsScrollControl> control) { fControl = std::move(control); }
  OsScrollControl* GetControl() const { return fControl.get(); }

  // Without a control the value reads 0 and nothing is set.
  LONG GetValue() const;
  void SetValue(LONG value);
  void SetNotifyWindow(CWnd* window);

 private:
  std::unique_ptr<OsScrollControl> fControl;
};
