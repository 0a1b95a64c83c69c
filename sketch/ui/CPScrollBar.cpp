#include "ui/CPScrollBar.h"

// The stand-in's CWnd carries no class record, so the chain goes straight to
// CObject.
const CRuntimeClass CPScrollBar::classCPScrollBar = {"CPScrollBar", RUNTIME_CLASS(CObject)};
const CRuntimeClass* CPScrollBar::GetRuntimeClass() const { return RUNTIME_CLASS(CPScrollBar); }

BOOL CPScrollBar::Create(const char*, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  fControl = std::make_unique<OsScrollControl>(static_cast<int>(id), parent);
  fControl->OsPlace(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  fControl->fVisible = (style & WS_VISIBLE) != 0;
  OsSetParent(parent);
  return 1;
}

LONG CPScrollBar::GetValue() const { return fControl != nullptr ? fControl->GetValue() : 0; }

void CPScrollBar::SetValue(LONG value) {
  if (fControl != nullptr) fControl->SetValue(value);
}

void CPScrollBar::SetNotifyWindow(CWnd* window) {
  if (fControl != nullptr) fControl->SetNotifyWindow(window);
}
