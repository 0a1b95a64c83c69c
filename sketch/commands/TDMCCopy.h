#pragma once
// Edit > Copy: copies of the selected figures replace what the module
// clipboard holds. Undo and redo exchange the clipboard with what it held
// before; the document is not touched.

#include "BCommand.h"

class BList;
class TObjectContainer;

class TDMCCopy final : public BCommand {
  DECLARE_DYNAMIC(TDMCCopy)

 public:
  TDMCCopy() = default;
  TDMCCopy(const TDMCCopy&) = delete;
  TDMCCopy& operator=(const TDMCCopy&) = delete;
  ~TDMCCopy() override;

  void DoIt() override;
  void RedoIt() override;
  void UndoIt() override;

  virtual void IDMCCopy(TObjectContainer* container, BDocument* document);

  TObjectContainer* fContainer = nullptr;
  BList* fSavedClip = nullptr;  // owned, with the figures in it
};
