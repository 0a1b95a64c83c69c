#pragma once
// Scaling of the selected figures about the selection's centre by a typed
// factor. Undo and redo exchange the document's figures with those from before.

#include "BCommand.h"
#include "model/TDFloatPoint.h"

class FigureSnapshot;
class BView;
class TObjectContainer;

class TDMScale final : public BCommand {
  DECLARE_DYNAMIC(TDMScale)

 public:
  TDMScale();
  TDMScale(const TDMScale&) = delete;
  TDMScale& operator=(const TDMScale&) = delete;
  ~TDMScale() override;

  void DoIt() override;
  void RedoIt() override;
  void UndoIt() override;

  virtual void IDMScale(TObjectContainer* container, BView* view, BDocument* document, double factor);

  TDFloatPoint fCenter;
  FigureSnapshot* fSnapshot = nullptr;  // owned, with the figures in it
  TObjectContainer* fContainer = nullptr;
  BView* fView = nullptr;
  double fFactor = 1.0;
};
