#include "OsDialog.h"

#include <algorithm>
#include <cstdint>

namespace {

OsUserInterface* gUserInterface = nullptr;

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

void OsSetUserInterface(OsUserInterface* ui) { gUserInterface = ui; }

OsUserInterface* OsGetUserInterface() { return gUserInterface; }

int CWnd::MessageBox(const char* text, const char* caption, UINT type) {
  if (caption == nullptr) caption = AfxGetApp()->m_pszAppName;
  if (gUserInterface == nullptr) return IDOK;
  return gUserInterface->MessageBox(text != nullptr ? text : "", caption != nullptr ? caption : "", type);
}

bool OsDialogControl::IsPushButton() const {
  const DWORD type = style & BS_TYPEMASK;
  return IsButton() && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

bool OsDialogControl::IsRadioButton() const {
  const DWORD type = style & BS_TYPEMASK;
  return IsButton() && (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
}

CDialog::CDialog(UINT templateId, CWnd* parent) : fTemplateId(templateId) { fParent = parent; }

INT_PTR CDialog::DoModal() {
  const OsDialogResource* resource = OsFindDialog(nullptr, fTemplateId);
  if (resource == nullptr) return -1;
  fTemplate = resource;
  // The controls go with the run, also when the memory exception leaves it.
  struct Teardown {
    CDialog& dialog;
    ~Teardown() {
      dialog.fVisible = false;
      dialog.fTemplate = nullptr;
      dialog.fControls.clear();
    }
  } teardown{*this};
  fEnded = false;
  fResult = 0;
  fControls.clear();
  for (int i = 0; i < resource->count; ++i) {
    const OsDialogControlResource& entry = resource->controls[i];
    OsDialogControl control;
    control.id = entry.id;
    control.className = entry.className != nullptr ? entry.className : "";
    control.text = entry.text != nullptr ? entry.text : "";
    control.style = entry.style;
    control.x = entry.x;
    control.y = entry.y;
    control.cx = entry.cx;
    control.cy = entry.cy;
    fControls.push_back(std::move(control));
  }
  OsPlace(resource->x, resource->y, resource->cx, resource->cy);
  fVisible = true;
  OnInitDialog();
  if (!fEnded && gUserInterface != nullptr) gUserInterface->RunModal(*this);
  // Nobody left to answer: the dialog goes as if its window were closed, and
  // ends even when its own OnCancel would keep it.
  if (!fEnded) OnCancel();
  if (!fEnded) EndDialog(IDCANCEL);
  return fResult;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(0);
  return 1;
}

void CDialog::EndDialog(int result) {
  fEnded = true;
  fResult = result;
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  DoDataExchange(&dx);
  return 1;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK() {
  if (!UpdateData(1)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

OsDialogControl* CDialog::Control(int id) {
  auto it = std::find_if(fControls.begin(), fControls.end(), [id](const OsDialogControl& c) { return c.id == id; });
  return it != fControls.end() ? &*it : nullptr;
}

const OsDialogControl* CDialog::OsFindControl(int id) const { return const_cast<CDialog*>(this)->Control(id); }

UINT CDialog::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const {
  if (translated != nullptr) *translated = 0;
  const OsDialogControl* control = OsFindControl(id);
  if (control == nullptr) return 0;
  const std::string& text = control->text;
  std::size_t k = 0;
  while (k < text.size() && (text[k] == ' ' || text[k] == '\t')) ++k;
  bool negative = false;
  if (k < text.size() && (text[k] == '-' || text[k] == '+')) negative = text[k++] == '-';
  if (negative && !isSigned) return 0;
  // Wider than the result, so that the range check itself cannot overflow.
  const std::int64_t most = !isSigned ? 0xFFFFFFFFll : negative ? 0x80000000ll : 0x7FFFFFFFll;
  std::int64_t value = 0;
  const std::size_t first = k;
  for (; k < text.size() && text[k] >= '0' && text[k] <= '9'; ++k) {
    value = value * 10 + (text[k] - '0');
    if (value > most) return 0;
  }
  if (k == first) return 0;
  if (translated != nullptr) *translated = 1;
  return static_cast<UINT>(negative ? -value : value);
}

void CDialog::SetDlgItemInt(int id, UINT value, BOOL isSigned) {
  OsDialogControl* control = Control(id);
  if (control == nullptr) return;
  control->text = isSigned ? std::to_string(static_cast<int>(value)) : std::to_string(value);
}

void CDialog::CheckRadioButton(int first, int last, int id) {
  for (OsDialogControl& control : fControls) {
    if (control.IsButton() && control.id >= first && control.id <= last) control.checked = control.id == id;
  }
}

int CDialog::GetCheckedRadioButton(int first, int last) const {
  int checked = 0;
  for (const OsDialogControl& control : fControls) {
    if (control.IsButton() && control.checked && control.id >= first && control.id <= last &&
        (checked == 0 || control.id < checked)) {
      checked = control.id;
    }
  }
  return checked;
}

LRESULT CDialog::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM) {
  OsDialogControl* control = Control(id);
  if (control == nullptr || !control->IsEdit() || message != EM_LIMITTEXT) return 0;
  const WPARAM most = kOsDefaultEditLimit;
  control->limit = wParam == 0 ? kOsDefaultEditLimit : static_cast<int>(std::min(wParam, most));
  return 0;
}

bool CDialog::OsType(int id, std::string_view text) {
  OsDialogControl* control = IsRunning() ? Control(id) : nullptr;
  if (control == nullptr || !control->IsEdit()) return false;
  const bool digitsOnly = (control->style & ES_NUMBER) != 0;
  std::string typed;
  int characters = 0;
  for (std::size_t k = 0; k < text.size() && characters < control->limit;) {
    std::size_t end = k + 1;
    while (end < text.size() && IsContinuationByte(text[end])) ++end;
    const std::string_view character = text.substr(k, end - k);
    k = end;
    if (digitsOnly && (character.size() != 1 || character[0] < '0' || character[0] > '9')) continue;
    typed += character;
    ++characters;
  }
  control->text = std::move(typed);
  return true;
}

bool CDialog::OsClick(int id) {
  OsDialogControl* control = IsRunning() ? Control(id) : nullptr;
  if (control == nullptr || !control->IsButton()) return false;
  if (control->IsPushButton()) {
    if (id == IDOK) {
      OnOK();
    } else if (id == IDCANCEL) {
      OnCancel();
    } else {
      return false;
    }
    return true;
  }
  if ((control->style & BS_TYPEMASK) != BS_AUTORADIOBUTTON) return false;
  // The group runs from the control that starts it to the one before the next
  // group's start; the first control always starts one.
  const auto index = static_cast<std::size_t>(control - fControls.data());
  std::size_t first = index;
  while (first > 0 && (fControls[first].style & WS_GROUP) == 0) --first;
  std::size_t end = index + 1;
  while (end < fControls.size() && (fControls[end].style & WS_GROUP) == 0) ++end;
  for (std::size_t k = first; k < end; ++k) {
    if (fControls[k].IsRadioButton()) fControls[k].checked = k == index;
  }
  return true;
}

void CDialog::OsClose() {
  if (IsRunning()) OnCancel();
}
