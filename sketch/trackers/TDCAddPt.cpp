#include "trackers/TDCAddPt.h"

#include "BView.h"
#include "container/TObjectContainer.h"
#include "model/Segment.h"
#include "model/TDCheck.h"
#include "model/TDShape.h"

IMPLEMENT_DYNAMIC(TDCAddPt, TDCBase)

void TDCAddPt::IDCAddPt(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
                        TDCheck* check) {
  if (check == nullptr || check->fResult == TDCheck::kNothing) return;
  IDCBase(kChangeAddPoint, 1, container, view, document, point);
  fParam = check->fParam;
  fUnit = check->fUnit;
  fTarget = check->fShape;
}

BTracker* TDCAddPt::TrackMouse(int phase, OsImgPoint&, OsImgPoint&, OsImgPoint&, int) {
  if (fActive == 0) return this;
  if (phase == kTrackBegin && fTarget == nullptr) {
    Deactivate();
    return this;
  }
  SketchRequestUpdate();
  return this;
}

void TDCAddPt::DoIt() {
  const PressGuard guard(*this);
  if (fActive == 0 || fUnit == nullptr || fTarget == nullptr || fOwnsTarget == 1) return;
  auto* target = static_cast<TDShape*>(fTarget);
  const int index = target->fUnits.GetIndexFromHandle(target->fUnits.FindItem(fUnit));
  // The last vertex of an open figure (its anchor pressed) starts no segment:
  // there is nothing to split, and the gesture is no step at all.
  if (fContainer == nullptr || fContainer->FindItem(target) == nullptr || index == 0 ||
      target->NextUnit(fUnit) == nullptr) {
    Deactivate();
    return;
  }
  fCopy = target->Clone();
  if (fCopy == nullptr) AfxThrowMemoryException();
  auto* a = static_cast<TDUnit*>(fCopy->fUnits.GetItemFromIndex(index));
  TDUnit* b = fCopy->NextUnit(a);
  if (fView != nullptr) fView->Focus();
  SplitPoints split{};
  SplitSegment(a->fAnchor, a->fDirection1, b->fDirection2, b->fAnchor, static_cast<float>(fParam), a, b, split);
  a->fDirection1 = split.q0;
  b->fDirection2 = split.q2;
  if (fCopy->InsertUnitAfter(a, split.s.x, split.s.y, split.r1.x, split.r1.y, split.r0.x, split.r0.y, 1, a->fSteps,
                             a->fState) == nullptr) {
    // Only the copy has changed; the gesture is dropped with the document as it was.
    Deactivate();
    AfxThrowMemoryException();
  }
  // The repaint skips a figure whose bounds miss the view; the figure undo
  // brings back keeps its own.
  fCopy->CalcBounds(fCopy->fBounds);
  fCopy->DrawAll();
  fContainer->ReplaceAtEnd(target, fCopy);
  fOwnsTarget = 1;
  // What undo brings back is shown unselected; only the figure with the new
  // point keeps the selection of the press.
  target->SetSelect(0, 1, 0);
  SketchRequestUpdate();
}

void TDCAddPt::UndoIt() { Exchange(false); }
