#pragma once
// Shows a document's frame as the shared host painted it, and hands the left
// button and the modifier keys to the host in view pixels.

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

  // Resizes to the active document's frame and repaints it.
  void Refresh();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  bool Key(QKeyEvent* event, bool down);

  Host& fHost;
  std::function<void(bool)> fChanged;
  std::function<void(const std::string&)> fRecord;
};
