#include "trackers/TDCPointCopy.h"

#include "BView.h"
#include "container/TObjectContainer.h"
#include "model/TDShape.h"

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
  if (fContainer->ReplaceAtEnd(fCopy, fTarget)) {
    auto* restored = static_cast<TDShape*>(fTarget);
    restored->DrawAll();
    if (selectRestored) restored->SetSelect(1, 1, 0);
    fTarget = fCopy;
    fCopy = restored;
  }
  SketchRequestUpdate();
}
