#include "trackers/TDCDirect.h"

#include <new>

#include "BView.h"
#include "OsWindows.h"
#include "model/TDCheck.h"
#include "module/ModuleGlobals.h"
#include "trackers/TDCDAncer.h"
#include "trackers/TDCDDrec.h"
#include "trackers/TDCDLine.h"
#include "trackers/TDCEAncer.h"
#include "trackers/TDCEDrec.h"

IMPLEMENT_DYNAMIC(TDCDirect, TDCBase)
IMPLEMENT_DYNAMIC(TDCEdit, TDCBase)

namespace {
bool ShiftDown() { return (GetKeyState(VK_SHIFT) & 0x8000) != 0; }
}  // namespace

// ---------------------------------------------------------------------------
// What both dispatchers share.

TDCPointDispatch::~TDCPointDispatch() { delete fSub; }

template <typename T>
void TDCPointDispatch::StartSub(void (T::*init)(TObjectContainer*, BView*, BDocument*, OsImgPoint&, TDCheck*),
                                TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
                                TDCheck* check) {
  T* sub = new (std::nothrow) T;
  if (sub == nullptr) AfxThrowMemoryException();
  // Owned from here, so that an initialiser that runs out of memory leaves
  // nothing behind.
  fSub = sub;
  (sub->*init)(container, view, document, point, check);
}

void TDCPointDispatch::TrackFeedback(int phase, const OsImgPoint& anchor, const OsImgPoint& previous,
                                     const OsImgPoint& next, int moved, int show) {
  if (fActive == 0 || fSub == nullptr) return;
  fSub->TrackFeedback(phase, anchor, previous, next, moved, show);
  if (phase == kTrackBegin || (phase == kTrackContinue && moved != 0 && show != 0)) {
    ReportPoint(next, &anchor);
    if (fView != nullptr) fView->Focus();
  }
  SketchRequestUpdate();
}

void TDCPointDispatch::DoIt() {
  const PressGuard guard(*this);
  if (BHostServices* readout = SketchInterface().fHostServices) readout->ReportSize(nullptr);
  if (fActive == 1 && fSub != nullptr) fSub->DoIt();
  SketchRequestUpdate();
}

void TDCPointDispatch::RedoIt() {
  if (fActive == 1 && fSub != nullptr) fSub->RedoIt();
  SketchRequestUpdate();
}

void TDCPointDispatch::UndoIt() {
  if (fActive == 1 && fSub != nullptr) fSub->UndoIt();
  SketchRequestUpdate();
}

// ---------------------------------------------------------------------------
// White arrow.

void TDCDirect::IDCDirect(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
                          TDCheck* check) {
  if (check == nullptr) return;
  IGridMouse(view, point);
  IDCBase(kChangeMovePoint, 1, container, view, document, point);
  switch (check->fResult) {
    case TDCheck::kSegment: StartSub(&TDCDLine::IDCDLine, container, view, document, point, check); break;
    case TDCheck::kAnchor: StartSub(&TDCDAncer::IDCDAncer, container, view, document, point, check); break;
    case TDCheck::kDirection1: StartSub(&TDCDDrec1::IDCDDrec1, container, view, document, point, check); break;
    case TDCheck::kDirection2: StartSub(&TDCDDrec2::IDCDDrec2, container, view, document, point, check); break;
    default: break;
  }
}

void TDCDirect::TrackConstrain(int phase, const OsImgPoint& anchor, const OsImgPoint& previous, OsImgPoint& next,
                               int moved) {
  if (fActive == 0 || fSub == nullptr) return;
  if (phase != kTrackBegin) GridMouse(next);
  fSub->TrackConstrain(phase, anchor, previous, next, moved);
}

BTracker* TDCDirect::TrackMouse(int phase, OsImgPoint& anchor, OsImgPoint& previous, OsImgPoint& next, int moved) {
  const PressGuard guard(*this);
  if (fActive == 0) return this;
  if (phase == kTrackEnd) EndGridMouse();
  if (fSub == nullptr) {
    fActive = 0;
    return this;
  }
  if (fSub->TrackMouse(phase, anchor, previous, next, moved) == nullptr) {
    fActive = 0;
  } else {
    SketchRequestUpdate();
  }
  return this;
}

// ---------------------------------------------------------------------------
// Edit point.

void TDCEdit::IDCEdit(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
                      TDCheck* check) {
  if (check == nullptr) return;
  IGridMouse(view, point);
  IDCBase(kChangeEditPoint, 1, container, view, document, point);
  switch (check->fResult) {
    case TDCheck::kAnchor: StartSub(&TDCEAncer::IDCEAncer, container, view, document, point, check); break;
    case TDCheck::kDirection1: StartSub(&TDCEDrec1::IDCEDrec1, container, view, document, point, check); break;
    case TDCheck::kDirection2: StartSub(&TDCEDrec2::IDCEDrec2, container, view, document, point, check); break;
    default: fSub = nullptr; break;
  }
}

void TDCEdit::TrackConstrain(int phase, const OsImgPoint& anchor, const OsImgPoint&, OsImgPoint& next, int) {
  if (fActive == 0 || phase == kTrackBegin) return;
  GridMouse(next);
  if (ShiftDown()) KeepOnDiagonal(anchor, next);
}

BTracker* TDCEdit::TrackMouse(int phase, OsImgPoint& anchor, OsImgPoint& previous, OsImgPoint& next, int moved) {
  const PressGuard guard(*this);
  if (phase == kTrackEnd) EndGridMouse();
  if (fActive == 0) return this;
  if (fSub == nullptr) {
    fActive = 0;
    return this;
  }
  fSub->TrackMouse(phase, anchor, previous, next, moved);
  SketchRequestUpdate();
  return this;
}

void TDCEdit::UndoIt() {
  if (fActive == 1 && fView != nullptr) fView->Focus();
  TDCPointDispatch::UndoIt();
}
