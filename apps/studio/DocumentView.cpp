#include "DocumentView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "ModulePictures.h"
#include "OsPlatformHost.h"
#include "ScriptKeys.h"

namespace {

OsImgPoint At(const QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  return {p.x(), p.y()};
}

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

}  // namespace

DocumentView::DocumentView(Host& host, std::function<void(bool)> changed,
                           std::function<void(const ScriptCommand&)> record, std::function<void()> askCursor,
                           QWidget* parent)
    : QWidget(parent),
      fHost(host),
      fChanged(std::move(changed)),
      fRecord(std::move(record)),
      fAskCursor(std::move(askCursor)) {
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void DocumentView::Fit() {
  HostDocument* doc = fHost.Active();
  if (doc == nullptr || width() < 1 || height() < 1) return;
  if (doc->frame.width == width() && doc->frame.height == height()) return;
  fRecord(MakeCommand(ScriptOp::View, {width(), height()}));
  // A repaint that ran out of memory leaves the frame as far as it got; the
  // next one paints it whole.
  fHost.SetViewSize(*doc, width(), height());
}

void DocumentView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  fChanged(true);
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
  if (HostDocument* doc = fHost.Active()) painter.drawImage(0, 0, FrameImage(doc->frame));
}

void DocumentView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || fHost.Active() == nullptr) return;
  setFocus();
  OsSetMessagePos(At(event).x, At(event).y);
  fRecord(Mouse(ScriptOp::Press, At(event)));
  fChanged(fHost.Press(At(event)));
}

void DocumentView::mouseMoveEvent(QMouseEvent* event) {
  OsSetMessagePos(At(event).x, At(event).y);
  // Only a gesture in progress takes moves; the cursor follows either way.
  if (!fHost.IsTracking()) {
    fAskCursor();
    return;
  }
  fRecord(Mouse(ScriptOp::Move, At(event)));
  const bool ok = fHost.Move(At(event));
  fAskCursor();
  fChanged(ok);
}

void DocumentView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !fHost.IsTracking()) return;
  OsSetMessagePos(At(event).x, At(event).y);
  fRecord(Mouse(ScriptOp::Release, At(event)));
  fChanged(fHost.Release(At(event)));
}

bool DocumentView::Key(QKeyEvent* event, bool down) {
  const int key = VirtualKey(event->key());
  if (key == 0 || event->isAutoRepeat()) return false;
  fRecord(KeyCommand(key, down));
  fChanged(fHost.Key(key, down));
  return true;
}

void DocumentView::keyPressEvent(QKeyEvent* event) {
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
    fRecord(KeyCommand(key, false));
    ok = fHost.Key(key, false) && ok;
  }
  fChanged(ok);
  QWidget::focusOutEvent(event);
}
