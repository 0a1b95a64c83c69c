#include "trackers/TDCPens.h"

#include <cstdint>
#include <cstdlib>
#include <new>

#include "BView.h"
#include "OsAfx.h"
#include "OsWindows.h"
#include "container/ShapeWalk.h"
#include "container/TObjectContainer.h"
#include "model/TDMuLine.h"
#include "model/TDPen.h"
#include "module/ModuleGlobals.h"
#include "module/SketchTools.h"
#include "raster/SketchRaster.h"
#include "trackers/FigureLists.h"

IMPLEMENT_DYNAMIC(TDCPens, TDCBase)

namespace {

TDShape* BeginFigure(int tool, TObjectContainer* container, const OsImgPoint& p) {
  TDShape* figure = nullptr;
  bool begun = false;
  if (tool == kToolPen) {
    auto* pen = new (std::nothrow) TDPen;
    begun = pen != nullptr && pen->Begin(container, p.x, p.y);
    figure = pen;
  } else if (tool == kToolMultiLine) {
    auto* line = new (std::nothrow) TDMuLine;
    begun = line != nullptr && line->Begin(container, p.x, p.y);
    figure = line;
  }
  if (!begun) {
    delete figure;
    return nullptr;
  }
  return figure;
}

// Puts `in` at the end of the container and takes `out` from it without
// destroying it; either may be null. When `in` cannot be given an entry nothing
// changes, so that no figure is ever left in neither place.
bool Exchange(TObjectContainer& container, TMarbleObject* out, TMarbleObject* in) {
  if (in != nullptr && !container.AddObject(in)) return false;
  if (out != nullptr) container.TakeOut(out);
  return true;
}

// What SelectAll (0) does to each figure.
void Deselect(TDShape& shape) {
  shape.SetSelect(0, 1, 0);
  shape.SetUnitState(0, nullptr);
}

// What SelectAll (0) does, to every figure but the one being drawn.
void DeselectAllBut(TObjectContainer& container, const TMarbleObject* keep) {
  ForEachShape(container, [keep](TDShape& shape) {
    if (&shape != keep) Deselect(shape);
  });
}

void DrawCurrent(TDShape* figure) {
  if (auto* pen = dynamic_cast<TDPen*>(figure)) {
    pen->DrawCurrent(1);
  } else if (auto* line = dynamic_cast<TDMuLine*>(figure)) {
    line->DrawCurrent(1);
  }
}

}  // namespace

TDCPens::~TDCPens() {
  if (fActive == 1) delete fTarget;
}

void TDCPens::IDCPens(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point) {
  IGridMouse(view, point);
  IDCBase(kChangePen, 1, container, view, document, point);
  if (container == nullptr) return;
  TDShape* drawing = container->fDrawing;
  if (drawing == nullptr) {
    fWorking = BeginFigure(gCurrentTool, container, point);
    fTarget = nullptr;
  } else {
    fWorking = drawing->Clone();
    if (fWorking != nullptr) fWorking->fBusy = 1;
    fTarget = drawing;
    fTargetPlace = IndexOf(*container, drawing);
  }
  if (fWorking == nullptr || !Exchange(*container, fTarget, fWorking)) {
    // The figure under construction stays as it is and where it is; the press
    // then finds nothing to work on.
    delete fWorking;
    fWorking = nullptr;
    fTarget = nullptr;
    return;
  }
  container->fDrawing = fWorking;
}

void TDCPens::TrackConstrain(int phase, const OsImgPoint& anchor, const OsImgPoint&, OsImgPoint& next, int) {
  if (fActive == 0 || phase == kTrackBegin) return;
  GridMouse(next);
  if ((GetKeyState(VK_SHIFT) & 0x8000) == 0) return;
  KeepOnLargerAxis(anchor, next);
}

