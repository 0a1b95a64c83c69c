#include "BView.h"
#include "container/TObjectContainer.h"
#include "model/TDShape.h"
#include "trackers/TDCDragBase.h"

IMPLEMENT_DYNAMIC(TDCDCommand, TDCBase)

void TDCDCommand::IDCDCommand(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point) {
  IDCBase(kChangeMovePoint, 1, container, view, document, point);
}

void TDCDCommand::FocusView() const {
  if (fView != nullptr) fView->Focus();
}

void TDCDCommand::Report(const OsImgPoint& anchor, const OsImgPoint& next) const {
  ReportPoint(next, &anchor);
  FocusView();
}

void TDCDCommand::PickAlone(TDShape& shape, TDUnit* unit, int state) const {
  if (fContainer != nullptr) fContainer->SelectAll(0);
  shape.SetSelect(1, 1, 0);
  shape.SetUnitState(TDUnit::kOutline, nullptr);
  if (unit != nullptr) shape.SetUnitState(state, unit);
}
