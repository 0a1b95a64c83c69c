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
  static constexpr int kNumber = 57635;

  TDMCCut() = default;
  TDMCCut(const TDMCCut&) = delete;
  TDMCCut& operator=(const TDMCCut&) = delete;
  ~TDMCCut() override;

  void DoIt() override;
  void RedoIt() override;
  void UndoIt() override;

  virtual void IDMCCut(TObjectContainer* container, BView* view, BDocument* document);

  TObjectContainer* fContainer = nullptr;
  BList* fRemoved = nullptr;    // owned: every figure from before the cut, until undo
  BList* fSavedClip = nullptr;  // owned: the clipboard's contents from before the cut
  BView* fView = nullptr;
};
