#include "trackers/TDCPointCopy.h"

#include "BView.h"
#include "container/TObjectContainer.h"
#include "model/TDShape.h"

bool ReplaceAtEnd(TObjectContainer& container, TMarbleObject* out, TMarbleObject* in) {
  BPosition pos = container.FindItem(out);
  if (pos == nullptr) return false;
  for (BPosition next = container.GetNextPosition(pos); next != nullptr; next = container.GetNextPosition(pos)) {
    container.SetItem(pos, container.GetItem(next));
    pos = next;
  }
  container.SetItem(pos, in);
  // A figure out of the container can no longer be the one under construction.
  if (container.fDrawing == out) container.Terminate();
  return true;
}

TDCPointCopy::~TDCPointCopy() {
  if (fOwnsTarget == 1) {
    delete fTarget;
  } else {
    delete fCopy;
  }
}

void TDCPointCopy::Deactivate() {
  fActive = 0;
  delete fCopy;
  fCopy = nullptr;
}

void TDCPointCopy::RedoIt() {
  if (fActive == 1) UndoIt();
}

void TDCPointCopy::Exchange(bool selectRestored) {
  if (fActive == 0 || fOwnsTarget == 0 || fContainer == nullptr) return;
  if (fView != nullptr) fView->Focus();
  if (ReplaceAtEnd(*fContainer, fCopy, fTarget)) {
    auto* restored = static_cast<TDShape*>(fTarget);
    restored->DrawAll();
    if (selectRestored) restored->SetSelect(1, 1, 0);
    fTarget = fCopy;
    fCopy = restored;
  }
  SketchRequestUpdate();
}
