#pragma once
// Shows the active document's view as the shared host last painted it, the
// view as large as the widget in device pixels, and hands the left button and
// the modifier keys to the host in view pixels. The wheel, Enter, Escape and
// a double-click go to the window, which knows what they mean.

#include <QWidget>
#include <functional>

#include "Host.h"
#include "Script.h"

class DocumentView final : public QWidget {
 public:
  struct Handlers {
    // After every event the host took, with whether the host did it, so that
    // the window can bring its menus, palette, read-out and cursor up to date.
    std::function<void(bool ok)> changed;
    // Each event as a command of a replay script, before the host takes it.
    std::function<void(const ScriptCommand&)> record;
    // The module is asked for its cursor, as the window system asks whenever
    // the mouse moves.
    std::function<void()> askCursor;
    // The pointer over the view with no gesture under way, in view pixels;
    // nullopt when it leaves.
    std::function<void(std::optional<OsImgPoint>)> hover;
    std::function<void(const QWheelEvent&, OsImgPoint at)> wheel;
    // Enter, or a double-click that ends a figure drawn click by click.
    std::function<bool()> finishFigure;
    // Escape.
    std::function<void()> cancel;
  };
  DocumentView(Host& host, Handlers handlers, QWidget* parent = nullptr);

  // Gives the active document's view the widget's size (unless the view keeps
  // its own) and shows the frame the host painted last.
  void Refresh();
  // Whether the view follows the widget's size; a played script sets it.
  void SetFollowsWidget(bool follows) { fFollowsWidget = follows; }
  // A point of the widget in view pixels: device pixels, which is what the
  // host paints.
  OsImgPoint ViewPoint(QPointF widgetPoint) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  bool Key(QKeyEvent* event, bool down);
  void Fit();
  // The view's grid, over the frame and never in it: exports and snapshots
  // are the frame alone.
  void PaintGrid(QPainter& painter, const HostDocument& doc) const;

  Host& fHost;
  Handlers fOn;
  bool fFollowsWidget = true;
};
