// Finding one's way about the picture: the scroll bars and the wheel, the
// zoom entries of the View menu and Ctrl+wheel, the grid, and the status
// bar's zoom and pointer read-outs. Every change of the view is a zoom or
// grid line of the session, so that a recording replays onto the same view.

#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "DocumentView.h"
#include "StudioWindow.h"
#include "TFWCommands.h"

namespace {

// One notch of a mouse wheel, in the eighths of a degree Qt counts.
constexpr int kNotch = 120;
// Lines of the scroll bars' single step that one notch scrolls.
constexpr int kLinesPerNotch = 3;

}  // namespace

void StudioWindow::AddViewEntries(QMenu* view) {
  const auto add = [this, view](const QString& text, const char* name, QList<QKeySequence> keys, auto work) {
    auto* action = view->addAction(text);
    action->setObjectName(name);
    action->setShortcuts(keys);
    connect(action, &QAction::triggered, this, work);
    return action;
  };
  view->addSeparator();
  add(tr("Zoom In"), "zoomIn", {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
      [this] { ZoomStep(true, std::nullopt); });
  add(tr("Zoom Out"), "zoomOut", {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, [this] { ZoomStep(false, std::nullopt); });
  add(tr("Actual Size"), "actualSize", {QKeySequence(Qt::CTRL | Qt::Key_1)}, [this] { ActualSize(); });
  add(tr("Fit in Window"), "fitInWindow", {QKeySequence(Qt::CTRL | Qt::Key_0)}, [this] { FitInWindow(); });

  // The grid belongs to the view; the module snaps to it.
  view->addSeparator();
  fGrid = add(tr("Grid"), "grid", {}, [this](bool on) { SetGrid(on, 0); });
  fGrid->setCheckable(true);
  add(tr("Grid Spacing..."), "gridSpacing", {}, [this] {
    HostDocument* doc = fHost.Active();
    if (doc == nullptr) return;
    bool ok = false;
    const int size = QInputDialog::getInt(this, windowTitle(), tr("Grid spacing in pixels of the picture:"),
                                          doc->view.fGridSize, 1, 1024, 1, &ok);
    if (ok) SetGrid(true, size);
  });
}

void StudioWindow::ZoomTo(float zoom, float originX, float originY) {
  HostDocument* doc = fHost.Active();
  if (doc == nullptr || fHost.IsTracking()) return;
  fOutput.Script().Record(SessionOutput::ZoomCommand(zoom, originX, originY));
  const bool ok = fHost.SetZoom(*doc, zoom, originX, originY);
  AskCursor();
  Changed(ok);
}

OsImgPoint StudioWindow::ViewCentre() const {
  const HostDocument* doc = fHost.Active();
  return doc != nullptr ? OsImgPoint{doc->frame.width / 2, doc->frame.height / 2} : OsImgPoint{};
}

void StudioWindow::ZoomStep(bool in, std::optional<OsImgPoint> at) {
  const HostDocument* doc = fHost.Active();
  if (doc == nullptr) return;
  const BZoom& now = doc->view.GetZoom();
  // The zoom tool's own step, about the pointer or the view's centre.
  const BZoom next = ZoomedAbout(now, at.value_or(ViewCentre()), in);
  if (next.fZoomX != now.fZoomX) ZoomTo(next.fZoomX, next.fOriginX, next.fOriginY);
}

void StudioWindow::ActualSize() {
  const HostDocument* doc = fHost.Active();
  if (doc == nullptr) return;
  const BZoom& z = doc->view.GetZoom();
  const OsImgPoint c = ViewCentre();
  // The image point at the centre stays there.
  ZoomTo(1.0f, static_cast<float>(c.x / static_cast<double>(z.fZoomX) + z.fOriginX - c.x),
         static_cast<float>(c.y / static_cast<double>(z.fZoomY) + z.fOriginY - c.y));
}

void StudioWindow::FitInWindow() {
  const HostDocument* doc = fHost.Active();
  if (doc == nullptr || doc->frame.width < 1 || doc->frame.height < 1) return;
  const double w = doc->picture.width, h = doc->picture.height;
  const auto zoom = static_cast<float>(std::min(doc->frame.width / w, doc->frame.height / h));
  // The whole picture, in the middle of the view.
  ZoomTo(zoom, static_cast<float>((w - doc->frame.width / static_cast<double>(zoom)) / 2),
         static_cast<float>((h - doc->frame.height / static_cast<double>(zoom)) / 2));
}

void StudioWindow::Wheel(const QWheelEvent& event, OsImgPoint at) {
  // A touchpad sends small steps: they add up to notches.
  fWheelRest += event.angleDelta();
  if (event.modifiers() & Qt::ControlModifier) {
    const int notches = fWheelRest.y() / kNotch;
    fWheelRest = QPoint();
    if (notches != 0) ZoomStep(notches > 0, at);
    return;
  }
  // Shift turns the wheel sideways, as a horizontal wheel or a touchpad does.
  const bool sideways = (event.modifiers() & Qt::ShiftModifier) || fWheelRest.y() == 0;
  QScrollBar* bar = sideways ? fHScroll : fVScroll;
  const int delta = fWheelRest.y() != 0 ? fWheelRest.y() : fWheelRest.x();
  const int lines = delta * kLinesPerNotch / kNotch;
  if (lines == 0) return;
  fWheelRest = QPoint();
  bar->setValue(bar->value() - lines * bar->singleStep());
}

void StudioWindow::ShowPointer(std::optional<OsImgPoint> at) {
  HostDocument* doc = fHost.Active();
  fPointerAt.reset();
  if (at && doc != nullptr) {
    OsImgPoint p = *at;
    doc->view.GetEventHandler()->DPToIP(p);
    fPointerAt = p;
  }
  UpdateReadout();
}

void StudioWindow::UpdateZoomReadout() {
  const HostDocument* doc = fHost.Active();
  fZoom->setText(doc != nullptr ? QString("%1%").arg(doc->view.GetZoom().fZoomX * 100.0, 0, 'g', 4) : QString());
}

void StudioWindow::SyncScrollBars() {
  const HostDocument* doc = fHost.Active();
  fSyncingScroll = true;
  for (QScrollBar* bar : {fHScroll, fVScroll}) {
    const bool horizontal = bar == fHScroll;
    if (doc == nullptr) {
      bar->setRange(0, 0);
      continue;
    }
    const BZoom& z = doc->view.GetZoom();
    const double zoom = horizontal ? z.fZoomX : z.fZoomY;
    const int picture = horizontal ? doc->picture.width : doc->picture.height;
    const int shown = static_cast<int>((horizontal ? doc->frame.width : doc->frame.height) / zoom);
    const int origin = static_cast<int>(std::lround(horizontal ? z.fOriginX : z.fOriginY));
    // The origin may lie outside the usual range (the hand tool goes past the
    // edges); the range grows to hold it rather than move it.
    bar->setRange(std::min(0, origin), std::max(std::max(0, picture - shown), origin));
    bar->setPageStep(std::max(1, shown));
    bar->setSingleStep(std::max(1, shown / 20));
    bar->setValue(origin);
  }
  fSyncingScroll = false;
}

void StudioWindow::Scrolled() {
  const HostDocument* doc = fHost.Active();
  if (fSyncingScroll || doc == nullptr) return;
  const BZoom& z = doc->view.GetZoom();
  // A bar that did not move keeps its axis's origin to the last bit.
  const float ox = fHScroll->value() == std::lround(z.fOriginX) ? z.fOriginX : static_cast<float>(fHScroll->value());
  const float oy = fVScroll->value() == std::lround(z.fOriginY) ? z.fOriginY : static_cast<float>(fVScroll->value());
  ZoomTo(z.fZoomX, ox, oy);
}

void StudioWindow::SetGrid(bool on, int size) {
  HostDocument* doc = fHost.Active();
  if (doc == nullptr) return;
  doc->view.fGridOn = on;
  if (size > 0) doc->view.fGridSize = size;
  fOutput.Script().Record(on ? MakeCommand(ScriptOp::Grid, {doc->view.fGridSize}, {"on"})
                             : MakeCommand(ScriptOp::Grid, {}, {"off"}));
  Changed(true);
}
