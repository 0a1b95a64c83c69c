#pragma once
// The mirror commands: the selected figures flipped left to right (TDMHFlip)
// or top to bottom (TDMVFlip) within the bounds of the selection. Undo and redo
// exchange the document's figures with those from before.

#include "BCommand.h"

class FigureSnapshot;
class BView;
class TObjectContainer;

class TDMHFlip final : public BCommand {
  DECLARE_DYNAMIC(TDMHFlip)

 public:
  TDMHFlip();
  TDMHFlip(const TDMHFlip&) = delete;
  TDMHFlip& operator=(const TDMHFlip&) = delete;
  ~TDMHFlip() override;

  void DoIt() override;
  void RedoIt() override;
  void UndoIt() override;

  virtual void IDMHFlip(TObjectContainer* container, BView* view, BDocument* document);

  FigureSnapshot* fSnapshot = nullptr;  // owned, with the figures in it
  TObjectContainer* fContainer = nullptr;
  BView* fView = nullptr;
};

class TDMVFlip final : public BCommand {
  DECLARE_DYNAMIC(TDMVFlip)

 public:
  TDMVFlip();
  TDMVFlip(const TDMVFlip&) = delete;
  TDMVFlip& operator=(const TDMVFlip&) = delete;
  ~TDMVFlip() override;

  void DoIt() override;
  void RedoIt() override;
  void UndoIt() override;

  virtual void IDMVFlip(TObjectContainer* container, BView* view, BDocument* document);

  FigureSnapshot* fSnapshot = nullptr;  // owned, with the figures in it
  TObjectContainer* fContainer = nullptr;
  BView* fView = nullptr;
};
