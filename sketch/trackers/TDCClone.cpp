#include "trackers/TDCClone.h"

#include "BList.h"
#include "container/TObjectContainer.h"
#include "model/TDShape.h"

IMPLEMENT_DYNAMIC(TDCClone, TDCBase)

void TDCClone::IDCClone(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point) {
  IGridMouse(view, point);
  IDCBase(kClone, 1, container, view, document, point);
  if (fContainer == nullptr) {
    fActive = 0;
    return;
  }
  TakeSnapshot();
  // The copies of everything stay where they are, unselected; the duplicates
  // of what was selected go on top, selected, and are what the mouse moves.
  fContainer->SelectAll(0);
  for (BPosition pos = fSaved->GetHeadPosition(); pos != nullptr;) {
    CObject* item = fSaved->GetNext(pos);
    if (item == nullptr || !item->IsKindOf(RUNTIME_CLASS(TDShape))) continue;
    const auto* original = static_cast<const TDShape*>(item);
    if (original->fSelected == 0) continue;
    // As when copying the selection, a figure that cannot be duplicated is left out.
    TDShape* duplicate = original->Clone();
    if (duplicate == nullptr) continue;
    duplicate->DrawAll();
    duplicate->SetSelect(1, 1, 0);
    if (!fContainer->AddObject(duplicate)) delete duplicate;
  }
  fContainer->SetBusy(1);
}

void TDCClone::DoIt() {
  if (fActive == 0 || fContainer == nullptr) return;
  fContainer->SetBusy(0);
  SketchRequestUpdate();
}
