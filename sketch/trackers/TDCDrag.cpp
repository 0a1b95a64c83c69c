#include "trackers/TDCDrag.h"

#include <cstdint>

#include "BList.h"
#include "BView.h"
#include "container/ShapeWalk.h"
#include "container/TObjectContainer.h"
#include "model/TDShape.h"
#include "module/ModuleGlobals.h"
#include "trackers/FigureLists.h"

IMPLEMENT_DYNAMIC(TDCDrag, TDCBase)

namespace {

std::int32_t Offset(std::int32_t to, std::int32_t from) {
  return static_cast<std::int32_t>(static_cast<std::int64_t>(to) - from);
}

}  // namespace

// ---------------------------------------------------------------------------
// What drag and clone share.

TDCDragBase::~TDCDragBase() {
  // Even a gesture that was switched off keeps figures no one else owns here.
  delete fSaved;
}

void TDCDragBase::TakeSnapshot() {
  FigureSnapshot* figures = ::TakeSnapshot(*fContainer);
  delete fSaved;
  fSaved = figures;
}

void TDCDragBase::TrackConstrain(int phase, const OsImgPoint& anchor, const OsImgPoint&, OsImgPoint& next, int) {
  if (fActive == 0 || phase == kTrackBegin) return;
  GridMouse(next);
  ConstrainAxis(phase, anchor, next);
}

void TDCDragBase::TrackFeedback(int phase, const OsImgPoint& anchor, const OsImgPoint&, const OsImgPoint& next,
                                int moved, int show) {
  if (fActive != 0) ShowSelectionFeedback(phase, anchor, next, moved, show);
}

BTracker* TDCDragBase::TrackMouse(int phase, OsImgPoint&, OsImgPoint& previous, OsImgPoint& next, int moved) {
  if (fActive == 0 || fContainer == nullptr) return this;
  if (phase == kTrackContinue && moved != 0) {
    const BView* view = fContainer->GetView();
    const BZoom zoom = view != nullptr ? view->GetZoom() : BZoom();
    if (zoom.fZoomX != 0.0f && zoom.fZoomY != 0.0f) {
      const float dx = static_cast<float>(Offset(next.x, previous.x)) / zoom.fZoomX;
      const float dy = static_cast<float>(Offset(next.y, previous.y)) / zoom.fZoomY;
      for (BPosition pos = fContainer->GetHeadPosition(); pos != nullptr;) {
        TDShape* shape = AsShape(fContainer->GetNext(pos));
        if (shape != nullptr && shape->fSelected != 0) shape->MoveFloat(dx, dy);
      }
    }
  }
  if (phase == kTrackEnd) EndGridMouse();
  SketchRequestUpdate();
  return this;
}

void TDCDragBase::UndoIt() {
  // The state that is not shown goes back in; the one that was shown waits in
  // fSaved for the next exchange.
  if (fActive != 0 && fContainer != nullptr && fSaved != nullptr) SwapSnapshot(*fContainer, *fSaved, fView);
}

void TDCDragBase::RedoIt() { UndoIt(); }

// ---------------------------------------------------------------------------

void TDCDrag::IDCDrag(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point) {
  IGridMouse(view, point);
  IDCBase(kChangeDrag, 1, container, view, document, point);
  if (fContainer == nullptr) {
    fActive = 0;
    return;
  }
  TakeSnapshot();
  fContainer->SetBusy(1);
}

void TDCDrag::DoIt() {
  if (fActive == 0 || fContainer == nullptr) return;
  if (BHostServices* readout = SketchInterface().fHostServices) readout->ReportSize(nullptr);
  fContainer->SetBusy(0);
  SketchRequestUpdate();
}
