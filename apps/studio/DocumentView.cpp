#include "DocumentView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

#include "ModulePictures.h"
#include "OsPlatformHost.h"
#include "ScriptKeys.h"

namespace {

ScriptCommand Mouse(ScriptOp op, OsImgPoint p) { return MakeCommand(op, {p.x, p.y}); }

ScriptCommand KeyCommand(int virtualKey, bool down) {
  return MakeCommand(ScriptOp::Key, {}, {down ? "down" : "up", ScriptKeyName(virtualKey)});
}

int VirtualKey(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Space: return VK_SPACE;
    default: return 0;
  }
}

// Grid lines closer than this many device pixels would only grey the view.
constexpr double kMinGridPixels = 4;

}  // namespace

DocumentView::DocumentView(Host& host, Handlers handlers, QWidget* parent)
    : QWidget(parent), fHost(host), fOn(std::move(handlers)) {
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

OsImgPoint DocumentView::ViewPoint(QPointF p) const {
  const double ratio = devicePixelRatioF();
  return {static_cast<int>(std::floor(p.x() * ratio)), static_cast<int>(std::floor(p.y() * ratio))};
}

void DocumentView::Fit() {
  HostDocument* doc = fHost.Active();
  const OsImgPoint size = ViewPoint(QPointF(width(), height()));
  if (doc == nullptr || size.x < 1 || size.y < 1) return;
  if (doc->frame.width == size.x && doc->frame.height == size.y) return;
  fOn.record(MakeCommand(ScriptOp::View, {size.x, size.y}));
  // A repaint that ran out of memory leaves the frame as far as it got; the
  // next one paints it whole.
  fHost.SetViewSize(*doc, size.x, size.y);
}

void DocumentView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  fOn.changed(true);
}

void DocumentView::Refresh() {
  // The frame is repainted when the module asks or the view changes, never
  // just because the window was told of an event: what a tracker drew into
  // it stays until the module's next repaint, as on the editor's screen.
  if (fFollowsWidget) Fit();
  update();
}

void DocumentView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  const HostDocument* doc = fHost.Active();
  if (doc == nullptr) return;
  QImage frame = FrameImage(doc->frame);
  frame.setDevicePixelRatio(devicePixelRatioF());
  painter.drawImage(0, 0, frame);
  if (doc->view.fGridOn) PaintGrid(painter, *doc);
}

void DocumentView::PaintGrid(QPainter& painter, const HostDocument& doc) const {
  const BZoom& z = doc.view.GetZoom();
  const double stepX = doc.view.fGridSize * static_cast<double>(z.fZoomX);
  const double stepY = doc.view.fGridSize * static_cast<double>(z.fZoomY);
  if (!(stepX >= kMinGridPixels && stepY >= kMinGridPixels)) return;
  const double ratio = devicePixelRatioF();
  painter.save();
  painter.setPen(QPen(QColor(0, 160, 255, 110), 0));
  // Image coordinate k * spacing is at view pixel k * step - origin * zoom:
  // from the first of them inside the view to its far edge.
  const auto lines = [](double shift, double step, int size, const auto& draw) {
    for (double v = -shift - std::floor(-shift / step) * step; v < size; v += step) draw(v);
  };
  const int w = doc.frame.width, h = doc.frame.height;
  lines(z.fOriginX * static_cast<double>(z.fZoomX), stepX, w,
        [&](double x) { painter.drawLine(QPointF(x / ratio, 0), QPointF(x / ratio, h / ratio)); });
  lines(z.fOriginY * static_cast<double>(z.fZoomY), stepY, h,
        [&](double y) { painter.drawLine(QPointF(0, y / ratio), QPointF(w / ratio, y / ratio)); });
  painter.restore();
}

void DocumentView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || fHost.Active() == nullptr) return;
  setFocus();
  const OsImgPoint at = ViewPoint(event->position());
  OsSetMessagePos(at.x, at.y);
  fOn.hover(std::nullopt);
  fOn.record(Mouse(ScriptOp::Press, at));
  fOn.changed(fHost.Press(at));
}

void DocumentView::mouseDoubleClickEvent(QMouseEvent* event) {
  // The first click placed the last point; the second ends the figure, as
  // Enter does. With any other tool it is a click like the first.
  if (event->button() == Qt::LeftButton && fOn.finishFigure()) return;
  mousePressEvent(event);
}

void DocumentView::mouseMoveEvent(QMouseEvent* event) {
  const OsImgPoint at = ViewPoint(event->position());
  OsSetMessagePos(at.x, at.y);
  // Only a gesture in progress takes moves; the cursor follows either way.
  if (!fHost.IsTracking()) {
    fOn.askCursor();
    fOn.hover(at);
    return;
  }
  fOn.record(Mouse(ScriptOp::Move, at));
  const bool ok = fHost.Move(at);
  fOn.askCursor();
  fOn.changed(ok);
}

void DocumentView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !fHost.IsTracking()) return;
  const OsImgPoint at = ViewPoint(event->position());
  OsSetMessagePos(at.x, at.y);
  fOn.record(Mouse(ScriptOp::Release, at));
  fOn.changed(fHost.Release(at));
}

void DocumentView::wheelEvent(QWheelEvent* event) {
  if (fHost.Active() == nullptr || fHost.IsTracking()) return;
  fOn.wheel(*event, ViewPoint(event->position()));
  event->accept();
}

void DocumentView::leaveEvent(QEvent* event) {
  fOn.hover(std::nullopt);
  QWidget::leaveEvent(event);
}

bool DocumentView::Key(QKeyEvent* event, bool down) {
  const int key = VirtualKey(event->key());
  if (key == 0 || event->isAutoRepeat()) return false;
  fOn.record(KeyCommand(key, down));
  fOn.changed(fHost.Key(key, down));
  return true;
}

void DocumentView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && fHost.IsTracking()) {
    fOn.cancel();
    return;
  }
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && fOn.finishFigure()) return;
  if (!Key(event, true)) QWidget::keyPressEvent(event);
}

void DocumentView::keyReleaseEvent(QKeyEvent* event) {
  if (!Key(event, false)) QWidget::keyReleaseEvent(event);
}

void DocumentView::focusOutEvent(QFocusEvent* event) {
  // A key released elsewhere never reaches us; the module must not think it
  // is still held.
  bool ok = true;
  for (int key : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_SPACE}) {
    if ((GetKeyState(key) & 0x8000) == 0) continue;
    fOn.record(KeyCommand(key, false));
    ok = fHost.Key(key, false) && ok;
  }
  fOn.changed(ok);
  QWidget::focusOutEvent(event);
}
