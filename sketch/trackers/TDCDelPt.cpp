#include "trackers/TDCDelPt.h"

#include "BView.h"
#include "container/TObjectContainer.h"
#include "model/TDCheck.h"
#include "model/TDShape.h"

IMPLEMENT_DYNAMIC(TDCDelPt, TDCBase)

void TDCDelPt::IDCDelPt(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
                        TDCheck* check) {
  if (check == nullptr || check->fResult == TDCheck::kNothing) return;
  IGridMouse(view, point);
  IDCBase(kChangeDeletePoint, 1, container, view, document, point);
  fUnit = check->fUnit;
  if (check->fResult != TDCheck::kAnchor || check->fShape == nullptr) return;
  // The copy is made before the target is recorded: should it fail, the tracker
  // holds nothing of the document's when the dispatch destroys it.
  TDShape* copy = check->fShape->Clone();
  if (copy == nullptr) AfxThrowMemoryException();
  fCopy = copy;
  fTarget = check->fShape;
}

BTracker* TDCDelPt::TrackMouse(int phase, OsImgPoint&, OsImgPoint&, OsImgPoint& next, int) {
  if (fActive == 0) return this;
  if (phase != kTrackBegin) GridMouse(next);
  if (phase == kTrackEnd) EndGridMouse();
  if (phase == kTrackBegin && fTarget == nullptr) {
    Deactivate();
    return this;
  }
  SketchRequestUpdate();
  return this;
}

void TDCDelPt::DoIt() {
  if (fActive == 0 || fUnit == nullptr || fTarget == nullptr || fCopy == nullptr || fOwnsTarget == 1) return;
  auto* target = static_cast<TDShape*>(fTarget);
  const int index = target->fUnits.GetIndexFromHandle(target->fUnits.FindItem(fUnit));
  // Both lists must still match vertex for vertex, and the figure keep a vertex.
  if (fContainer == nullptr || fContainer->FindItem(target) == nullptr || index == 0 ||
      fCopy->UnitCount() != target->UnitCount() || target->UnitCount() < 2) {
    Deactivate();
    return;
  }
  if (fView != nullptr) fView->Focus();
  fCopy->fUnits.DeleteFromIndex(index);
  // The repaint skips a figure whose bounds miss the view; the figure undo
  // brings back keeps its own.
  fCopy->CalcBounds(fCopy->fBounds);
  fCopy->DrawAll();
  fContainer->ReplaceAtEnd(target, fCopy);
  fOwnsTarget = 1;
  SketchRequestUpdate();
}

// The figure brought back is selected, as it was when its point was pressed.
void TDCDelPt::UndoIt() { Exchange(true); }
