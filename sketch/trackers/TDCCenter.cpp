#include "trackers/TDCCenter.h"

#include <algorithm>
#include <cstdint>

#include "BView.h"
#include "container/TObjectContainer.h"
#include "module/ModuleGlobals.h"
#include "raster/SketchDisplay.h"

IMPLEMENT_DYNAMIC(TDCCenter, TDCDCommand)

void TDCCenter::IDCCenter(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point) {
  IDCBase(kChangeMoveCenter, 1, container, view, document, point);
  if (fContainer == nullptr) {
    fActive = 0;
    return;
  }
  fSavedCenter = fContainer->fCenter;
}

void TDCCenter::TrackConstrain(int phase, const OsImgPoint& anchor, const OsImgPoint&, OsImgPoint& next, int) {
  if (fActive == 0) return;
  // The mark must stay where it can be seen and grabbed again.
  if (BView* view = gActiveView != nullptr ? gActiveView : fView) {
    RECT client;
    view->GetWindow()->GetClientRect(&client);
    const std::int64_t right = static_cast<std::int64_t>(client.right) - client.left - kEdgeMargin;
    const std::int64_t bottom = static_cast<std::int64_t>(client.bottom) - client.top - kEdgeMargin;
    next.x = static_cast<std::int32_t>(std::max<std::int64_t>(std::min<std::int64_t>(next.x, right), 0));
    next.y = static_cast<std::int32_t>(std::max<std::int64_t>(std::min<std::int64_t>(next.y, bottom), 0));
  }
  ConstrainAxis(phase, anchor, next);
}

BTracker* TDCCenter::TrackMouse(int, OsImgPoint&, OsImgPoint&, OsImgPoint& next, int moved) {
  if (fActive == 0 || fContainer == nullptr) return this;
  const BView* view = fContainer->GetView();
  const BZoom zoom = view != nullptr ? view->GetZoom() : BZoom();
  const TDFloatPoint center(next.x, next.y, &zoom);
  if (fView != nullptr) fView->Focus();
  if (moved != 0) {
    fContainer->DrawCenter(0);
    fContainer->fCenter = center;
    fContainer->DrawCenter(1);
  }
  SketchRequestUpdate();
  return this;
}

void TDCCenter::TrackFeedback(int phase, const OsImgPoint& anchor, const OsImgPoint&, const OsImgPoint& next, int moved,
                              int show) {
  if (fActive == 0 || fView == nullptr) return;
  if (phase == kTrackBegin || (moved != 0 && show != 0)) {
    ReportPoint(next, &anchor);
    fView->Focus();
  }
  SketchRequestUpdate();
}

void TDCCenter::DoIt() {
  if (fActive == 0) return;
  if (BHostServices* readout = SketchInterface().fHostServices) readout->ReportSize(nullptr);
  SketchRequestUpdate();
}

void TDCCenter::UndoIt() { ExchangeCenter(); }

void TDCCenter::RedoIt() { ExchangeCenter(); }

void TDCCenter::ExchangeCenter() {
  if (fActive == 0 || fContainer == nullptr) return;
  const TDFloatPoint shown = fContainer->fCenter;
  fContainer->DrawCenter(0);
  fContainer->fCenter = fSavedCenter;
  fContainer->DrawCenter(1);
  fSavedCenter = shown;
  SketchRequestUpdate();
}
