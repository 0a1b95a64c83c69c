#include "commands/CommandLists.h"

#include "container/TObjectContainer.h"
#include "trackers/FigureLists.h"

void TakeCommandSnapshot(TObjectContainer* container, BList*& snapshot) {
  if (container == nullptr) return;
  BList* taken = TakeSnapshot(*container);
  delete snapshot;
  snapshot = taken;
}

void SwapCommandSnapshot(TObjectContainer* container, BList* snapshot, BView* view) {
  if (container != nullptr && snapshot != nullptr) SwapSnapshot(*container, *snapshot, view);
}
