#include "commands/TDMCCopy.h"

#include "BList.h"
#include "commands/CommandLists.h"
#include "container/TObjectContainer.h"
#include "module/SketchChanges.h"
#include "trackers/FigureLists.h"
#include "trackers/TDCBase.h"

IMPLEMENT_DYNAMIC(TDMCCopy, BCommand)

TDMCCopy::~TDMCCopy() { delete fSavedClip; }

void TDMCCopy::IDMCCopy(TObjectContainer* container, BDocument* document) {
  ICommand(kChangeCopy, document, 1, 1, document);
  fContainer = container;
  fSavedClip = NewList();
}

void TDMCCopy::DoIt() {
  BList* clip = TObjectContainer::fClipContainer;
  if (clip == nullptr || fContainer == nullptr || fSavedClip == nullptr) return;
  // The copies are made before the clipboard changes, so that running out of
  // memory leaves it as it was.
  AppendCopies(*fContainer, *fSavedClip, Figures::kSelected);
  if (!ExchangeItems(*clip, *fSavedClip)) {
    fSavedClip->DeleteAll();
    AfxThrowMemoryException();
  }
  fContainer->Terminate();
  SketchRequestUpdate();
}

void TDMCCopy::UndoIt() {
  BList* clip = TObjectContainer::fClipContainer;
  if (clip == nullptr || fSavedClip == nullptr) return;
  if (!ExchangeItems(*clip, *fSavedClip)) AfxThrowMemoryException();
  SketchRequestUpdate();
}

void TDMCCopy::RedoIt() { UndoIt(); }
