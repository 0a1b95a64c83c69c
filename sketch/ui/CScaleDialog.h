#pragma once
// Asks for the percentage of the numeric scale command (ID_SCALE_NUMERIC), from
// dialog template IDD_SCALE. OK keeps the dialog open, after a message, until the
// value lies in 1..1000.

#include "OsDialog.h"

class CScaleDialog final : public CDialog {
 public:
  explicit CScaleDialog(CWnd* parent = nullptr);

  int fPercent = 100;  // the result after IDOK

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  void OnOK() override;
};
