#include "ui/CScaleDialog.h"

#include "resources/SketchResources.h"

namespace {
constexpr int kLeast = 1;
constexpr int kMost = 1000;
constexpr int kDigits = 4;
}  // namespace

CScaleDialog::CScaleDialog(CWnd* parent) : CDialog(IDD_SCALE, parent) {}

// Both ways alike: the member always goes into the edit. The number is read
// back in OnOK, where a bad one can be answered with a message.
void CScaleDialog::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  SetDlgItemInt(IDC_VALUE, static_cast<UINT>(fPercent), /*isSigned=*/0);
  SendDlgItemMessage(IDC_VALUE, EM_LIMITTEXT, kDigits, 0);
}

void CScaleDialog::OnOK() {
  fPercent = static_cast<int>(GetDlgItemInt(IDC_VALUE));
  if (fPercent < kLeast || fPercent > kMost) {
    CString message;
    message.LoadString(IDS_BAD_SCALE);
    MessageBox(message, nullptr, MB_OK | MB_ICONSTOP);
    return;
  }
  CDialog::OnOK();
}
