#pragma once
// Rotation of the selected figures about the selection's centre, by one of the
// menu's fixed angles or by a typed number of degrees (positive clockwise).
// Undo and redo exchange the document's figures with those from before.

#include <cstdint>

#include "BCommand.h"
#include "model/TDFloatPoint.h"

class FigureSnapshot;
class BView;
class TObjectContainer;

class TDMRotate final : public BCommand {
  DECLARE_DYNAMIC(TDMRotate)

 public:
  TDMRotate();
  TDMRotate(const TDMRotate&) = delete;
  TDMRotate& operator=(const TDMRotate&) = delete;
  ~TDMRotate() override;

  void DoIt() override;
  void RedoIt() override;
  void UndoIt() override;

  virtual void IDMRotate(TObjectContainer* container, BView* view, BDocument* document, int command, int degrees);

  // The sine and cosine a rotation command turns by. The fixed angles and the
  // typed quarter turns are exact; any other typed angle goes through 3.14159.
  static void SineCosine(int command, int degrees, double& sine, double& cosine);

  TDFloatPoint fCenter;
  std::int32_t fCommand = 0;            // the menu command that chose the angle, ID_ROTATE_180 to ID_ROTATE_NUMERIC
  FigureSnapshot* fSnapshot = nullptr;  // owned, with the figures in it
  TObjectContainer* fContainer = nullptr;
  BView* fView = nullptr;
  std::int32_t fDegrees = 0;
};
