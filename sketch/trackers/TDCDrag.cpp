#include "trackers/TDCDrag.h"

#include <cstdint>
#include <new>

#include "BList.h"
#include "BView.h"
#include "container/TObjectContainer.h"
#include "model/TDShape.h"
#include "module/CSketchInterface.h"

IMPLEMENT_DYNAMIC(TDCDrag, TDCBase)

namespace {

TDShape* AsShape(CObject* item) {
  return item != nullptr && item->IsKindOf(RUNTIME_CLASS(TDShape)) ? static_cast<TDShape*>(item) : nullptr;
}

// Drops the tail entry without destroying what it holds.
void ForgetTail(BList& list) {
  const BPosition tail = list.GetTailPosition();
  list.SetItem(tail, nullptr);
  list.Delete(tail);
}

// Destroys a list object but none of the objects it lists.
void ForgetList(BList* list) {
  if (list == nullptr) return;
  while (!list->IsEmpty()) ForgetTail(*list);
  delete list;
}

// Swaps what two lists hold, each keeping the other's order. Entries are
// reused, so only the difference in length needs new ones; when those cannot be
// made, nothing has changed and the result is false.
bool ExchangeItems(BList& a, BList& b) {
  BList& longer = a.GetCount() >= b.GetCount() ? a : b;
  BList& shorter = &longer == &a ? b : a;
  const int common = shorter.GetCount();
  int added = 0;
  for (BPosition pos = longer.GetHandleFromIndex(common + 1); pos != nullptr; pos = longer.GetNextPosition(pos)) {
    if (shorter.AddTail(longer.GetItem(pos)) == nullptr) {
      for (; added > 0; --added) ForgetTail(shorter);
      return false;
    }
    ++added;
  }
  BPosition p = a.GetHeadPosition(), q = b.GetHeadPosition();
  for (int i = 0; i < common; ++i) {
    CObject* kept = a.GetItem(p);
    a.SetItem(p, b.GetItem(q));
    b.SetItem(q, kept);
    p = a.GetNextPosition(p);
    q = b.GetNextPosition(q);
  }
  // The longer list's tail now lives in the other one as well.
  while (longer.GetCount() > common) ForgetTail(longer);
  return true;
}

std::int32_t Offset(std::int32_t to, std::int32_t from) {
  return static_cast<std::int32_t>(static_cast<std::int64_t>(to) - from);
}

}  // namespace

// ---------------------------------------------------------------------------
// What drag and clone share.

TDCDragBase::~TDCDragBase() {
  // Even a gesture that was switched off keeps figures no one else owns here.
  delete fSaved;
}

void TDCDragBase::TakeSnapshot() {
  auto* saved = new (std::nothrow) BList;
  TObjectContainer* copies = saved != nullptr ? fContainer->Clone() : nullptr;
  // A figure without its copy would vanish from the drawing until undo.
  bool complete = copies != nullptr && copies->GetCount() == fContainer->GetCount();
  // Listing the originals is the only step that can fail, so it comes first.
  for (BPosition pos = fContainer->GetHeadPosition(); complete && pos != nullptr;) {
    complete = saved->AddTail(fContainer->GetNext(pos)) != nullptr;
  }
  if (!complete) {
    ForgetList(saved);
    delete copies;
    AfxThrowMemoryException();
  }
  BPosition copy = copies->GetHeadPosition();
  for (BPosition pos = fContainer->GetHeadPosition(); pos != nullptr; pos = fContainer->GetNextPosition(pos)) {
    fContainer->SetItem(pos, copies->GetItem(copy));
    copies->SetItem(copy, nullptr);
    copy = copies->GetNextPosition(copy);
  }
  delete copies;
  delete fSaved;
  fSaved = saved;
}

void TDCDragBase::TrackConstrain(int phase, const OsImgPoint& anchor, const OsImgPoint&, OsImgPoint& next, int) {
  if (fActive == 0 || phase == kTrackBegin) return;
  GridMouse(next);
  ConstrainAxis(phase, anchor, next);
}

void TDCDragBase::TrackFeedback(int phase, const OsImgPoint& anchor, const OsImgPoint&, const OsImgPoint& next,
                                int moved, int show) {
  if (fActive == 0 || fView == nullptr) return;
  const auto report = [&] {
    ReportPoint(next, &anchor);
    fView->Focus();
  };
  if (phase == kTrackBegin) {
    report();
  } else if (phase == kTrackContinue && moved != 0) {
    fView->Focus();
    if (fContainer != nullptr) fContainer->ActiveDraw();
    if (show != 0) report();
  }
  SketchRequestUpdate();
}

BTracker* TDCDragBase::TrackMouse(int phase, OsImgPoint&, OsImgPoint& previous, OsImgPoint& next, int moved) {
  if (fActive == 0 || fContainer == nullptr) return this;
  if (phase == kTrackContinue && moved != 0) {
    const BView* view = fContainer->GetView();
    const BZoom zoom = view != nullptr ? view->GetZoom() : BZoom();
    if (zoom.fZoomX != 0.0f && zoom.fZoomY != 0.0f) {
      const float dx = static_cast<float>(Offset(next.x, previous.x)) / zoom.fZoomX;
      const float dy = static_cast<float>(Offset(next.y, previous.y)) / zoom.fZoomY;
      for (BPosition pos = fContainer->GetHeadPosition(); pos != nullptr;) {
        TDShape* shape = AsShape(fContainer->GetNext(pos));
        if (shape != nullptr && shape->fSelected != 0) shape->MoveFloat(dx, dy);
      }
    }
  }
  if (phase == kTrackEnd) EndGridMouse();
  SketchRequestUpdate();
  return this;
}

void TDCDragBase::UndoIt() {
  if (fActive == 0 || fContainer == nullptr || fSaved == nullptr) return;
  if (fView != nullptr) fView->Focus();
  // The state that is not shown goes back in; the one that was shown waits in
  // fSaved for the next exchange.
  if (ExchangeItems(*fContainer, *fSaved)) {
    for (BPosition pos = fContainer->GetHeadPosition(); pos != nullptr;) {
      if (TDShape* shape = AsShape(fContainer->GetNext(pos))) shape->DrawAll();
    }
  }
  SketchRequestUpdate();
}

void TDCDragBase::RedoIt() {
  if (fActive == 0) return;
  if (fView != nullptr) fView->Focus();
  UndoIt();
  SketchRequestUpdate();
}

// ---------------------------------------------------------------------------

void TDCDrag::IDCDrag(TObjectContainer* container, BView* view, BDocument* document, OsImgPoint& point) {
  IGridMouse(view, point);
  IDCBase(kDrag, 1, container, view, document, point);
  if (fContainer == nullptr) {
    fActive = 0;
    return;
  }
  TakeSnapshot();
  fContainer->SetBusy(1);
}

void TDCDrag::DoIt() {
  if (fActive == 0 || fContainer == nullptr) return;
  if (BHostServices* readout = gModuleInterface.fHostServices) readout->ReportSize(nullptr);
  fContainer->SetBusy(0);
  SketchRequestUpdate();
}
