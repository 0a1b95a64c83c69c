#include "commands/TDMScale.h"

#include "BList.h"
#include "BView.h"
#include "commands/CommandLists.h"
#include "container/ShapeWalk.h"
#include "container/TObjectContainer.h"
#include "module/SketchChanges.h"
#include "trackers/FigureLists.h"
#include "trackers/TDCBase.h"

IMPLEMENT_DYNAMIC(TDMScale, BCommand)

TDMScale::TDMScale() : fSnapshot(NewList<FigureSnapshot>()) {}
TDMScale::~TDMScale() { delete fSnapshot; }

void TDMScale::IDMScale(TObjectContainer* container, BView* view, BDocument* document, double factor) {
  ICommand(kChangeScale, document, 1, 1, document);
  fContainer = container;
  fView = view;
  fFactor = factor;
  if (fContainer != nullptr) fCenter = fContainer->fCenter;
  TakeCommandSnapshot(fContainer, fSnapshot);
}

void TDMScale::DoIt() {
  if (fContainer == nullptr) return;
  if (fView != nullptr) fView->Focus();
  ForEachSelected(*fContainer, [&](TDShape& shape) { shape.Scale(fFactor, fCenter.x, fCenter.y); });
  fContainer->ActiveDraw();
  SketchRequestUpdate();
}

void TDMScale::UndoIt() { SwapCommandSnapshot(fContainer, fSnapshot, fView); }
void TDMScale::RedoIt() { UndoIt(); }
