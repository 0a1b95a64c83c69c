#pragma once
// Walking a list of figures in drawing order: the container's own list, the
// clipboard, and the lists that commands and trackers keep for undo. Entries
// that hold no figure are passed over.

#include "BList.h"
#include "model/TDShape.h"

inline TDShape* AsShape(CObject* item) {
  return item != nullptr && item->IsKindOf(RUNTIME_CLASS(TDShape)) ? static_cast<TDShape*>(item) : nullptr;
}

template <typename Fn>
void ForEachShape(const BList& list, Fn fn) {
  for (BPosition pos = list.GetHeadPosition(); pos != nullptr;) {
    if (TDShape* shape = AsShape(list.GetNext(pos))) fn(*shape);
  }
}

// The figures whose selection flag is set: what the transforms act on.
template <typename Fn>
void ForEachSelected(const BList& list, Fn fn) {
  ForEachShape(list, [&fn](TDShape& shape) {
    if (shape.fSelected != 0) fn(shape);
  });
}
