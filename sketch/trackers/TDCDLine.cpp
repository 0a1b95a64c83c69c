#include "trackers/TDCDLine.h"

#include <cmath>
#include <memory>
#include <optional>
#include <utility>

#include "OsWindows.h"
#include "container/TObjectContainer.h"
#include "model/Segment.h"
#include "model/TDCheck.h"
#include "model/TDShape.h"
#include "module/ModuleGlobals.h"
#include "trackers/FigureLists.h"
#include "trackers/TailEntries.h"

IMPLEMENT_DYNAMIC(TDCDLine, TDCDCommand)

namespace {

// A vertex whose handles lie on its anchor, to the image unit.
bool WithoutHandles(const TDUnit& u) {
  const OsImgPoint a = u.fAnchor.ToImgPoint();
  return u.fDirection1.ToImgPoint() == a && u.fDirection2.ToImgPoint() == a;
}

float DistanceBetween(const TDFloatPoint& p, const TDFloatPoint& q) {
  float d = 0.0f;
  Distance(p.x, p.y, q.x, q.y, 0, &d);
  return d;
}

// The handle h of anchor a stretched by the ratio num / den, evaluated left to
// right as the distances come.
TDFloatPoint Stretched(const TDFloatPoint& a, const TDFloatPoint& h, float num, float den) {
  return {Narrow(a.x + (static_cast<double>(h.x) - a.x) * num / den),
          Narrow(a.y + (static_cast<double>(h.y) - a.y) * num / den)};
}

}  // namespace

TDCDLine::~TDCDLine() {
  // Without a copy the figure never left the container.
  if (fCopy != nullptr) delete fShape;
}

void TDCDLine::IDCDLine(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
                        TDCheck* check) {
  if (check == nullptr || check->fShape == nullptr || check->fUnit == nullptr) return;
  IDCBase(kChangeMovePoint, 1, container, view, document, point);
  fShape = check->fShape;
  TDUnit* a = check->fUnit;
  TDUnit* b = fShape->NextUnit(a);
  if (a == nullptr || b == nullptr || fContainer == nullptr) {
    fSegmentKind = kNoSegment;
  } else {
    fSegmentKind = WithoutHandles(*a) && WithoutHandles(*b) ? kStraight : kCurved;
  }
  // The copy and its entry at the end of the list are made before the pick
  // changes anything, so that running out of memory leaves the document as it
  // was.
  std::unique_ptr<TDShape> copy;
  std::optional<TailEntries> room;
  if (fSegmentKind != kNoSegment) {
    copy.reset(fShape->Clone());
    if (copy == nullptr) AfxThrowMemoryException();
    room.emplace(*fContainer, 1);
  }
  if (a->fState != TDUnit::kHandle1) {
    PickAlone(*fShape, a, TDUnit::kHandle1);
    if (b != nullptr) fShape->SetUnitState(TDUnit::kHandle2, b);
  }
  if (copy == nullptr) return;
  const int index = fShape->fUnits.GetIndexFromHandle(fShape->fUnits.FindItem(a));
  CopySelection(*fShape, *copy);
  copy->SetBusy(1);
  fCopy = copy.release();
  room->Fill(fCopy);
  fContainer->TakeOut(fShape);
  fUnit = static_cast<TDUnit*>(fCopy->fUnits.GetItemFromIndex(index));
  fNext = fCopy->NextUnit(fUnit);
}

void TDCDLine::TrackConstrain(int phase, const OsImgPoint& anchor, const OsImgPoint&, OsImgPoint& next, int) {
  if (fActive == 0 || phase == kTrackBegin) return;
  if ((GetKeyState(VK_SHIFT) & 0x8000) != 0) KeepOnDiagonal(anchor, next);
}

BTracker* TDCDLine::TrackMouse(int phase, OsImgPoint&, OsImgPoint&, OsImgPoint& next, int moved) {
  if (fActive == 0 || fCopy == nullptr) {
    SketchRequestUpdate();
    return this;
  }
  if (phase == kTrackBegin) {
    fLast = next;
  } else if (phase == kTrackContinue) {
    if (moved != 0) {
      FocusView();
      const TDFloatPoint l = ToImage(fLast), n = ToImage(next);
      if (fSegmentKind == kStraight) {
        const TDFloatPoint d = n - l;
        fUnit->MoveFloat(d.x, d.y);
        fNext->MoveFloat(d.x, d.y);
        // Kept current at every step for the repaint, which skips a figure
        // whose bounds miss the view; undo brings back the figure with its own.
        fCopy->CalcBounds(fCopy->fBounds);
      } else {
        const float dLB = DistanceBetween(l, fNext->fAnchor), dLA = DistanceBetween(l, fUnit->fAnchor);
        const float dNB = DistanceBetween(n, fNext->fAnchor), dNA = DistanceBetween(n, fUnit->fAnchor);
        // From on an anchor no ratio can be taken.
        if (dLB != 0.0f && dLA != 0.0f) {
          fUnit->fDirection1 = Stretched(fUnit->fAnchor, fUnit->fDirection1, dNB, dLB);
          fNext->fDirection2 = Stretched(fNext->fAnchor, fNext->fDirection2, dNA, dLA);
          fCopy->UpdateSteps(fUnit, kStepsOutgoing);
          fCopy->CalcBounds(fCopy->fBounds);
        }
      }
    }
    fLast = next;
  }
  SketchRequestUpdate();
  return this;
}

void TDCDLine::TrackFeedback(int phase, const OsImgPoint& anchor, const OsImgPoint&, const OsImgPoint& next, int moved,
                             int show) {
  if (fActive == 0 || fCopy == nullptr) return;
  if (phase == kTrackBegin) {
    Report(anchor, next);
  } else if (phase == kTrackContinue && moved != 0) {
    if (fSegmentKind == kStraight) {
      fCopy->Draw(kDrawVertex, 1, fUnit, 1);
      fCopy->Draw(kDrawVertexOut, 1, fNext, 1);
    } else {
      fCopy->Draw(kDrawVertexOut, 1, fUnit, 1);
      fCopy->Draw(kDrawMarker, 1, fNext, 1);
    }
    if (show != 0) Report(anchor, next);
  }
  SketchRequestUpdate();
}

void TDCDLine::DoIt() {
  if (fActive == 0) return;
  if (BHostServices* readout = SketchInterface().fHostServices) readout->ReportSize(nullptr);
  if (fCopy != nullptr) fCopy->SetBusy(0);
  SketchRequestUpdate();
}

void TDCDLine::UndoIt() {
  if (fActive == 0 || fCopy == nullptr) return;
  FocusView();
  TailEntries room(*fContainer, 1);
  fContainer->TakeOut(fCopy);
  room.Fill(fShape);
  fShape->DrawAll();
  std::swap(fShape, fCopy);
  SketchRequestUpdate();
}
