#pragma once
// The desktop's user interface for the platform: a module's modal dialog shown
// as a Qt dialog built from its template, and message boxes. The dialog's
// control model stays the truth: what the person types or clicks goes through
// CDialog's user calls, and the widgets show the model again after each.

#include <functional>
#include <string>
#include <vector>

#include "OsDialog.h"

class QWidget;

class StudioDialogs final : public OsUserInterface {
 public:
  // Message texts are also appended to `messages`, the host's log of them;
  // both must outlive this. Installed while it lives.
  StudioDialogs(QWidget* parent, std::vector<std::string>& messages);
  ~StudioDialogs() override;
  StudioDialogs(const StudioDialogs&) = delete;
  StudioDialogs& operator=(const StudioDialogs&) = delete;

  // Told of each answer as the person gives it: the dialog as it stands and
  // the button that closes it (IDOK, IDCANCEL), before the dialog takes it.
  void OnAnswer(std::function<void(const CDialog&, int button)> listener) { fOnAnswer = std::move(listener); }

  void RunModal(CDialog& dialog) override;
  int MessageBox(const char* text, const char* caption, UINT type) override;

  // Pixels a dialog unit takes: the template's 9-point font on a 96-dpi screen.
  static constexpr double kUnit = 1.5;

 private:
  QWidget* fParent;
  std::vector<std::string>& fMessages;
  std::function<void(const CDialog&, int)> fOnAnswer;
};
