#include "DocumentView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "ModulePictures.h"
#include "OsPlatformHost.h"
#include "ScriptKeys.h"

namespace {

std::string Mouse(const char* what, OsImgPoint p) {
  return std::string(what) + " " + std::to_string(p.x) + " " + std::to_string(p.y);
}

OsImgPoint At(const QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  return {p.x(), p.y()};
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
                           std::function<void(const std::string&)> record, QWidget* parent)
    : QWidget(parent), fHost(host), fChanged(std::move(changed)), fRecord(std::move(record)) {
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void DocumentView::Fit() {
  HostDocument* doc = fHost.Active();
  if (doc == nullptr || width() < 1 || height() < 1) return;
  if (doc->frame.width == width() && doc->frame.height == height()) return;
  fRecord("view " + std::to_string(width()) + " " + std::to_string(height()));
  fHost.SetViewSize(*doc, width(), height());
}

void DocumentView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  fChanged(true);
}

void DocumentView::Refresh() {
  HostDocument* doc = fHost.Active();
  if (doc != nullptr) {
    try {
      Fit();
      fHost.Repaint(*doc);
    } catch (const CMemoryException&) {
      // The frame keeps what was last painted; the next event paints again.
    }
  }
  update();
}

void DocumentView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (HostDocument* doc = fHost.Active()) {
    painter.drawImage(0, 0, FrameImage(doc->frame));
  } else {
    painter.fillRect(rect(), palette().window());
  }
}

void DocumentView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || fHost.Active() == nullptr) return;
  setFocus();
  OsSetMessagePos(At(event).x, At(event).y);
  fRecord(Mouse("press", At(event)));
  fChanged(fHost.Press(At(event)));
}

void DocumentView::mouseMoveEvent(QMouseEvent* event) {
  OsSetMessagePos(At(event).x, At(event).y);
  // Only a gesture in progress takes moves; the cursor follows either way.
  if (!fHost.IsTracking()) {
    if (fHover) fHover();
    return;
  }
  fRecord(Mouse("move", At(event)));
  fChanged(fHost.Move(At(event)));
}

void DocumentView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !fHost.IsTracking()) return;
  OsSetMessagePos(At(event).x, At(event).y);
  fRecord(Mouse("release", At(event)));
  fChanged(fHost.Release(At(event)));
}

bool DocumentView::Key(QKeyEvent* event, bool down) {
  const int key = VirtualKey(event->key());
  if (key == 0 || event->isAutoRepeat()) return false;
  fRecord(std::string("key ") + (down ? "down " : "up ") + ScriptKeyName(key));
  bool ok = true;
  try {
    fHost.Key(key, down);
  } catch (const CMemoryException&) {
    ok = false;
  }
  fChanged(ok);
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
    try {
      if ((GetKeyState(key) & 0x8000) == 0) continue;
      fRecord(std::string("key up ") + ScriptKeyName(key));
      fHost.Key(key, false);
    } catch (const CMemoryException&) {
      ok = false;
    }
  }
  fChanged(ok);
  QWidget::focusOutEvent(event);
}
