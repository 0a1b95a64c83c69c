#include "trackers/TDCEAncer.h"

#include <utility>

#include "container/TObjectContainer.h"
#include "model/Segment.h"
#include "model/TDCheck.h"
#include "model/TDShape.h"
#include "module/ModuleGlobals.h"
#include "raster/SketchRaster.h"

IMPLEMENT_DYNAMIC(TDCEAncer, TDCDCommand)

TDCEAncer::~TDCEAncer() {
  // Once the exchange is set up this is the figure out of the list.
  delete fOriginal;
}

void TDCEAncer::IDCEAncer(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
                          TDCheck* check) {
  if (check == nullptr || check->fShape == nullptr || check->fUnit == nullptr) return;
  if (check->fResult == TDCheck::kSegment || container == nullptr) return;
  const BPosition place = container->FindItem(check->fShape);
  if (place == nullptr) return;
  TDShape* copy = check->fShape->Clone();
  if (copy == nullptr) AfxThrowMemoryException();
  IDCBase(kChangeMovePoint, 1, container, view, document, point);
  fOriginal = check->fShape;
  fShape = copy;
  fContainer->SetItem(place, fShape);
  // As everywhere a copy takes a figure's place: the figure under construction
  // goes on as its copy, never as a figure out of the list.
  if (fContainer->fDrawing == fOriginal) fContainer->fDrawing = fShape;
  fUnitIndex = fOriginal->fUnits.GetIndexFromHandle(fOriginal->fUnits.FindItem(check->fUnit));
  fUnit = static_cast<TDUnit*>(fShape->fUnits.GetItemFromIndex(fUnitIndex));
  if (fUnit->fState != TDUnit::kBothHandles) PickAlone(*fShape, fUnit, TDUnit::kBothHandles);
  fUnit->fSmooth = 1;
  fShape->SetBusy(1);
}

BTracker* TDCEAncer::TrackMouse(int phase, OsImgPoint& anchor, OsImgPoint&, OsImgPoint& next, int moved) {
  if (fActive == 0 || fOriginal == nullptr) return this;
  if (phase == kTrackBegin) {
    fShape->Draw(kDrawVertex, 1, fUnit, 1);
    const TDFloatPoint press = ToImage(anchor);
    fUnit->fDirection1 = press;
    fUnit->fDirection2 = press;
    // Kept current at every step for the repaint, which skips a figure whose
    // bounds miss the view; undo brings back the figure with its own.
    fShape->CalcBounds(fShape->fBounds);
  } else if (phase == kTrackContinue && moved != 0) {
    const TDFloatPoint n = ToImage(next);
    const TDFloatPoint& a = fUnit->fAnchor;
    fUnit->fDirection1 = n;
    // Mirrored through the anchor: the two handles as long, opposite.
    fUnit->fDirection2.Set(static_cast<float>(2.0 * a.x - n.x), static_cast<float>(2.0 * a.y - n.y));
  }
  SketchRequestUpdate();
  return this;
}

void TDCEAncer::TrackFeedback(int phase, const OsImgPoint& anchor, const OsImgPoint&, const OsImgPoint& next, int moved,
                              int show) {
  if (fActive == 0 || fOriginal == nullptr) return;
  if (phase == kTrackBegin) {
    Report(anchor, next);
  } else if (phase == kTrackContinue && moved != 0) {
    FocusView();
    fShape->UpdateSteps(fUnit, kStepsOutgoing | kStepsIncoming);
    fShape->CalcBounds(fShape->fBounds);
    fShape->Draw(kDrawVertex, 1, fUnit, 1);
    if (show != 0) Report(anchor, next);
  }
  SketchRequestUpdate();
}

void TDCEAncer::DoIt() {
  if (fActive == 0 || fOriginal == nullptr) return;
  if (BHostServices* readout = SketchInterface().fHostServices) readout->ReportSize(nullptr);
  fShape->Draw(kDrawVertex, 1, fUnit, 1);
  fShape->SetBusy(0);
  SketchRequestUpdate();
}

void TDCEAncer::UndoIt() {
  if (fActive == 0 || fOriginal == nullptr) return;
  fContainer->SetItem(fContainer->FindItem(fShape), fOriginal);
  if (fContainer->fDrawing == fShape) fContainer->fDrawing = fOriginal;
  fUnit = static_cast<TDUnit*>(fOriginal->fUnits.GetItemFromIndex(fUnitIndex));
  std::swap(fShape, fOriginal);
  SketchMarkDirty();
  SketchRequestUpdate();
}
