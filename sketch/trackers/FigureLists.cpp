#include "trackers/FigureLists.h"

#include <algorithm>
#include <memory>
#include <new>

#include "BList.h"
#include "BView.h"
#include "OsAfx.h"
#include "container/ShapeWalk.h"
#include "container/TObjectContainer.h"
#include "model/TDShape.h"
#include "trackers/TDCBase.h"

namespace {

// Drops the tail entry, which holds nothing.
void ForgetTail(BList& list) { list.Delete(list.GetTailPosition()); }

// Empty entries that make the shorter list as long as the other, so that the
// exchange itself cannot fail. False, with none added, when memory runs out.
bool Pad(BList& a, BList& b, int& added) {
  BList& shorter = a.GetCount() < b.GetCount() ? a : b;
  const int target = std::max(a.GetCount(), b.GetCount());
  for (added = 0; shorter.GetCount() < target; ++added) {
    if (shorter.AddTail(nullptr) == nullptr) {
      for (; added > 0; --added) ForgetTail(shorter);
      return false;
    }
  }
  return true;
}

// Lists of figures hold no empty entries but those Pad made.
void TrimEmptyTail(BList& list) {
  while (list.GetTailPosition() != nullptr && list.GetItem(list.GetTailPosition()) == nullptr) ForgetTail(list);
}

}  // namespace

int IndexOf(const BList& list, const CObject* item) {
  return item != nullptr ? list.GetIndexFromHandle(list.FindItem(item)) : 0;
}

bool ExchangeItems(std::initializer_list<std::pair<BList*, BList*>> pairs) {
  int done = 0;
  for (const auto& [a, b] : pairs) {
    int added = 0;
    if (!Pad(*a, *b, added)) {
      for (const auto& [c, d] : pairs) {
        if (done-- == 0) break;
        TrimEmptyTail(*c);
        TrimEmptyTail(*d);
      }
      return false;
    }
    ++done;
  }
  for (const auto& [a, b] : pairs) {
    for (BPosition p = a->GetHeadPosition(), q = b->GetHeadPosition(); p != nullptr;
         p = a->GetNextPosition(p), q = b->GetNextPosition(q)) {
      CObject* kept = a->GetItem(p);
      a->SetItem(p, b->GetItem(q));
      b->SetItem(q, kept);
    }
    TrimEmptyTail(*a);
    TrimEmptyTail(*b);
  }
  return true;
}

bool ExchangeItems(BList& a, BList& b) { return ExchangeItems({{&a, &b}}); }

void AppendCopies(const BList& from, BList& into, Figures which) {
  const int before = into.GetCount();
  for (BPosition pos = from.GetHeadPosition(); pos != nullptr;) {
    const TDShape* shape = AsShape(from.GetNext(pos));
    if (shape == nullptr || (which == Figures::kSelected && shape->fSelected == 0) ||
        (which == Figures::kUnselected && shape->fSelected != 0)) {
      continue;
    }
    std::unique_ptr<TDShape> copy(shape->Clone());
    if (copy == nullptr || into.AddTail(copy.get()) == nullptr) {
      while (into.GetCount() > before) into.Delete(into.GetTailPosition());
      AfxThrowMemoryException();
    }
    copy.release();
  }
}

FigureSnapshot* CopyFigures(const TObjectContainer& container) {
  std::unique_ptr<FigureSnapshot> copies(new (std::nothrow) FigureSnapshot);
  if (copies == nullptr) AfxThrowMemoryException();
  AppendCopies(container, *copies, Figures::kAll);
  copies->fDrawing = IndexOf(container, container.fDrawing);
  return copies.release();
}

void PutInPlace(TObjectContainer& container, BList& copies) {
  BPosition copy = copies.GetHeadPosition();
  for (BPosition pos = container.GetHeadPosition(); pos != nullptr && copy != nullptr;
       pos = container.GetNextPosition(pos), copy = copies.GetNextPosition(copy)) {
    CObject* original = container.GetItem(pos);
    container.SetItem(pos, copies.GetItem(copy));
    copies.SetItem(copy, original);
    if (container.fDrawing == original) container.fDrawing = AsShape(container.GetItem(pos));
  }
}

FigureSnapshot* TakeSnapshot(TObjectContainer& container) {
  FigureSnapshot* figures = CopyFigures(container);
  PutInPlace(container, *figures);
  return figures;
}

void SwapSnapshot(TObjectContainer& container, FigureSnapshot& snapshot, BView* view) {
  if (view != nullptr) view->Focus();
  // The figure under construction is never one out of the container, which the
  // history may destroy. It goes on only if none was finished since the swap
  // that took the incoming figures out.
  const int outgoing = IndexOf(container, container.fDrawing);
  if (!ExchangeItems(container, snapshot)) AfxThrowMemoryException();
  container.fDrawing =
      outgoing != 0 && snapshot.fDrawing != 0 ? AsShape(container.GetItemFromIndex(snapshot.fDrawing)) : nullptr;
  snapshot.fDrawing = outgoing;
  ForEachShape(container, [](TDShape& shape) { shape.DrawAll(); });
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
