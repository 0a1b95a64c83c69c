#pragma once
// Edit > Paste: copies of the clipboard's figures join the document, 5 image
// units right and down of where they were copied, and become the selection.
// Undo and redo exchange the document's figures with those from before.

#include <cstdint>

#include "BCommand.h"

class FigureSnapshot;
class BView;
class TObjectContainer;

class TDMCPaste final : public BCommand {
  DECLARE_DYNAMIC(TDMCPaste)

 public:
  TDMCPaste() = default;
  TDMCPaste(const TDMCPaste&) = delete;
  TDMCPaste& operator=(const TDMCPaste&) = delete;
  ~TDMCPaste() override;

  void DoIt() override;
  void RedoIt() override;
  void UndoIt() override;

  virtual void IDMCPaste(TObjectContainer* container, BView* view, BDocument* document);

  TObjectContainer* fContainer = nullptr;
  BView* fView = nullptr;
  std::int32_t fOffsetX = 0;
  std::int32_t fOffsetY = 0;
  FigureSnapshot* fSnapshot = nullptr;  // owned, with the figures in it
};
