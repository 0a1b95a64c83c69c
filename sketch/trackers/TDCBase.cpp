#include "trackers/TDCBase.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <exception>

#include "BView.h"
#include "OsWindows.h"
#include "container/TObjectContainer.h"
#include "module/ModuleGlobals.h"
#include "raster/SketchDisplay.h"

IMPLEMENT_DYNAMIC(TDCBase, BTracker)

namespace {
// Grid snapping happens in image coordinates; the tracker's points are view pixels.
template <typename Snap>
void SnapThroughImage(BView* view, OsImgPoint& p, Snap snap) {
  if (view == nullptr || !view->fGridOn) return;
  view->GetEventHandler()->DPToIP(p);
  snap(p);
  view->GetEventHandler()->IPToDP(p);
}
}  // namespace

void TDCBase::IGridMouse(BView* view, OsImgPoint& p) {
  SnapThroughImage(view, p, [&](OsImgPoint& q) { BTracker::IGridMouse(view, q); });
}

void TDCBase::GridMouse(OsImgPoint& p) {
  SnapThroughImage(fView, p, [&](OsImgPoint& q) { BTracker::GridMouse(q); });
}

void TDCBase::GridMouse(BView* view, OsImgPoint& p) {
  SnapThroughImage(view, p, [&](OsImgPoint& q) { BTracker::GridMouse(view, q); });
}

void TDCBase::EndGridMouse() {
  if (fView != nullptr && fView->fGridOn) BTracker::EndGridMouse();
}

void TDCBase::IDCBase(int number, int canUndo, TObjectContainer* container, BView* view, BDocument* document,
                      OsImgPoint& anchor) {
  ITracker(number, document, canUndo, 1, document, view, anchor);
  fEveryStep = 1;
  fContainer = container;
}

void TDCBase::ReportPoint(const OsImgPoint& viewPoint, const OsImgPoint* anchor) const {
  BHostServices* services = SketchInterface().fHostServices;
  if (services == nullptr || fView == nullptr) return;
  OsImgPoint p = viewPoint;
  fView->GetEventHandler()->DPToIP(p);
  services->ReportPoint(&p);
  if (anchor == nullptr) return;
  OsImgPoint a = *anchor;
  fView->GetEventHandler()->DPToIP(a);
  const OsImgSize offset{static_cast<std::int32_t>(static_cast<std::int64_t>(p.x) - a.x),
                         static_cast<std::int32_t>(static_cast<std::int64_t>(p.y) - a.y)};
  services->ReportSize(&offset);
}

TDFloatPoint TDCBase::ToImage(const OsImgPoint& p) const {
  const BView* view = fContainer != nullptr ? fContainer->GetView() : nullptr;
  const BZoom zoom = view != nullptr ? view->GetZoom() : BZoom();
  return TDFloatPoint(p.x, p.y, &zoom);
}

void TDCBase::ShowSelectionFeedback(int phase, const OsImgPoint& anchor, const OsImgPoint& next, int moved, int show) {
  if (fView == nullptr) return;
  const auto report = [&] {
    ReportPoint(next, &anchor);
    fView->Focus();
  };
  if (phase == kTrackBegin) {
    report();
  } else if (phase == kTrackContinue && moved != 0) {
    fView->Focus();
    if (fContainer != nullptr) fContainer->ActiveDraw();
    if (show != 0) report();
  }
  SketchRequestUpdate();
}

void TDCBase::KeepOnLargerAxis(const OsImgPoint& anchor, OsImgPoint& next) {
  const long long dx = std::llabs(static_cast<long long>(next.x) - anchor.x);
  const long long dy = std::llabs(static_cast<long long>(next.y) - anchor.y);
  if (dx < dy) {
    next.x = anchor.x;
  } else {
    next.y = anchor.y;
  }
}

void TDCBase::KeepOnDiagonal(const OsImgPoint& anchor, OsImgPoint& next) {
  const std::int64_t dx = std::int64_t{next.x} - anchor.x;
  const std::int64_t dy = std::int64_t{next.y} - anchor.y;
  const std::int64_t ax = std::llabs(dx), ay = std::llabs(dy);
  const auto saturate = [](std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
  };
  if (ax > ay) {
    next.y = saturate(dy > 0 ? anchor.y + ax : anchor.y - ax);
  } else {
    next.x = saturate(dx > 0 ? anchor.x + ay : anchor.x - ay);
  }
}

void TDCBase::ConstrainAxis(int phase, const OsImgPoint& anchor, OsImgPoint& next) {
  if (phase == kTrackBegin) return;
  if ((GetKeyState(VK_SHIFT) & 0x8000) == 0) {
    fAxis = kAxisFree;
    return;
  }
  if (fAxis == kAxisFree) {
    const long long dx = std::llabs(static_cast<long long>(next.x) - anchor.x);
    const long long dy = std::llabs(static_cast<long long>(next.y) - anchor.y);
    fAxis = dx >= dy ? kAxisYLocked : kAxisXLocked;
  }
  if (fAxis == kAxisYLocked) {
    next.y = anchor.y;
  } else {
    next.x = anchor.x;
  }
}

void SketchRequestUpdate() { SketchUpdateView(gActiveView, 0); }

TDCBase::PressGuard::PressGuard(const TDCBase& tracker)
    : fContainer(tracker.fContainer), fExceptions(std::uncaught_exceptions()) {}

TDCBase::PressGuard::~PressGuard() {
  if (fContainer != nullptr && std::uncaught_exceptions() > fExceptions) SketchRestorePress(*fContainer);
}
