#include "trackers/TDCClone.h"

#include "BList.h"
#include "OsAfx.h"
#include "container/TObjectContainer.h"
#include "model/TDShape.h"
#include "trackers/FigureLists.h"

IMPLEMENT_DYNAMIC(TDCClone, TDCBase)

void TDCClone::IDCClone(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point) {
  IGridMouse(view, point);
  IDCBase(kChangeClone, 1, container, view, document, point);
  if (fContainer == nullptr) {
    fActive = 0;
    return;
  }
  TakeSnapshot();
  // The copies of everything stay where they are, unselected; the duplicates
  // of what was selected go on top, selected, and are what the mouse moves.
  fContainer->SelectAll(0);
  const int count = fContainer->GetCount();
  for (BPosition pos = fSaved->GetHeadPosition(); pos != nullptr;) {
    CObject* item = fSaved->GetNext(pos);
    if (item == nullptr || !item->IsKindOf(RUNTIME_CLASS(TDShape))) continue;
    const auto* original = static_cast<const TDShape*>(item);
    if (original->fSelected == 0) continue;
    TDShape* duplicate = original->Clone();
    if (duplicate == nullptr || !fContainer->AddObject(duplicate)) {
      // Half a duplication would leave figures behind without a word: the
      // press is dropped instead, with the container's own figures back.
      delete duplicate;
      while (fContainer->GetCount() > count) fContainer->Delete(fContainer->GetTailPosition());
      PutInPlace(*fContainer, *fSaved);
      AfxThrowMemoryException();
    }
    duplicate->DrawAll();
    duplicate->SetSelect(1, 1, 0);
  }
  fContainer->SetBusy(1);
}

void TDCClone::DoIt() {
  if (fActive == 0 || fContainer == nullptr) return;
  fContainer->SetBusy(0);
  SketchRequestUpdate();
}
