#include "trackers/TDCScissor.h"

#include <memory>
#include <new>

#include "BView.h"
#include "container/TObjectContainer.h"
#include "model/Segment.h"
#include "model/TDShape.h"
#include "trackers/TailEntries.h"

IMPLEMENT_DYNAMIC(TDCScissor, TDCBase)

namespace {

// Appends copies of the vertices of `from` at positions first to last (from 1).
bool AddCopies(TDShape& to, const TDShape& from, int first, int last) {
  BPosition pos = from.fUnits.GetHandleFromIndex(first);
  for (int i = first; i <= last; ++i, pos = from.fUnits.GetNextPosition(pos)) {
    const auto* u = static_cast<const TDUnit*>(from.fUnits.GetItem(pos));
    if (to.AddUnit(u->fAnchor.x, u->fAnchor.y, u->fDirection1.x, u->fDirection1.y, u->fDirection2.x, u->fDirection2.y,
                   1, u->fSelected, u->fSteps, u->fState) == nullptr) {
      return false;
    }
  }
  return true;
}

}  // namespace

TDCScissor::~TDCScissor() {
  // Before DoIt the figure is the container's.
  if (fPart1 != nullptr) {
    if (fUndone == 0) {
      delete fTarget;
    } else {
      delete fPart1;
      delete fPart2;
    }
  }
  delete fCopy;
}

TDShape* TDCScissor::Target() const { return static_cast<TDShape*>(fTarget); }

int TDCScissor::CutPosition() const {
  const TDShape* target = Target();
  // A vertex that is not the figure's has position 0, which cuts nothing.
  const int position = target->fUnits.GetIndexFromHandle(target->fUnits.FindItem(fUnit));
  if (fHitKind == TDCheck::kSegment) return target->NextUnit(fUnit) != nullptr ? position : 0;
  if (fHitKind != TDCheck::kAnchor) return 0;
  // Cut at an end of an open path, nothing would come off.
  if (target->fOpen != 0 && (position == 1 || position == target->UnitCount())) return 0;
  return position;
}

void TDCScissor::IDCScissor(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point,
                            TDCheck* check) {
  IDCBase(kChangeScissor, 1, container, view, document, point);
  if (check != nullptr) {
    fUnit = check->fUnit;
    fTarget = check->fShape;
    fHitKind = static_cast<std::uint8_t>(check->fResult);
  }
  // A miss has no figure; a handle, or an end of an open figure, nothing to cut.
  const int position = fTarget != nullptr ? CutPosition() : 0;
  if (position == 0) {
    fActive = 0;
    return;
  }
  std::unique_ptr<TDShape> copy(Target()->Clone());
  if (copy == nullptr) AfxThrowMemoryException();
  fCutIndex = position;
  if (fHitKind == TDCheck::kSegment) {
    TDUnit* a = static_cast<TDUnit*>(copy->fUnits.GetItemFromIndex(position));
    TDUnit* b = copy->NextUnit(a);
    SplitPoints s;
    SplitSegment(a->fAnchor, a->fDirection1, b->fDirection2, b->fAnchor, check->fParam, a, b, s);
    a->fDirection1 = s.q0;
    b->fDirection2 = s.q2;
    TDUnit* cut = copy->InsertUnitAfter(a, s.s.x, s.s.y, s.r1.x, s.r1.y, s.r0.x, s.r0.y, 1, a->fSteps, a->fState);
    if (cut == nullptr) AfxThrowMemoryException();
    fCutIndex = copy->fUnits.GetIndexFromHandle(copy->fUnits.FindItem(cut));
  }
  fCopy = copy.release();
}

BTracker* TDCScissor::TrackMouse(int phase, OsImgPoint&, OsImgPoint&, OsImgPoint&, int) {
  if (fActive == 0) return this;
  if (phase == kTrackEnd) EndGridMouse();
  SketchRequestUpdate();
  return this;
}

TDShape* TDCScissor::NewPiece() const {
  auto* piece = new (std::nothrow) TDShape;
  if (piece != nullptr) piece->SetContainer(fContainer);
  return piece;
}

void TDCScissor::DoIt() {
  const PressGuard guard(*this);
  if (fActive == 0 || fPart1 != nullptr) return;
  if (fView != nullptr) fView->Focus();
  const int count = fCopy->UnitCount();
  const bool closed = Target()->fOpen == 0;
  TailEntries room(*fContainer, closed ? 1 : 2);
  std::unique_ptr<TDShape> part1(NewPiece());
  std::unique_ptr<TDShape> part2(closed ? nullptr : NewPiece());
  bool made = part1 != nullptr;
  if (closed) {
    // One open path from the cut round to the cut.
    made = made && AddCopies(*part1, *fCopy, fCutIndex, count) && AddCopies(*part1, *fCopy, 1, fCutIndex);
  } else {
    made = made && part2 != nullptr && AddCopies(*part1, *fCopy, 1, fCutIndex) &&
           AddCopies(*part2, *fCopy, fCutIndex, count);
  }
  if (!made) AfxThrowMemoryException();
  fContainer->TakeOut(fTarget);
  fPart1 = part1.release();
  fPart2 = part2.release();
  for (TDShape* piece : {fPart1, fPart2}) {
    if (piece == nullptr) continue;
    room.Fill(piece);
    piece->SetSelect(1, 1, 0);
    OsImgRect bounds;
    piece->CalcBounds(bounds);
    piece->DrawAll();
  }
  SketchRequestUpdate();
}

void TDCScissor::RedoIt() {
  if (fActive == 0 || fPart1 == nullptr || fUndone == 0) return;
  if (fView != nullptr) fView->Focus();
  TailEntries room(*fContainer, fPart2 != nullptr ? 2 : 1);
  fContainer->TakeOut(fTarget);
  for (TDShape* piece : {fPart1, fPart2}) {
    if (piece == nullptr) continue;
    piece->DrawAll();
    room.Fill(piece);
  }
  fUndone = 0;
  SketchRequestUpdate();
}

void TDCScissor::UndoIt() {
  if (fActive == 0 || fPart1 == nullptr || fUndone == 1) return;
  if (fView != nullptr) fView->Focus();
  TailEntries room(*fContainer, 1);
  fContainer->TakeOut(fPart1);
  if (fPart2 != nullptr) fContainer->TakeOut(fPart2);
  room.Fill(fTarget);
  Target()->DrawAll();
  fUndone = 1;
  SketchRequestUpdate();
}
