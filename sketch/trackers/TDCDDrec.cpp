#include "trackers/TDCDDrec.h"

#include <utility>

#include "container/TObjectContainer.h"
#include "model/Segment.h"
#include "model/TDCheck.h"
#include "model/TDShape.h"
#include "module/ModuleGlobals.h"

IMPLEMENT_DYNAMIC(TDCDDrec1, TDCDCommand)
IMPLEMENT_DYNAMIC(TDCDDrec2, TDCDCommand)

void TurnOppositeHandle(TDUnit& unit) {
  const TDFloatPoint& a = unit.fAnchor;
  const TDFloatPoint& d1 = unit.fDirection1;
  const double r = DistanceRatio(a.x, a.y, d1.x, d1.y, unit.fDirection2.x, unit.fDirection2.y);
  if (r == -1.0) return;
  unit.fDirection2.Set(Narrow(a.x - (static_cast<double>(d1.x) - a.x) * r),
                       Narrow(a.y - (static_cast<double>(d1.y) - a.y) * r));
}

void TDCDDrec::Begin(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point, TDCheck* check) {
  if (check == nullptr || check->fShape == nullptr || check->fUnit == nullptr) return;
  IDCBase(kChangeMovePoint, 1, container, view, document, point);
  fUnit = check->fUnit;
  fShape = check->fShape;
  PickAlone(*fShape, fUnit, TDUnit::kBothHandles);
  fSavedHandles[0] = fUnit->fDirection1.x;
  fSavedHandles[1] = fUnit->fDirection1.y;
  fSavedHandles[2] = fUnit->fDirection2.x;
  fSavedHandles[3] = fUnit->fDirection2.y;
  fSavedSteps[0] = fUnit->fSteps;
  if (const TDUnit* previous = fShape->PrevUnit(fUnit)) fSavedSteps[1] = previous->fSteps;
  fSavedBounds = fShape->fBounds;
  fShape->SetBusy(1);
}

void TDCDDrec1::IDCDDrec1(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
                          TDCheck* check) {
  Begin(container, view, document, point, check);
}

void TDCDDrec2::IDCDDrec2(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
                          TDCheck* check) {
  Begin(container, view, document, point, check);
}

void TDCDDrec1::PlaceHandle(const TDFloatPoint& p) {
  fUnit->fDirection1 = p;
  if (fUnit->fSmooth == 1) TurnOppositeHandle(*fUnit);
}

void TDCDDrec2::PlaceHandle(const TDFloatPoint& p) {
  fUnit->fDirection2 = p;
  if (fUnit->fSmooth != 1) return;
  const TDFloatPoint& a = fUnit->fAnchor;
  fUnit->fDirection1.Set(Narrow(a.x + (static_cast<double>(a.x) - p.x)),
                         Narrow(a.y + (static_cast<double>(a.y) - p.y)));
}

void TDCDDrec::TrackConstrain(int phase, const OsImgPoint& anchor, const OsImgPoint&, OsImgPoint& next, int) {
  if (fActive == 0 || fUnit == nullptr) return;
  ConstrainAxis(phase, anchor, next);
}

BTracker* TDCDDrec::TrackMouse(int phase, OsImgPoint&, OsImgPoint&, OsImgPoint& next, int) {
  if (fActive == 0 || fUnit == nullptr) return this;
  if (phase == kTrackBegin) fShape->Draw(kDrawVertex, 1, fUnit, 1);
  if (phase != kTrackEnd) {
    PlaceHandle(ToImage(next));
    fShape->UpdateSteps(fUnit, kStepsOutgoing | kStepsIncoming);
    // Kept current at every step for the repaint, which skips a figure whose
    // bounds miss the view.
    fShape->CalcBounds(fShape->fBounds);
  }
  SketchRequestUpdate();
  return this;
}

void TDCDDrec::TrackFeedback(int phase, const OsImgPoint& anchor, const OsImgPoint&, const OsImgPoint& next, int moved,
                             int show) {
  if (fActive == 0 || fUnit == nullptr) return;
  FocusView();
  if (phase == kTrackBegin) {
    fShape->Draw(kDrawVertex, 1, fUnit, 1);
    Report(anchor, next);
  } else if (phase == kTrackEnd || moved != 0) {
    fShape->Draw(kDrawVertex, 1, fUnit, 1);
    if (phase == kTrackContinue && show != 0) Report(anchor, next);
  }
  SketchRequestUpdate();
}

void TDCDDrec::DoIt() {
  if (fActive == 0 || fUnit == nullptr) return;
  if (BHostServices* readout = SketchInterface().fHostServices) readout->ReportSize(nullptr);
  FocusView();
  fShape->Draw(kDrawVertex, 1, fUnit, 1);
  fShape->SetBusy(0);
  SketchRequestUpdate();
}

void TDCDDrec::UndoIt() {
  if (fActive == 0 || fUnit == nullptr) return;
  FocusView();
  PickAlone(*fShape, fUnit, TDUnit::kBothHandles);
  std::swap(fUnit->fDirection1.x, fSavedHandles[0]);
  std::swap(fUnit->fDirection1.y, fSavedHandles[1]);
  std::swap(fUnit->fDirection2.x, fSavedHandles[2]);
  std::swap(fUnit->fDirection2.y, fSavedHandles[3]);
  std::swap(fUnit->fSteps, fSavedSteps[0]);
  if (TDUnit* previous = fShape->PrevUnit(fUnit)) std::swap(previous->fSteps, fSavedSteps[1]);
  std::swap(fShape->fBounds, fSavedBounds);
  fShape->Draw(kDrawVertex, 1, fUnit, 1);
  SketchRequestUpdate();
}
