#include "trackers/TDCSelect.h"

#include <algorithm>
#include <cstdint>
#include <new>

#include "BAnt.h"
#include "BView.h"
#include "container/ShapeWalk.h"
#include "container/TObjectContainer.h"
#include "model/TDShape.h"
#include "module/ModuleGlobals.h"

IMPLEMENT_DYNAMIC(TDCSelect, TDCBase)

namespace {

OsImgRect Normalised(const OsImgPoint& a, const OsImgPoint& b) {
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

}  // namespace

TDCSelect::~TDCSelect() {
  delete fAnts;
  delete fSnapshot;
}

void TDCSelect::IDCSelect(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point, int mode) {
  IGridMouse(view, point);
  // Choosing figures changes nothing that could be undone.
  IDCBase(kChangeSelect, 0, container, view, document, point);
  delete fSnapshot;
  fSnapshot = container != nullptr ? container->Clone() : nullptr;
  fMode = mode;
  fMinLimit = {0, 0};
  if (view != nullptr) {
    RECT frame;
    view->GetWindow()->GetClientRect(&frame);
    fMaxLimit = {static_cast<std::int32_t>(frame.right - frame.left),
                 static_cast<std::int32_t>(frame.bottom - frame.top)};
  }
  delete fAnts;
  // Without ants the rectangle still selects; it is only not shown.
  fAnts = new (std::nothrow) BAnt(view);
  if (fAnts != nullptr) fAnts->IAnt();
}

void TDCSelect::TrackConstrain(int phase, const OsImgPoint&, const OsImgPoint&, OsImgPoint& next, int) {
  if (phase != kTrackBegin) GridMouse(next);
  // The far edge itself is allowed, so that the last row and column can be
  // enclosed.
  next.x = std::max(std::min(next.x, fMaxLimit.x), fMinLimit.x);
  next.y = std::max(std::min(next.y, fMaxLimit.y), fMinLimit.y);
}

void TDCSelect::TrackFeedback(int phase, const OsImgPoint& anchor, const OsImgPoint&, const OsImgPoint& next, int moved,
                              int) {
  if (fView != nullptr) {
    OsImgPoint a = anchor, b = next;
    fView->GetEventHandler()->DPToIP(a);
    fView->GetEventHandler()->DPToIP(b);
    const OsImgRect r = Normalised(a, b);
    if (phase == kTrackBegin || (phase == kTrackContinue && moved != 0)) {
      if (BHostServices* readout = SketchInterface().fHostServices) {
        readout->ReportPoint(&b);
        readout->ReportRect(&r);
      }
      if (fAnts != nullptr) fAnts->SetRectAnt(a.x, a.y, b.x, b.y);
      if (phase == kTrackBegin && fAnts != nullptr) fAnts->DrawAnt(1);
    } else if (phase == kTrackEnd && fAnts != nullptr) {
      fAnts->DrawAnt(0);
    }
  }
  SketchRequestUpdate();
}

BTracker* TDCSelect::TrackMouse(int phase, OsImgPoint& anchor, OsImgPoint&, OsImgPoint& next, int) {
  if (phase == kTrackEnd) {
    EndGridMouse();
    fRect = Normalised(anchor, next);
  }
  SketchRequestUpdate();
  return this;
}

void TDCSelect::DoIt() {
  if (BHostServices* readout = SketchInterface().fHostServices) readout->ReportRect(nullptr);
  if (fView != nullptr) fView->Focus();
  // The container's rectangles leave out their right and bottom edges; the
  // pixels under both dragged corners belong in this one.
  // At the far edge of the coordinate range the edge saturates instead.
  if (fRect.right < INT32_MAX) fRect.right += 1;
  if (fRect.bottom < INT32_MAX) fRect.bottom += 1;
  if (fContainer != nullptr) fContainer->SelectInRect(fRect, fMode);
  SketchRequestUpdate();
}

void TDCSelect::UndoIt() {
  if (fContainer == nullptr || fSnapshot == nullptr) return;
  BPosition before = fSnapshot->GetHeadPosition();
  for (BPosition pos = fContainer->GetHeadPosition(); pos != nullptr && before != nullptr;) {
    TDShape* now = AsShape(fContainer->GetNext(pos));
    const TDShape* then = AsShape(fSnapshot->GetNext(before));
    if (now != nullptr && then != nullptr && then->fSelected != 0) now->SetSelect(1, 1, 0);
  }
  SketchRequestUpdate();
}
