#pragma once
// The lists the menu commands own: made as the class library makes objects, so
// that running out of memory raises its exception.

#include <new>

#include "BList.h"
#include "OsAfx.h"

inline BList* NewList() {
  BList* list = new (std::nothrow) BList;
  if (list == nullptr) AfxThrowMemoryException();
  return list;
}

class BView;
class TObjectContainer;

// The initialiser's snapshot of the figures from before the command; it takes
// the place of the empty list the constructor made.
void TakeCommandSnapshot(TObjectContainer* container, BList*& snapshot);
// Undo and redo of the commands that keep a snapshot.
void SwapCommandSnapshot(TObjectContainer* container, BList* snapshot, BView* view);
