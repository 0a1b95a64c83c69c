#include "trackers/TDCEDrec.h"

#include <utility>

#include "container/TObjectContainer.h"
#include "model/Segment.h"
#include "model/TDCheck.h"
#include "model/TDShape.h"
#include "module/ModuleGlobals.h"

IMPLEMENT_DYNAMIC(TDCEDrec1, TDCDCommand)
IMPLEMENT_DYNAMIC(TDCEDrec2, TDCDCommand)

TDCEDrec::~TDCEDrec() { delete fSavedUnit; }

void TDCEDrec::Begin(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point, TDCheck* check) {
  if (check == nullptr || check->fShape == nullptr || check->fUnit == nullptr) return;
  IDCBase(kChangeMovePoint, 1, container, view, document, point);
  // Copied before anything changes, so that running out of memory leaves the
  // document as it was.
  fSavedUnit = check->fUnit->Clone();
  if (fSavedUnit == nullptr) AfxThrowMemoryException();
  fUnit = check->fUnit;
  fShape = check->fShape;
  if (const TDUnit* previous = fShape->PrevUnit(fUnit)) fSavedPreviousSteps = previous->fSteps;
  fSavedBounds = fShape->fBounds;
  PickAlone(*fShape, fUnit, TDUnit::kBothHandles);
  fUnit->fSmooth = 0;
  fShape->SetBusy(1);
}

void TDCEDrec1::IDCEDrec1(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
                          TDCheck* check) {
  Begin(container, view, document, point, check);
}

void TDCEDrec2::IDCEDrec2(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
                          TDCheck* check) {
  Begin(container, view, document, point, check);
}

TDFloatPoint& TDCEDrec1::Handle() { return fUnit->fDirection1; }
TDFloatPoint& TDCEDrec2::Handle() { return fUnit->fDirection2; }

BTracker* TDCEDrec::TrackMouse(int phase, OsImgPoint&, OsImgPoint&, OsImgPoint& next, int moved) {
  if (fActive == 0 || fUnit == nullptr) return this;
  if (FocusesEveryStep()) FocusView();
  if (phase == kTrackBegin) {
    fShape->Draw(kDrawVertex, 1, fUnit, 1);
  } else if (phase == kTrackContinue && moved != 0) {
    Handle() = ToImage(next);
    fShape->UpdateSteps(fUnit, kStepsOutgoing | kStepsIncoming);
    // Kept current at every step for the repaint, which skips a figure whose
    // bounds miss the view.
    fShape->CalcBounds(fShape->fBounds);
  }
  SketchRequestUpdate();
  return this;
}

void TDCEDrec::TrackFeedback(int, const OsImgPoint&, const OsImgPoint&, const OsImgPoint&, int moved, int) {
  if (fActive == 0 || fUnit == nullptr) return;
  if (moved != 0) {
    FocusView();
    fShape->Draw(kDrawVertex, 1, fUnit, 1);
  }
  SketchRequestUpdate();
}

void TDCEDrec::DoIt() {
  if (fActive == 0 || fUnit == nullptr) return;
  fShape->Draw(kDrawVertex, 1, fUnit, 1);
  fShape->SetBusy(0);
  SketchRequestUpdate();
}

void TDCEDrec::UndoIt() {
  if (fActive == 0 || fUnit == nullptr) return;
  // The vertex as it is now is kept for the next exchange; without it nothing
  // may change.
  TDUnit* shown = fUnit->Clone();
  if (shown == nullptr) AfxThrowMemoryException();
  FocusView();
  PickAlone(*fShape, fUnit, TDUnit::kBothHandles);
  const TDUnit& saved = *fSavedUnit;
  fUnit->Set3(saved.fAnchor.x, saved.fAnchor.y, saved.fDirection1.x, saved.fDirection1.y, saved.fDirection2.x,
              saved.fDirection2.y);
  fUnit->fSelected = saved.fSelected;
  fUnit->fSmooth = saved.fSmooth;
  fUnit->fSteps = saved.fSteps;
  fUnit->SetState(saved.fState);
  if (TDUnit* previous = fShape->PrevUnit(fUnit)) std::swap(previous->fSteps, fSavedPreviousSteps);
  std::swap(fShape->fBounds, fSavedBounds);
  fShape->Draw(kDrawVertex, 1, fUnit, 1);
  delete fSavedUnit;
  fSavedUnit = shown;
  SketchRequestUpdate();
}
