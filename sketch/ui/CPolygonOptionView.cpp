#include "ui/CPolygonOptionView.h"

#include <cstdio>

#include "OsResources.h"
#include "module/ModuleGlobals.h"
#include "resources/SketchResources.h"
#include "ui/PolygonApex.h"

int gPolygonApex = CPolygonOptionView::kMinApex;

namespace {
constexpr const char* kApexKey = "PolygonOption-Apex";
}  // namespace

CPolygonOptionView::CPolygonOptionView(CWnd* parent) : CToolOptionView(IDD_POLYGON, parent) {
  // What creating the modeless dialog from its template does: the window takes
  // the template's place, its controls are made, exchanged and initialised.
  if (const OsDialogResource* dialog = OsFindDialog(SketchInstance(), IDD_POLYGON)) {
    OsPlace(dialog->x, dialog->y, dialog->cx, dialog->cy);
    fVisible = (dialog->style & WS_VISIBLE) != 0;
    std::unique_ptr<OsScrollControl> control;
    for (int i = 0; i < dialog->count && control == nullptr; ++i) {
      const OsDialogControlResource& entry = dialog->controls[i];
      if (entry.id == IDC_VERTEX_COUNT) control = OsScrollControl::FromTemplate(entry, this);
    }
    DoDataExchange(std::move(control));
    OnInitDialog();
  }
}

void CPolygonOptionView::DoDataExchange(std::unique_ptr<OsScrollControl> control) {
  fScrollBar.Attach(std::move(control));
  fScrollBar.OsSetParent(this);
}

BOOL CPolygonOptionView::OnInitDialog() {
  fScrollBar.SetNotifyWindow(this);
  return 1;
}

std::intptr_t CPolygonOptionView::OsWindowMessage(UINT message, std::uintptr_t wParam, std::intptr_t lParam) {
  return message == gScrollNotifyMsg ? OnScrollNotify(wParam, lParam) : 0;
}

std::intptr_t CPolygonOptionView::OnScrollNotify(std::uintptr_t, std::intptr_t lParam) {
  const OsScrollControl* control = fScrollBar.GetControl();
  if (control != nullptr && lParam == control->Handle()) ApplyApex();
  return 0;
}

void CPolygonOptionView::OnKillFocus(CWnd*) { ApplyApex(); }

void CPolygonOptionView::OnClose() { fScrollBar.SetNotifyWindow(nullptr); }

void CPolygonOptionView::ApplyApex() {
  // Only the low 16 bits count: the count is a 16-bit field.
  fApex = static_cast<std::int16_t>(fScrollBar.GetValue());
  // Setting the corrected value makes the control notify again; that nested
  // pass finds the count in range and publishes it, and this one then
  // publishes the same count.
  if (fApex < kMinApex) {
    fApex = kMinApex;
    fScrollBar.SetValue(kMinApex);
    MessageBeep(MB_ICONASTERISK);
  } else if (fApex > kMaxApex) {
    fApex = kMaxApex;
    fScrollBar.SetValue(kMaxApex);
    MessageBeep(MB_ICONASTERISK);
  }
  gPolygonApex = fApex;
}

void CPolygonOptionView::ReadPreferences(const char* section) {
  const CString text = AfxGetApp()->GetProfileString(section, kApexKey, "");
  short apex = 0;
  if (std::sscanf(text, "%hd", &apex) != 1) return;
  // Not corrected here: the control announces the new value, and the palette
  // corrects and publishes it as it would the user's.
  fApex = apex;
  fScrollBar.SetValue(apex);
}

void CPolygonOptionView::WritePreferences(const char* section) {
  CString text;
  text.Format("%d", fApex);
  AfxGetApp()->WriteProfileString(section, kApexKey, text);
}
