// The modal windows of a studio under test, worked as they open.

#pragma once

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <deque>
#include <functional>

// One step per modal window, in turn; a window left open is closed, so a failed check cannot hang.
class Modals : public QObject {
 public:
  using Step = std::function<void(QWidget*)>;
  Modals() {
    connect(&fTimer, &QTimer::timeout, this, [this] { Look(); });
    fTimer.start(10);
  }
  void Expect(std::initializer_list<Step> steps) { fSteps = steps; }
  // Whether every step ran and nothing else opened since Expect.
  bool AllDone() { return fSteps.empty() && std::exchange(fUnexpected, 0) == 0; }

 private:
  void Look() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == fLast) return;
    fLast = modal;
    Step step = [this](QWidget*) { ++fUnexpected; };
    if (!fSteps.empty()) {
      step = fSteps.front();
      fSteps.pop_front();
    }
    // Outside the timer, so that a window the step opens is looked at too.
    QMetaObject::invokeMethod(
        this,
        [step, window = QPointer<QWidget>(modal)] {
          step(window);
          if (auto* dialog = qobject_cast<QDialog*>(window.data()); dialog != nullptr && dialog->isVisible()) {
            dialog->reject();
          }
        },
        Qt::QueuedConnection);
  }
  std::deque<Step> fSteps;
  QTimer fTimer;
  QPointer<QWidget> fLast;
  int fUnexpected = 0;
};

// The file dialog's answer; the dialog does not write over a name being typed, nor would a person.
inline Modals::Step Choose(const QString& file) {
  return [file](QWidget* modal) {
    if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
      if (QWidget* typing = dialog->focusWidget()) typing->clearFocus();
      dialog->selectFile(file);
      static_cast<QDialog*>(dialog)->accept();
    }
  };
}

// The message box's answer; any other window is left to be closed.
inline Modals::Step Click(QMessageBox::StandardButton button) {
  return [button](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box != nullptr && box->button(button) != nullptr) box->button(button)->click();
  };
}

// What the message box said, and with which icon; the box is then closed.
inline Modals::Step Told(QString& text, QMessageBox::Icon* icon = nullptr) {
  return [&text, icon](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    text = box != nullptr ? box->text() : QString();
    if (icon != nullptr && box != nullptr) *icon = box->icon();
  };
}
