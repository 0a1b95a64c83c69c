#include "commands/TDMCClear.h"

#include "commands/CommandLists.h"
#include "container/TObjectContainer.h"
#include "module/SketchChanges.h"
#include "raster/SketchRaster.h"
#include "trackers/FigureLists.h"
#include "trackers/TDCBase.h"

IMPLEMENT_DYNAMIC(TDMCClear, BCommand)

TDMCClear::~TDMCClear() { delete fSnapshot; }

void TDMCClear::IDMCClear(TObjectContainer* container, BView* view, BDocument* document) {
  ICommand(kChangeClear, document, 1, 1, document);
  fContainer = container;
  fView = view;
  TakeCommandSnapshot(fContainer, fSnapshot);
}

void TDMCClear::DoIt() {
  // A snapshot is taken only of a container. The container holds copies since
  // then: deleting them needs no memory, and the figures themselves wait in the
  // snapshot for undo.
  if (fSnapshot == nullptr) return;
  fContainer->DeleteSelected(nullptr);
  // Nothing is drawn for a deletion, and the view repaints only a sketch that
  // is marked: without the mark the deleted figures would stay on the screen.
  SketchMarkDirty();
  SketchRequestUpdate();
}

void TDMCClear::UndoIt() { SwapCommandSnapshot(fContainer, fSnapshot, fView); }

void TDMCClear::RedoIt() { UndoIt(); }
