#include "trackers/TDCTransform.h"

#include "BList.h"
#include "BView.h"
#include "container/TObjectContainer.h"
#include "module/ModuleGlobals.h"
#include "trackers/FigureLists.h"

bool TDCTransform::Begin(int number, TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
                         FigureSnapshot*& snapshot) {
  IGridMouse(view, point);
  IDCBase(number, 1, container, view, document, point);
  if (fContainer == nullptr) {
    fActive = 0;
    return false;
  }
  fCenter = fContainer->fCenter;
  FigureSnapshot* figures = TakeSnapshot(*fContainer);
  delete snapshot;
  snapshot = figures;
  return true;
}

void TDCTransform::TrackFeedback(int phase, const OsImgPoint& anchor, const OsImgPoint&, const OsImgPoint& next,
                                 int moved, int show) {
  if (fActive == 0 || fContainer == nullptr || fView == nullptr) return;
  if (phase == kTrackBegin) {
    ReportPoint(next, &anchor);
    fView->Focus();
  } else if (phase == kTrackContinue) {
    if (moved != 0) {
      fView->Focus();
      fContainer->ActiveDraw();
    }
    // A step the constraint held in place still shows where the gesture is.
    if (show != 0) {
      ReportPoint(next, &anchor);
      fView->Focus();
    }
  }
  SketchRequestUpdate();
}

void TDCTransform::DoIt() {
  if (fActive == 0 || fContainer == nullptr) return;
  if (BHostServices* readout = SketchInterface().fHostServices) readout->ReportSize(nullptr);
  fContainer->SetBusy(0);
  SketchRequestUpdate();
}

void TDCTransform::UndoIt() {
  FigureSnapshot* snapshot = Snapshot();
  if (fActive != 0 && fContainer != nullptr && snapshot != nullptr) SwapSnapshot(*fContainer, *snapshot, fView);
}

void TDCTransform::RedoIt() { UndoIt(); }
