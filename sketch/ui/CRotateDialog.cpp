#include "ui/CRotateDialog.h"

#include "resources/SketchResources.h"

namespace {
constexpr int kLeast = 0;
constexpr int kMost = 360;
constexpr int kDigits = 3;
}  // namespace

CRotateDialog::CRotateDialog(CWnd* parent) : CDialog(IDD_ROTATE, parent) {}

// Both ways alike, as the scale dialog's. Every run opens on clockwise: the
// direction is a choice made each time, not carried over.
void CRotateDialog::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  SetDlgItemInt(IDC_VALUE, static_cast<UINT>(fDegrees), /*isSigned=*/0);
  SendDlgItemMessage(IDC_VALUE, EM_LIMITTEXT, kDigits, 0);
  CheckRadioButton(IDC_CLOCKWISE, IDC_COUNTERCLOCKWISE, IDC_CLOCKWISE);
}

void CRotateDialog::OnOK() {
  fDegrees = static_cast<int>(GetDlgItemInt(IDC_VALUE));
  if (fDegrees < kLeast || fDegrees > kMost) {
    CString message;
    message.LoadString(IDS_BAD_ANGLE);
    MessageBox(message, nullptr, MB_OK | MB_ICONSTOP);
    return;
  }
  fClockwise = GetCheckedRadioButton(IDC_CLOCKWISE, IDC_COUNTERCLOCKWISE) == IDC_CLOCKWISE ? 1 : 0;
  CDialog::OnOK();
}
