#include "commands/TDMCPaste.h"

#include <memory>
#include <optional>

#include "BList.h"
#include "BView.h"
#include "commands/CommandLists.h"
#include "container/ShapeWalk.h"
#include "container/TObjectContainer.h"
#include "module/SketchChanges.h"
#include "trackers/FigureLists.h"
#include "trackers/TDCBase.h"
#include "trackers/TailEntries.h"

IMPLEMENT_DYNAMIC(TDMCPaste, BCommand)

TDMCPaste::~TDMCPaste() { delete fSnapshot; }

void TDMCPaste::IDMCPaste(TObjectContainer* container, BView* view, BDocument* document) {
  ICommand(kChangePaste, document, 1, 1, document);
  fContainer = container;
  fView = view;
  fOffsetX = 5;
  fOffsetY = 5;
  TakeCommandSnapshot(fContainer, fSnapshot);
}

void TDMCPaste::DoIt() {
  const BList* clip = TObjectContainer::fClipContainer;
  if (clip == nullptr || clip->GetCount() == 0 || fContainer == nullptr) return;
  // Copies and entries first, so that running out of memory pastes nothing;
  // the figures the snapshot holds go back in place of their copies then,
  // since the host drops the command with its snapshot.
  std::unique_ptr<BList> pasted;
  std::optional<TailEntries> entries;
  try {
    pasted.reset(NewList());
    AppendCopies(*clip, *pasted, Figures::kAll);
    entries.emplace(*fContainer, pasted->GetCount());
  } catch (const CMemoryException&) {
    if (fSnapshot != nullptr) PutInPlace(*fContainer, *fSnapshot);
    throw;
  }
  fContainer->SelectAll(0);
  for (BPosition pos = pasted->GetHeadPosition(); pos != nullptr; pos = pasted->GetNextPosition(pos)) {
    TDShape* shape = AsShape(pasted->GetItem(pos));
    pasted->SetItem(pos, nullptr);
    shape->AttachContainer(fContainer);
    shape->Move(fOffsetX, fOffsetY);
    entries->Fill(shape);
    shape->DrawAll();
  }
  SketchRequestUpdate();
}

void TDMCPaste::UndoIt() { SwapCommandSnapshot(fContainer, fSnapshot, fView); }

void TDMCPaste::RedoIt() { UndoIt(); }
