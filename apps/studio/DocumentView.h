#pragma once
// Shows the active document's view as the shared host last painted it, the
// view as large as the widget, and hands the left button and the modifier keys
// to the host in view pixels.

#include <QWidget>
#include <functional>

#include "Host.h"
#include "Script.h"

class DocumentView final : public QWidget {
 public:
  // `changed` runs after every event the host took, with whether the host did
  // it, so that the window can bring its menus, palette, read-out and cursor
  // up to date; `record` gets each event as a command of a replay script,
  // before the host takes it; `askCursor` asks the module for its cursor, as
  // the window system does whenever the mouse moves.
  DocumentView(Host& host, std::function<void(bool ok)> changed, std::function<void(const ScriptCommand&)> record,
               std::function<void()> askCursor, QWidget* parent = nullptr);

  // Gives the active document's view the widget's size (unless the view keeps
  // its own) and shows the frame the host painted last.
  void Refresh();
  // Whether the view follows the widget's size; a played script sets it.
  void SetFollowsWidget(bool follows) { fFollowsWidget = follows; }

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
  std::function<void(const ScriptCommand&)> fRecord;
  std::function<void()> fAskCursor;
  bool fFollowsWidget = true;
};
