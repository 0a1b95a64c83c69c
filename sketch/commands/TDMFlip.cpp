#include "commands/TDMFlip.h"

#include "BList.h"
#include "BView.h"
#include "commands/CommandLists.h"
#include "container/ShapeWalk.h"
#include "container/TObjectContainer.h"
#include "module/SketchChanges.h"
#include "trackers/FigureLists.h"
#include "trackers/TDCBase.h"

IMPLEMENT_DYNAMIC(TDMHFlip, BCommand)
IMPLEMENT_DYNAMIC(TDMVFlip, BCommand)

namespace {

enum class Axis { kX, kY };

// Each point goes to the other side of the middle of the selection's bounds,
// whose right and bottom edges lie outside: x becomes L + R - 1 - x.
void Mirror(TObjectContainer* container, BView* view, Axis axis) {
  if (container == nullptr) return;
  const OsImgRect& area = container->fActArea;
  const double sum = axis == Axis::kX ? static_cast<double>(area.left) + area.right - 1
                                      : static_cast<double>(area.top) + area.bottom - 1;
  if (view != nullptr) view->Focus();
  ForEachSelected(*container, [&](TDShape& shape) {
    shape.ForEachPoint([&](TDFloatPoint& p) {
      float& v = axis == Axis::kX ? p.x : p.y;
      v = Narrow(sum - v);
    });
  });
  container->ActiveDraw();
  SketchRequestUpdate();
}

}  // namespace

TDMHFlip::TDMHFlip() : fSnapshot(NewList<FigureSnapshot>()) {}
TDMHFlip::~TDMHFlip() { delete fSnapshot; }

void TDMHFlip::IDMHFlip(TObjectContainer* container, BView* view, BDocument* document) {
  ICommand(kChangeMirrorHorizontal, document, 1, 1, document);
  fContainer = container;
  fView = view;
  if (fContainer != nullptr) fContainer->CalcActArea();
  TakeCommandSnapshot(fContainer, fSnapshot);
}

void TDMHFlip::DoIt() { Mirror(fContainer, fView, Axis::kX); }
void TDMHFlip::UndoIt() { SwapCommandSnapshot(fContainer, fSnapshot, fView); }
void TDMHFlip::RedoIt() { UndoIt(); }

TDMVFlip::TDMVFlip() : fSnapshot(NewList<FigureSnapshot>()) {}
TDMVFlip::~TDMVFlip() { delete fSnapshot; }

void TDMVFlip::IDMVFlip(TObjectContainer* container, BView* view, BDocument* document) {
  ICommand(kChangeMirrorVertical, document, 1, 1, document);
  fContainer = container;
  fView = view;
  if (fContainer != nullptr) fContainer->CalcActArea();
  TakeCommandSnapshot(fContainer, fSnapshot);
}

void TDMVFlip::DoIt() { Mirror(fContainer, fView, Axis::kY); }
void TDMVFlip::UndoIt() { SwapCommandSnapshot(fContainer, fSnapshot, fView); }
void TDMVFlip::RedoIt() { UndoIt(); }
