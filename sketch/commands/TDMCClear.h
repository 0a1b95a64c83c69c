#pragma once
// Edit > Delete: the selected figures leave the document; the clipboard is not
// touched. Undo and redo exchange the document's figures with those from
// before, so that undo puts back the very figures that were deleted, with
// their selection.

#include "BCommand.h"

class FigureSnapshot;
class BView;
class TObjectContainer;

class TDMCClear final : public BCommand {
  DECLARE_DYNAMIC(TDMCClear)

 public:
  TDMCClear() = default;
  TDMCClear(const TDMCClear&) = delete;
  TDMCClear& operator=(const TDMCClear&) = delete;
  ~TDMCClear() override;

  void DoIt() override;
  void RedoIt() override;
  void UndoIt() override;

  virtual void IDMCClear(TObjectContainer* container, BView* view, BDocument* document);

  TObjectContainer* fContainer = nullptr;
  BView* fView = nullptr;
  FigureSnapshot* fSnapshot = nullptr;  // owned, with the figures in it
};
