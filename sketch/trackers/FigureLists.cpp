#include "trackers/FigureLists.h"

#include <new>

#include "BList.h"
#include "BView.h"
#include "OsAfx.h"
#include "container/TObjectContainer.h"
#include "model/TDShape.h"
#include "trackers/TDCBase.h"

namespace {

// Drops the tail entry without destroying what it holds.
void ForgetTail(BList& list) {
  const BPosition tail = list.GetTailPosition();
  list.SetItem(tail, nullptr);
  list.Delete(tail);
}

}  // namespace

bool ExchangeItems(BList& a, BList& b) {
  BList& longer = a.GetCount() >= b.GetCount() ? a : b;
  BList& shorter = &longer == &a ? b : a;
  const int common = shorter.GetCount();
  // Entries are reused, so only the difference in length needs new ones.
  int added = 0;
  for (BPosition pos = longer.GetHandleFromIndex(common + 1); pos != nullptr; pos = longer.GetNextPosition(pos)) {
    if (shorter.AddTail(longer.GetItem(pos)) == nullptr) {
      for (; added > 0; --added) ForgetTail(shorter);
      return false;
    }
    ++added;
  }
  BPosition p = a.GetHeadPosition(), q = b.GetHeadPosition();
  for (int i = 0; i < common; ++i) {
    CObject* kept = a.GetItem(p);
    a.SetItem(p, b.GetItem(q));
    b.SetItem(q, kept);
    p = a.GetNextPosition(p);
    q = b.GetNextPosition(q);
  }
  // The longer list's tail now lives in the other one as well.
  while (longer.GetCount() > common) ForgetTail(longer);
  return true;
}

BList* CopyFigures(const TObjectContainer& container) {
  auto* copies = new (std::nothrow) BList;
  if (copies == nullptr) AfxThrowMemoryException();
  for (BPosition pos = container.GetHeadPosition(); pos != nullptr;) {
    CObject* item = container.GetNext(pos);
    CObject* copy = item != nullptr && item->IsKindOf(RUNTIME_CLASS(TDShape)) ? static_cast<TDShape*>(item)->Clone()
                                                                             : nullptr;
    if (copy == nullptr || copies->AddTail(copy) == nullptr) {
      delete copy;
      delete copies;  // with the copies made so far
      AfxThrowMemoryException();
    }
  }
  return copies;
}

void PutInPlace(TObjectContainer& container, BList& copies) {
  BPosition copy = copies.GetHeadPosition();
  for (BPosition pos = container.GetHeadPosition(); pos != nullptr && copy != nullptr;
       pos = container.GetNextPosition(pos), copy = copies.GetNextPosition(copy)) {
    CObject* original = container.GetItem(pos);
    container.SetItem(pos, copies.GetItem(copy));
    copies.SetItem(copy, original);
  }
}

BList* TakeSnapshot(TObjectContainer& container) {
  BList* figures = CopyFigures(container);
  PutInPlace(container, *figures);
  return figures;
}

void SwapSnapshot(TObjectContainer& container, BList& snapshot, BView* view) {
  if (view != nullptr) view->Focus();
  if (!ExchangeItems(container, snapshot)) AfxThrowMemoryException();
  for (BPosition pos = container.GetHeadPosition(); pos != nullptr;) {
    CObject* item = container.GetNext(pos);
    if (item != nullptr && item->IsKindOf(RUNTIME_CLASS(TDShape))) static_cast<TDShape*>(item)->DrawAll();
  }
  SketchRequestUpdate();
}

void CopySelection(const TDShape& from, TDShape& to) {
  to.fSelected = from.fSelected;
  BPosition q = to.fUnits.GetHeadPosition();
  for (BPosition p = from.fUnits.GetHeadPosition(); p != nullptr && q != nullptr;
       p = from.fUnits.GetNextPosition(p), q = to.fUnits.GetNextPosition(q)) {
    const auto* source = static_cast<const TDUnit*>(from.fUnits.GetItem(p));
    auto* target = static_cast<TDUnit*>(to.fUnits.GetItem(q));
    target->fState = source->fState;
    target->fSelected = source->fSelected;
  }
}
