#pragma once
// The lists the menu commands own: made as the class library makes objects, so
// that running out of memory raises its exception.

#include <new>

#include "BList.h"
#include "OsAfx.h"

template <class List = BList>
List* NewList() {
  List* list = new (std::nothrow) List;
  if (list == nullptr) AfxThrowMemoryException();
  return list;
}

class BView;
class FigureSnapshot;
class TObjectContainer;

// The initialiser's snapshot of the figures from before the command; it takes
// the place of the empty list the constructor made.
void TakeCommandSnapshot(TObjectContainer* container, FigureSnapshot*& snapshot);
// Undo and redo of the commands that keep a snapshot.
void SwapCommandSnapshot(TObjectContainer* container, FigureSnapshot* snapshot, BView* view);
