#pragma once
// Asks for the angle and direction of the numeric rotate command (ID_ROTATE_NUMERIC),
// from dialog template IDD_ROTATE. OK keeps the dialog open, after a message,
// until the angle lies in 0..360. The edit takes digits only, so the direction
// comes from the radio buttons alone.

#include "OsDialog.h"

class CRotateDialog final : public CDialog {
 public:
  explicit CRotateDialog(CWnd* parent = nullptr);

  // The results after IDOK.
  int fDegrees = 0;
  int fClockwise = 1;  // 1 clockwise, 0 counter-clockwise

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  void OnOK() override;
};
