#include "commands/TDMCCut.h"

#include <memory>

#include "BList.h"
#include "BView.h"
#include "commands/CommandLists.h"
#include "container/ShapeWalk.h"
#include "container/TObjectContainer.h"
#include "module/SketchChanges.h"
#include "raster/SketchRaster.h"
#include "trackers/FigureLists.h"
#include "trackers/TDCBase.h"

IMPLEMENT_DYNAMIC(TDMCCut, BCommand)

TDMCCut::~TDMCCut() {
  delete fRemoved;
  delete fSavedClip;
  delete fCut;
}

void TDMCCut::IDMCCut(TObjectContainer* container, BView* view, BDocument* document) {
  ICommand(kChangeCut, document, 1, 1, document);
  fContainer = container;
  fView = view;
  fRemoved = NewList();
  fSavedClip = NewList();
}

void TDMCCut::DoIt() {
  BList* clip = TObjectContainer::fClipContainer;
  if (clip == nullptr || fContainer == nullptr || fRemoved == nullptr || fSavedClip == nullptr) return;
  // Every copy and entry first: either the whole cut happens or nothing does.
  std::unique_ptr<BList> kept(NewList());
  std::unique_ptr<BList> cut(NewList());
  AppendCopies(*fContainer, *kept, Figures::kUnselected);
  AppendCopies(*fContainer, *cut, Figures::kSelected);
  if (!ExchangeItems({{fContainer, kept.get()}, {clip, cut.get()}})) AfxThrowMemoryException();
  // kept now holds the figures from before the cut, cut the clipboard's old
  // contents. A list left from an earlier undo goes, with what it still holds.
  delete fRemoved;
  fRemoved = kept.release();
  delete fSavedClip;
  fSavedClip = cut.release();
  fContainer->Terminate();
  SketchMarkDirty();
  SketchRequestUpdate();
}

void TDMCCut::Exchange(const BList& onClipboard, BList*& kept) {
  std::unique_ptr<BList> copies(NewList());
  AppendCopies(onClipboard, *copies, Figures::kAll);
  if (!ExchangeItems({{fContainer, fRemoved}, {TObjectContainer::fClipContainer, copies.get()}})) {
    AfxThrowMemoryException();
  }
  delete kept;
  kept = copies.release();
}

void TDMCCut::RedoIt() {
  BList* clip = TObjectContainer::fClipContainer;
  if (clip == nullptr || fContainer == nullptr || fRemoved == nullptr || fSavedClip == nullptr || fCut == nullptr)
    return;
  if (fView != nullptr) fView->Focus();
  // The same figures go back as the cut left them, whatever is selected now;
  // the clipboard gets copies of what the cut put there.
  Exchange(*fCut, fSavedClip);
  fContainer->Terminate();
  SketchMarkDirty();
  SketchRequestUpdate();
}

void TDMCCut::UndoIt() {
  BList* clip = TObjectContainer::fClipContainer;
  if (clip == nullptr || fContainer == nullptr || fRemoved == nullptr || fSavedClip == nullptr) return;
  if (fView != nullptr) fView->Focus();
  // The clipboard gets copies: the saved figures stay for the next undo. What
  // the cut had left in the document stays in fRemoved and what it had put on
  // the clipboard in fCut, both for redo.
  Exchange(*fSavedClip, fCut);
  ForEachShape(*fContainer, [](TDShape& shape) {
    shape.DrawAll();
    if (shape.fSelected == 1) shape.SetSelect(1, 1, 0);
  });
  SketchMarkDirty();
  SketchRequestUpdate();
}
