#include "commands/CommandLists.h"

#include "container/TObjectContainer.h"
#include "trackers/FigureLists.h"

void TakeCommandSnapshot(TObjectContainer* container, FigureSnapshot*& snapshot) {
  if (container == nullptr) return;
  FigureSnapshot* taken = TakeSnapshot(*container);
  delete snapshot;
  snapshot = taken;
}

void SwapCommandSnapshot(TObjectContainer* container, FigureSnapshot* snapshot, BView* view) {
  if (container != nullptr && snapshot != nullptr) SwapSnapshot(*container, *snapshot, view);
}
