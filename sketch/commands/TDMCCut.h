#pragma once
// Edit > Cut: the selected figures leave the document for the module
// clipboard. Undo puts back the very figures that were cut, with their
// selection, and the clipboard's former contents; redo cuts again from there.

#include "BCommand.h"

class BList;
class BView;
class TObjectContainer;

class TDMCCut final : public BCommand {
  DECLARE_DYNAMIC(TDMCCut)

 public:
  TDMCCut() = default;
  TDMCCut(const TDMCCut&) = delete;
  TDMCCut& operator=(const TDMCCut&) = delete;
  ~TDMCCut() override;

  void DoIt() override;
  void RedoIt() override;
  void UndoIt() override;

  virtual void IDMCCut(TObjectContainer* container, BView* view, BDocument* document);

  TObjectContainer* fContainer = nullptr;
  // Undo and redo exchange the document's figures with fRemoved, so that the
  // figures later steps refer to stay the same objects.
  BList* fRemoved = nullptr;    // owned: the figures out of the document (before the cut while done)
  BList* fSavedClip = nullptr;  // owned: the clipboard's contents from before the cut
  BView* fView = nullptr;
  BList* fCut = nullptr;  // owned: what the cut put on the clipboard, kept while undone for redo

 private:
  // Exchanges the document's figures with fRemoved and the clipboard's with
  // copies of `onClipboard`, which stays for the next exchange; `kept` takes
  // what the clipboard held.
  void Exchange(const BList& onClipboard, BList*& kept);
};
