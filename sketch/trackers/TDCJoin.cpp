#include "trackers/TDCJoin.h"

#include <memory>
#include <new>

#include "BView.h"
#include "container/TObjectContainer.h"
#include "model/Segment.h"
#include "model/TDShape.h"
#include "raster/SketchRaster.h"
#include "trackers/TailEntries.h"

IMPLEMENT_DYNAMIC(TDCJoin, TDCBase)

TDCJoin::~TDCJoin() {
  // Before DoIt the figures are all the container's.
  if (fJoined == nullptr) return;
  if (fUndone == 0) {
    delete fFirst;
    delete fSecond;
  } else {
    delete fJoined;
  }
}

std::uint8_t TDCJoin::EndOf(const TDShape& figure, const TDUnit* unit) {
  if (unit == figure.FirstUnit()) return kFirstEnd;
  if (unit == figure.LastUnit()) return kLastEnd;
  return kNoEnd;
}

void TDCJoin::IDCJoin(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
                      TDCheck* check) {
  IDCBase(kChangeJoin, 1, container, view, document, point);
  // A closed figure has no ends to join. Without an end under the press there
  // is nothing to do, not even a rubber line to show.
  if (check != nullptr && check->fResult == TDCheck::kAnchor && check->fShape->fOpen != 0) {
    fFirstEnd = EndOf(*check->fShape, check->fUnit);
    if (fFirstEnd != kNoEnd) fFirst = check->fShape;
  }
  if (fFirst == nullptr) fActive = 0;
}

BTracker* TDCJoin::TrackMouse(int phase, OsImgPoint&, OsImgPoint&, OsImgPoint& next, int) {
  if (fActive == 0) return this;
  if (fView != nullptr) fView->Focus();
  if (phase == kTrackEnd) Release(next);
  SketchRequestUpdate();
  return this;
}

void TDCJoin::Release(const OsImgPoint& point) {
  TDCheck check;
  check.fFlags = TDCheck::kSegments | TDCheck::kAnchor | TDCheck::kDirection1 | TDCheck::kDirection2;
  check.fTolerance = 4.0f;
  if (fContainer->CheckDetail(point, &check, 0) != 1 || check.fResult != TDCheck::kAnchor || check.fShape->fOpen == 0) {
    fActive = 0;
    return;
  }
  // The pressed figure itself, or one that cannot be told from it: what the
  // user sees is one figure, to be closed from end to end.
  const bool itself = check.fShape->IsEqual(fFirst);
  const std::uint8_t end = EndOf(*check.fShape, check.fUnit);
  if (end == kNoEnd || (itself && end == fFirstEnd)) {
    fActive = 0;
    return;
  }
  fSecondEnd = end;
  if (!itself) fSecond = check.fShape;
}

void TDCJoin::TrackFeedback(int phase, const OsImgPoint& anchor, const OsImgPoint&, const OsImgPoint& next, int moved,
                            int show) {
  if (fActive == 0) return;
  if (phase == kTrackBegin) {
    SketchDrawLine(anchor, anchor);
  } else if (phase == kTrackContinue) {
    if (moved != 0) {
      SketchDrawLine(anchor, next);
      if (show != 0) {
        ReportPoint(next);
        if (fView != nullptr) fView->Focus();
      }
    }
  } else {
    SketchDrawLine(anchor, next);
  }
  SketchRequestUpdate();
}

TDShape* TDCJoin::Reversed(const TDShape& figure) const {
  auto* reversed = new (std::nothrow) TDShape;
  if (reversed == nullptr) return nullptr;
  reversed->SetContainer(fContainer);
  for (BPosition pos = figure.fUnits.GetHeadPosition(); pos != nullptr;) {
    TDUnit* unit = static_cast<const TDUnit*>(figure.fUnits.GetNext(pos))->Clone();
    if (unit == nullptr || reversed->fUnits.AddHead(unit) == nullptr) {
      delete unit;
      delete reversed;
      return nullptr;
    }
    const TDFloatPoint toSuccessor = unit->fDirection1;
    unit->fDirection1 = unit->fDirection2;
    unit->fDirection2 = toSuccessor;
  }
  // Only open figures are joined, and the result gets its own bounds: the new
  // figure's defaults (open, unselected) are what the copy needs. Each vertex's
  // steps described the segment that now runs the other way.
  for (BPosition pos = reversed->fUnits.GetHeadPosition(); pos != nullptr;) {
    reversed->UpdateSteps(static_cast<TDUnit*>(reversed->fUnits.GetNext(pos)), kStepsOutgoing | kStepsIncoming);
  }
  return reversed;
}

TDShape* TDCJoin::Join() const {
  if (fSecond == nullptr) {
    TDShape* closed = fFirst->Clone();
    if (closed != nullptr) closed->fOpen = 0;
    return closed;
  }
  // The first part ends at the pressed end, the second starts at the released one.
  std::unique_ptr<TDShape> head(fFirstEnd == kFirstEnd ? Reversed(*fFirst) : fFirst->Clone());
  std::unique_ptr<TDShape> tail(fSecondEnd == kFirstEnd ? fSecond->Clone() : Reversed(*fSecond));
  if (head == nullptr || tail == nullptr || !head->fUnits.Merge(tail->fUnits)) return nullptr;
  // The vertices are the head's now; the tail goes without them.
  for (BPosition pos = tail->fUnits.GetHeadPosition(); pos != nullptr; pos = tail->fUnits.GetNextPosition(pos)) {
    tail->fUnits.SetItem(pos, nullptr);
  }
  return head.release();
}

void TDCJoin::DoIt() {
  const PressGuard guard(*this);
  if (fActive == 0) {
    SketchMarkDirty();
    SketchRequestUpdate();
    return;
  }
  if (fView != nullptr) fView->Focus();
  TailEntries room(*fContainer, 1);
  std::unique_ptr<TDShape> joined(Join());
  if (joined == nullptr) AfxThrowMemoryException();
  if (fSecond != nullptr) fSecond->fSelected = 0;
  fContainer->TakeOut(fFirst);
  if (fSecond != nullptr) fContainer->TakeOut(fSecond);
  fJoined = joined.release();
  room.Fill(fJoined);
  fJoined->DrawAll();
  fJoined->SetSelect(1, 1, 0);
  OsImgRect bounds;
  fJoined->CalcBounds(bounds);
  SketchRequestUpdate();
}

void TDCJoin::RedoIt() {
  if (fActive == 0 || fJoined == nullptr || fUndone == 0) return;
  TailEntries room(*fContainer, 1);
  fContainer->SelectAll(0);
  fContainer->TakeOut(fFirst);
  if (fSecond != nullptr) fContainer->TakeOut(fSecond);
  room.Fill(fJoined);
  fJoined->DrawAll();
  fJoined->SetSelect(1, 1, 0);
  fUndone = 0;
  SketchRequestUpdate();
}

void TDCJoin::UndoIt() {
  if (fActive == 0 || fJoined == nullptr || fUndone == 1) return;
  if (fView != nullptr) fView->Focus();
  TailEntries room(*fContainer, fSecond != nullptr ? 2 : 1);
  fContainer->SelectAll(0);
  fContainer->TakeOut(fJoined);
  for (TDShape* figure : {fFirst, fSecond}) {
    if (figure == nullptr) continue;
    room.Fill(figure);
    figure->DrawAll();
    figure->SetSelect(1, 1, 0);
  }
  fUndone = 1;
  SketchRequestUpdate();
}
