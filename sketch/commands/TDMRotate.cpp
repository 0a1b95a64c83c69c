#include "commands/TDMRotate.h"

#include <cmath>

#include "BList.h"
#include "BView.h"
#include "commands/CommandLists.h"
#include "container/ShapeWalk.h"
#include "container/TObjectContainer.h"
#include "module/SketchChanges.h"
#include "resources/SketchResources.h"
#include "trackers/FigureLists.h"
#include "trackers/TDCBase.h"

IMPLEMENT_DYNAMIC(TDMRotate, BCommand)

TDMRotate::TDMRotate() : fSnapshot(NewList<FigureSnapshot>()) {}
TDMRotate::~TDMRotate() { delete fSnapshot; }

void TDMRotate::IDMRotate(TObjectContainer* container, BView* view, BDocument* document, int command, int degrees) {
  ICommand(kChangeRotate, document, 1, 1, document);
  fContainer = container;
  fView = view;
  fCommand = command;
  fDegrees = degrees;
  if (fContainer != nullptr) fCenter = fContainer->fCenter;
  TakeCommandSnapshot(fContainer, fSnapshot);
}

void TDMRotate::SineCosine(int command, int degrees, double& sine, double& cosine) {
  sine = 0.0;
  cosine = 0.0;
  switch (command) {
    case ID_ROTATE_180: cosine = -1.0; return;
    case ID_ROTATE_CLOCKWISE: sine = -1.0; return;
    case ID_ROTATE_COUNTERCLOCKWISE: sine = 1.0; return;
    default: break;
  }
  if (degrees == 90 || degrees == -270) {
    sine = -1.0;
  } else if (degrees == -90 || degrees == 270) {
    sine = 1.0;
  } else {
    const double theta = (2.0 - degrees * 0.005555555555555556) * 3.14159;
    sine = std::sin(theta);
    cosine = std::cos(theta);
  }
}

void TDMRotate::DoIt() {
  if (fContainer == nullptr) return;
  if (fView != nullptr) fView->Focus();
  double sine = 0.0, cosine = 0.0;
  SineCosine(fCommand, fDegrees, sine, cosine);
  ForEachSelected(*fContainer, [&](TDShape& shape) { shape.Rotate(sine, cosine, fCenter.x, fCenter.y); });
  fContainer->ActiveDraw();
  SketchRequestUpdate();
}

void TDMRotate::UndoIt() { SwapCommandSnapshot(fContainer, fSnapshot, fView); }
void TDMRotate::RedoIt() { UndoIt(); }
