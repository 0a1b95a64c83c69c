#pragma once
// Room at the end of the figure list, made before a figure operation touches
// the document. Taking a figure out cannot fail but giving one an entry can, so
// the entries come first: once they exist, swapping figures in and out has no
// step left that can fail, and running out of memory leaves the document as it
// was.

#include "OsAfx.h"
#include "container/TObjectContainer.h"

class TailEntries {
 public:
  // count empty entries at the tail, or none and the memory exception.
  TailEntries(TObjectContainer& container, int count) : fContainer(container) {
    for (int made = 0; made < count; ++made) {
      if (!fContainer.AddObject(nullptr)) {
        for (; made > 0; --made) fContainer.Delete(fContainer.GetTailPosition());
        AfxThrowMemoryException();
      }
      if (fNext == nullptr) fNext = fContainer.GetTailPosition();
    }
  }
  TailEntries(const TailEntries&) = delete;
  TailEntries& operator=(const TailEntries&) = delete;
  // Entries left empty would be holes in the drawing order.
  ~TailEntries() {
    while (fNext != nullptr) {
      const BPosition empty = fNext;
      fNext = fContainer.GetNextPosition(fNext);
      fContainer.Delete(empty);
    }
  }

  // Puts the figure into the next entry, in the order the entries were made.
  void Fill(TMarbleObject* figure) {
    fContainer.SetItem(fNext, figure);
    fNext = fContainer.GetNextPosition(fNext);
  }

 private:
  TObjectContainer& fContainer;
  BPosition fNext = nullptr;
};
