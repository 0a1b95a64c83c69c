#include "trackers/TDCDAncer.h"

#include <cstdint>

#include "BList.h"
#include "BView.h"
#include "container/TObjectContainer.h"
#include "model/Segment.h"
#include "model/TDCheck.h"
#include "model/TDShape.h"
#include "module/ModuleGlobals.h"
#include "trackers/FigureLists.h"

IMPLEMENT_DYNAMIC(TDCDAncer, TDCDCommand)

TDCDAncer::~TDCDAncer() {
  // The figures out of the container at the time.
  delete fSaved;
}

void TDCDAncer::IDCDAncer(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
                          TDCheck* check) {
  if (check == nullptr || check->fShape == nullptr || check->fUnit == nullptr) return;
  fUnit = check->fUnit;
  fShape = check->fShape;
  IDCBase(kChangeMovePoint, 1, container, view, document, point);
  if (fContainer == nullptr) {
    fActive = 0;
    return;
  }
  // The copies are made before the pick changes anything, so that running out
  // of memory leaves the document as it was; they take the pick over after.
  FigureSnapshot* copies = CopyFigures(*fContainer);
  // A press on a picked anchor keeps every pick; otherwise it picks this one alone.
  if (fUnit->fState != TDUnit::kBothHandles) PickAlone(*fShape, fUnit, TDUnit::kBothHandles);
  BPosition copy = copies->GetHeadPosition();
  for (BPosition pos = fContainer->GetHeadPosition(); pos != nullptr && copy != nullptr;
       pos = fContainer->GetNextPosition(pos), copy = copies->GetNextPosition(copy)) {
    CopySelection(*static_cast<TDShape*>(fContainer->GetItem(pos)), *static_cast<TDShape*>(copies->GetItem(copy)));
  }
  PutInPlace(*fContainer, *copies);
  fSaved = copies;
  fContainer->SetBusy(1);
}

void TDCDAncer::TrackConstrain(int phase, const OsImgPoint& anchor, const OsImgPoint&, OsImgPoint& next, int) {
  if (fActive == 0 || fSaved == nullptr) return;
  ConstrainAxis(phase, anchor, next);
}

BTracker* TDCDAncer::TrackMouse(int phase, OsImgPoint&, OsImgPoint& previous, OsImgPoint& next, int) {
  if (fActive == 0 || fSaved == nullptr) return this;
  if (phase != kTrackEnd) {
    if (phase == kTrackBegin) fContainer->ActiveDraw();
    const BView* view = fContainer->GetView();
    const BZoom zoom = view != nullptr ? view->GetZoom() : BZoom();
    if (zoom.fZoomX != 0.0f && zoom.fZoomY != 0.0f) {
      const float dx = static_cast<float>((std::int64_t{next.x} - previous.x) / static_cast<double>(zoom.fZoomX));
      const float dy = static_cast<float>((std::int64_t{next.y} - previous.y) / static_cast<double>(zoom.fZoomY));
      for (BPosition pos = fContainer->GetHeadPosition(); pos != nullptr;) {
        auto* shape = static_cast<TDShape*>(fContainer->GetNext(pos));
        if (shape == nullptr || shape->fSelected == 0) continue;
        bool picked = false;
        for (BPosition u = shape->fUnits.GetHeadPosition(); u != nullptr;) {
          auto* unit = static_cast<TDUnit*>(shape->fUnits.GetNext(u));
          if (unit->fState != TDUnit::kBothHandles) continue;
          unit->MoveFloat(dx, dy);
          shape->UpdateSteps(unit, kStepsOutgoing | kStepsIncoming);
          picked = true;
        }
        // At every step, so that a figure dragged in from outside the view is
        // repainted while it comes; undo takes the bounds back with the figures.
        if (picked) shape->CalcBounds(shape->fBounds);
      }
    }
  }
  SketchRequestUpdate();
  return this;
}

void TDCDAncer::TrackFeedback(int phase, const OsImgPoint& anchor, const OsImgPoint&, const OsImgPoint& next, int moved,
                              int show) {
  if (fActive == 0 || fSaved == nullptr) return;
  FocusView();
  if (phase == kTrackBegin) {
    fContainer->ActiveDraw();
    Report(anchor, next);
  } else if (phase == kTrackEnd) {
    fContainer->ActiveDraw();
  } else if (moved != 0) {
    fContainer->ActiveDraw();
    if (show != 0) Report(anchor, next);
  }
  SketchRequestUpdate();
}

void TDCDAncer::DoIt() {
  if (fActive == 0 || fSaved == nullptr) return;
  if (BHostServices* readout = SketchInterface().fHostServices) readout->ReportSize(nullptr);
  FocusView();
  fContainer->ActiveDraw();
  fContainer->SetBusy(0);
  SketchRequestUpdate();
}

void TDCDAncer::UndoIt() {
  if (fActive == 0 || fSaved == nullptr) return;
  // The lists are as long, so the exchange needs no memory.
  SwapSnapshot(*fContainer, *fSaved, fView);
}
