#pragma once
// Shows the active document's view as the shared host painted it, the view as
// large as the widget, and hands the left button and the modifier keys to the
// host in view pixels.

#include <QWidget>
#include <functional>

#include "Host.h"

class DocumentView final : public QWidget {
 public:
  // `changed` runs after every event the host took, so that the window can
  // bring its menus, palette, read-out and cursor up to date; `record` gets
  // each event as a line of a replay script, before the host takes it.
  DocumentView(Host& host, std::function<void(bool ok)> changed, std::function<void(const std::string&)> record,
               QWidget* parent = nullptr);

  // Gives the active document's view the widget's size, repaints it and shows it.
  void Refresh();
  // Runs when the mouse moves over the view with no gesture: nothing changed
  // but what the cursor may be.
  void SetHover(std::function<void()> hover) { fHover = std::move(hover); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  bool Key(QKeyEvent* event, bool down);
  void Fit();

  Host& fHost;
  std::function<void(bool)> fChanged;
  std::function<void(const std::string&)> fRecord;
  std::function<void()> fHover;
};
