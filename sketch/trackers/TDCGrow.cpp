#include "trackers/TDCGrow.h"

#include <cstdint>
#include <new>

#include "BView.h"
#include "OsAfx.h"
#include "OsWindows.h"
#include "container/TObjectContainer.h"
#include "model/TDFreeLine.h"
#include "model/TDLine.h"
#include "model/TDOval.h"
#include "model/TDPolygon.h"
#include "model/TDRectangle.h"
#include "module/ModuleGlobals.h"
#include "module/SketchTools.h"
#include "raster/SketchRaster.h"
#include "ui/PolygonApex.h"

IMPLEMENT_DYNAMIC(TDCGrow, TDCBase)

namespace {

// A figure begun only in part (a vertex that could not be added) would be kept
// with the wrong shape. Without memory for a whole one the press raises, so
// that the host drops the gesture rather than keep a step that drew nothing
// and that a replay of the same input would draw.
template <typename Kind, typename... Extra>
TDShape* Begun(TObjectContainer* container, const OsImgPoint& p, Extra... extra) {
  auto* figure = new (std::nothrow) Kind;
  if (figure == nullptr) AfxThrowMemoryException();
  if (!figure->Begin(container, p.x, p.y, extra...)) {
    delete figure;
    AfxThrowMemoryException();
  }
  return figure;
}

TDShape* BeginFigure(int tool, TObjectContainer* container, const OsImgPoint& p) {
  switch (tool) {
    case kToolRectangle: return Begun<TDRectangle>(container, p);
    case kToolOval: return Begun<TDOval>(container, p);
    case kToolFreeLine: return Begun<TDFreeLine>(container, p);
    case kToolLine: return Begun<TDLine>(container, p);
    case kToolPolygon: return Begun<TDPolygon>(container, p, gPolygonApex);
    default: return nullptr;
  }
}

}  // namespace

TDCGrow::~TDCGrow() {
  if (fOwnsTarget == 1) delete fTarget;
}

TDShape* TDCGrow::Figure() const { return static_cast<TDShape*>(fTarget); }

void TDCGrow::IDCGrow(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point) {
  IGridMouse(view, point);
  IDCBase(kChangeDraw, 1, container, view, document, point);
  if (container == nullptr) {
    fActive = 0;
    return;
  }
  // Without memory for the record the press is dropped, with nothing changed.
  fFigureCount = container->GetCount();
  fWasSelected.reset(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(fFigureCount)]);
  if (fWasSelected == nullptr) AfxThrowMemoryException();
  std::uint8_t* was = fWasSelected.get();
  for (BPosition pos = container->GetHeadPosition(); pos != nullptr;) {
    const auto* figure = dynamic_cast<const TDShape*>(container->GetNext(pos));
    *was++ = figure != nullptr && figure->fSelected == 1 ? 1 : 0;
  }
  // The figure is made before anything is deselected, so that a press that
  // cannot draw leaves the selection alone; only a tool that draws no figure
  // here makes an inactive press.
  fTarget = BeginFigure(gCurrentTool, container, point);
  if (fTarget == nullptr) {
    fActive = 0;
    return;
  }
  container->SelectAll(0);
}

void TDCGrow::TrackConstrain(int phase, const OsImgPoint& anchor, const OsImgPoint&, OsImgPoint& next, int) {
  if (fActive == 0 || phase == kTrackBegin) return;
  GridMouse(next);
  if ((GetKeyState(VK_SHIFT) & 0x8000) == 0) return;
  const TDShape* figure = Figure();
  if (figure->IsKindOf(RUNTIME_CLASS(TDRectangle)) || figure->IsKindOf(RUNTIME_CLASS(TDPolygon)) ||
      figure->IsKindOf(RUNTIME_CLASS(TDOval))) {
    KeepOnDiagonal(anchor, next);
  } else if (figure->IsKindOf(RUNTIME_CLASS(TDLine)) || figure->IsKindOf(RUNTIME_CLASS(TDFreeLine))) {
    KeepOnLargerAxis(anchor, next);
  }
}

BTracker* TDCGrow::TrackMouse(int phase, OsImgPoint& anchor, OsImgPoint&, OsImgPoint& next, int moved) {
  if (fActive == 0) return this;
  if (phase == kTrackEnd) EndGridMouse();
  if (phase != kTrackBegin && moved != 0) {
    Figure()->Track(phase, &anchor, &next);
    SketchRequestUpdate();
  }
  return this;
}

void TDCGrow::TrackFeedback(int, const OsImgPoint&, const OsImgPoint&, const OsImgPoint& next, int moved, int) {
  if (fActive == 0 || moved == 0) return;
  ReportPoint(next);
  fView->Focus();
  // A free line draws its own samples as they come.
  if (!fTarget->IsKindOf(RUNTIME_CLASS(TDFreeLine))) Figure()->DrawAll();
  SketchRequestUpdate();
}

void TDCGrow::DoIt() {
  const PressGuard guard(*this);
  Put(true);
}

void TDCGrow::RedoIt() { Put(false); }

void TDCGrow::Put(bool first) {
  if (fActive == 0) return;
  fView->Focus();
  // Without an entry for the figure the step cannot be done: the sketch goes
  // back to how it was (the press deselected everything) and the memory
  // exception tells the host to drop the step rather than keep one that did
  // nothing.
  if (!fContainer->AddObject(fTarget)) {
    if (first) RestoreSelection();
    AfxThrowMemoryException();
  }
  fOwnsTarget = 0;
  // The first time the press has already deselected everything; a redo must.
  if (!first) fContainer->SelectAll(0);
  TDShape* figure = Figure();
  figure->DrawAll();
  figure->SetSelect(1, 1, 0);
  OsImgRect bounds;
  figure->CalcBounds(bounds);
  if (first) figure->fBusy = 0;
  SketchRequestUpdate();
}

void TDCGrow::RestoreSelection() {
  // The container holds the figures it held at the press, in the same order.
  if (fWasSelected == nullptr) return;
  int i = 0;
  for (BPosition pos = fContainer->GetHeadPosition(); pos != nullptr && i < fFigureCount; ++i) {
    auto* now = dynamic_cast<TDShape*>(fContainer->GetNext(pos));
    if (now != nullptr && fWasSelected[static_cast<std::size_t>(i)] == 1) now->SetSelect(1, 1, 0);
  }
}

void TDCGrow::UndoIt() {
  if (fActive == 0) return;
  fView->Focus();
  fContainer->SelectAll(0);
  fContainer->TakeOut(fTarget);
  fOwnsTarget = 1;
  RestoreSelection();
  SketchMarkDirty();
  SketchRequestUpdate();
}