BTracker* TDCPens::TrackMouse(int phase, OsImgPoint& anchor, OsImgPoint&, OsImgPoint& next, int moved) {
  const PressGuard guard(*this);
  if (fActive == 0) return this;
  if (phase == kTrackEnd) EndGridMouse();
  if ((phase == kTrackBegin || phase == kTrackEnd) && fWorking == nullptr) {
    fActive = 0;
    return this;
  }
  if (moved != 0 && fWorking != nullptr) {
    // A press whose vertex cannot be added is no step: the figure under
    // construction goes back as it was, and the host drops the gesture.
    if (fWorking->Track(phase, &anchor, &next) == 0) {
      PutBack();
      AfxThrowMemoryException();
    }
    if (phase == kTrackBegin && fDeselectOthers) DeselectAllBut(*fContainer, fWorking);
  }
  SketchRequestUpdate();
  return this;
}

void TDCPens::PutBack() {
  if (fTarget != nullptr) {
    fContainer->ReplaceAtEnd(fWorking, fTarget);
    fContainer->MoveLastTo(fTargetPlace);
  } else {
    fContainer->TakeOut(fWorking);
  }
  fContainer->fDrawing = static_cast<TDShape*>(fTarget);
  // The copy is now the figure out of the container, destroyed with the tracker.
  fTarget = fWorking;
  fWorking = nullptr;
}

void TDCPens::TrackFeedback(int, const OsImgPoint&, const OsImgPoint&, const OsImgPoint& next, int moved, int) {
  if (fActive == 0 || fWorking == nullptr) return;
  if (moved != 0) {
    ReportPoint(next);
    fView->Focus();
    DrawCurrent(fWorking);
  }
  SketchRequestUpdate();
}

void TDCPens::DoIt() {
  if (fActive == 0 || fWorking == nullptr) return;
  fView->Focus();
  if (fWorking->UnitCount() == 1 && fWorking->IsKindOf(RUNTIME_CLASS(TDPen))) {
    if (fWorking->fOpen == 1) {
      fContainer->fDrawing = fWorking;
    } else {
      // A lone vertex closed on itself is a point again, handles folded in.
      TDUnit* unit = fWorking->FirstUnit();
      const TDFloatPoint a = unit->fAnchor;
      unit->Set3(a.x, a.y, a.x, a.y, a.x, a.y);
      fWorking->fOpen = 1;
    }
  } else if (fWorking->UnitCount() == 2 && fWorking->IsKindOf(RUNTIME_CLASS(TDMuLine))) {
    fContainer->fDrawing = fWorking;
  }
  DrawCurrent(fWorking);
  fWorking->SetSelect(1, 1, 0);
  OsImgRect bounds;
  fWorking->CalcBounds(bounds);
  fWorking->fBusy = 0;
  SketchRequestUpdate();
}

void TDCPens::RedoIt() { UndoIt(); }

void TDCPens::UndoIt() {
  if (fActive == 0) return;
  fView->Focus();
  // The figures change places first: that can run out of memory, and an undo
  // the host drops must not have deselected anything. Then what deselecting
  // everything beforehand would have done: the figure that left with the
  // others, the one that came in not yet.
  if (!Exchange(*fContainer, fWorking, fTarget)) AfxThrowMemoryException();
  DeselectAllBut(*fContainer, fTarget);
  if (fWorking != nullptr) Deselect(*fWorking);
  fContainer->fDrawing = static_cast<TDShape*>(fTarget);
  TMarbleObject* was = fTarget;
  fTarget = fWorking;
  fWorking = static_cast<TDShape*>(was);
  if (fWorking != nullptr) {
    if (fWorking->fOpen == 0) fContainer->fDrawing = nullptr;
    fWorking->DrawAll();
  } else {
    SketchMarkDirty();
  }
  if (auto* last = dynamic_cast<TDShape*>(fContainer->GetItem(fContainer->GetTailPosition()))) {
    last->SetSelect(1, 1, 0);
  }
  SketchRequestUpdate();
}
