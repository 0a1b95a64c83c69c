// What the interface does with a left-button press: the tool in force (perhaps
// a temporary one from the keys held) picks a handler, which hit-tests and
// starts the tracker of the gesture. The host's replay of presses lands here
// too.

#include <memory>
#include <new>

#include "BView.h"
#include "OsAfx.h"
#include "TFWCommands.h"
#include "container/TObjectContainer.h"
#include "container/TSketchMemo.h"
#include "model/TDCheck.h"
#include "model/TDShape.h"
#include "module/CSketchInterface.h"
#include "raster/SketchDisplay.h"
#include "trackers/TDCAddPt.h"
#include "trackers/TDCCenter.h"
#include "trackers/TDCClone.h"
#include "trackers/TDCDelPt.h"
#include "trackers/TDCDirect.h"
#include "trackers/TDCDrag.h"
#include "trackers/TDCGrow.h"
#include "trackers/TDCJoin.h"
#include "trackers/TDCPens.h"
#include "trackers/TDCRotate.h"
#include "trackers/TDCScale.h"
#include "trackers/TDCScissor.h"
#include "trackers/TDCSelect.h"

namespace {

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// Trackers are created as the class library creates objects: running out of
// memory raises its exception, which the host catches around the press.
template <typename T>
T* Create() {
  T* object = new (std::nothrow) T;
  if (object == nullptr) AfxThrowMemoryException();
  return object;
}

// Makes a tracker of class T, lets init bind it, and posts it. An initialiser
// that runs out of memory raises the exception before the host owns the
// tracker, so until it is posted the tracker is held here.
template <typename T, typename Init>
void Start(const CSketchInterface::Press& p, Init init) {
  std::unique_ptr<T> tracker(Create<T>());
  init(*tracker);
  p.view->GetEventHandler()->PostCommand(tracker.release());
}

// The hit-test record of the point tools: every part of a vertex, and segments.
TDCheck PointCheck() {
  TDCheck check;
  check.fFlags = TDCheck::kSegments | TDCheck::kAnchor | TDCheck::kDirection1 | TDCheck::kDirection2;
  check.fTolerance = 4.0f;
  return check;
}

}  // namespace

CSketchInterface::Press CSketchInterface::Lookup() const {
  Press p;
  p.view = CurrentView();
  p.document = p.view != nullptr ? p.view->GetDocument() : nullptr;
  p.container = ContainerOf(p.view);
  return p;
}

// The handlers select and hide the centre mark before their tracker exists; a
// press the host drops for want of memory must leave no trace of that, whether
// the user or the host's replay made it.
template <typename Handle>
void CSketchInterface::Pressed(const Press& press, Handle handle) {
  fPressMemo.reset();
  if (press.container != nullptr) {
    auto* memo = new (std::nothrow) TSketchMemo(*press.container);
    if (memo == nullptr) AfxThrowMemoryException();
    fPressMemo.reset(memo);
  }
  try {
    handle();
  } catch (const CMemoryException&) {
    if (press.container != nullptr) RestorePress(*press.container);
    throw;
  }
}

void CSketchInterface::DoMouseCommandL(OsImgPoint& point, int flags) {
  const Press press = Lookup();
  if (press.view != nullptr) {
    Pressed(press, [&] { Dispatch(press, point, flags); });
    SketchUpdateView(gActiveView, 0);
  }
  fLastMouseTool = fCurrentTool;
}

void CSketchInterface::CommandReplicater(int kind, OsImgPoint& point) {
  const Press press = Lookup();
  if (press.view == nullptr) return;
  if (kind == 0) {
    Pressed(press, [&] { DMFD_Arrow(point, 0); });
  } else if (kind == 1) {
    Pressed(press, [&] { DMFD_WhiteArrow(point, 0); });
  }
}

void CSketchInterface::RestorePress(TObjectContainer& container) {
  if (fPressMemo != nullptr && fPressMemo->IsOf(container)) fPressMemo->Restore(container);
  fPressMemo.reset();
}

void CSketchInterface::Dispatch(const Press& press, OsImgPoint& point, int flags) {
  if (!IsTransformTool(fCurrentTool) && press.container != nullptr) press.container->DrawCenter(0);
  if (const SketchTool* tool = FindSketchTool(CheckKey(point, nullptr))) (this->*tool->press)(point, flags);
}

void CSketchInterface::StartSelect(const Press& p, OsImgPoint& point, int mode) {
  Start<TDCSelect>(p, [&](TDCSelect& t) { t.IDCSelect(p.container, p.view, p.document, point, mode); });
}

void CSketchInterface::DMFD_Arrow(OsImgPoint& point, int) {
  const Press p = Lookup();
  if (p.container == nullptr) return;
  const bool shift = KeyDown(VK_SHIFT), alt = KeyDown(VK_MENU);
  if (p.container->Check(point, shift ? 1 : 0) == 1) {
    if (alt) {
      StartClone(p, point);
    } else if (!shift) {
      Start<TDCDrag>(p, [&](TDCDrag& t) { t.IDCDrag(p.container, p.view, p.document, point); });
    }
    return;
  }
  StartSelect(p, point, 0);
}

void CSketchInterface::StartClone(const Press& p, OsImgPoint& point) {
  Start<TDCClone>(p, [&](TDCClone& t) { t.IDCClone(p.container, p.view, p.document, point); });
}

void CSketchInterface::DMFD_WhiteArrow(OsImgPoint& point, int) {
  const Press p = Lookup();
  if (p.container == nullptr) return;
  const bool shift = KeyDown(VK_SHIFT), alt = KeyDown(VK_MENU);
  TDCheck check = PointCheck();
  if (p.container->CheckDetail(point, &check, shift ? 1 : 0) != 1) {
    StartSelect(p, point, 1);
    return;
  }
  if (alt) {
    StartClone(p, point);
  } else if (shift) {
    // Shift-clicking an anchor picks it, or unpicks it when it was picked.
    if (check.fResult == TDCheck::kAnchor) {
      const int picked = check.fUnit->fState == TDUnit::kBothHandles;
      check.fShape->SetUnitState(picked ? TDUnit::kOutline : TDUnit::kBothHandles, check.fUnit);
    }
  } else {
    Start<TDCDirect>(p, [&](TDCDirect& t) { t.IDCDirect(p.container, p.view, p.document, point, &check); });
  }
}

template <typename HostTracker>
static void StartHostTracker(const CSketchInterface::Press& p, OsImgPoint& point) {
  Start<HostTracker>(p, [&](HostTracker& t) { t.IFWCommand(0, p.document, p.document, p.view, point); });
}

void CSketchInterface::DMFP_Hand(OsImgPoint& point, int) {
  const Press p = Lookup();
  if (p.view != nullptr) StartHostTracker<TFWCScroll>(p, point);
}

void CSketchInterface::DMFP_Zoom(OsImgPoint& point, int) {
  const Press p = Lookup();
  if (p.view != nullptr) StartHostTracker<TFWCZoom>(p, point);
}

void CSketchInterface::DMFD_Grow(OsImgPoint& point, int) {
  const Press p = Lookup();
  if (p.container == nullptr) return;
  Start<TDCGrow>(p, [&](TDCGrow& t) { t.IDCGrow(p.container, p.view, p.document, point); });
}

void CSketchInterface::DMFD_Pens(OsImgPoint& point, int) {
  const Press p = Lookup();
  if (p.container == nullptr) return;
  // The press changes nothing until it has a figure to work on (the tracker
  // deselects the others once its first vertex is placed), so that one that
  // runs out of memory leaves the figure under construction and the selection
  // as they were. It raises then, so that the host drops it rather than keep
  // a press that did nothing and that a replay of the same input would do.
  TDShape* const drawing = p.container->fDrawing;
  // A figure left open by the other pen tool is finished first.
  if (fCurrentTool != fLastMouseTool) p.container->Terminate();
  const bool fresh = p.container->fDrawing == nullptr;
  Start<TDCPens>(p, [&](TDCPens& t) {
    t.IDCPens(p.container, p.view, p.document, point);
    if (t.fWorking == nullptr) {
      p.container->fDrawing = drawing;
      AfxThrowMemoryException();
    }
    t.fDeselectOthers = fresh;
  });
}

// The scale and rotate tools move the centre mark when it is pressed, transform
// the selection when a figure is (Shift only changes the selection), and
// otherwise start a selection rectangle. False when the press hit nothing.
template <typename T, typename Init>
static bool StartTransform(const CSketchInterface::Press& p, OsImgPoint& point, Init init) {
  const bool shift = KeyDown(VK_SHIFT);
  if (p.container->CheckCenter(point)) {
    Start<TDCCenter>(p, [&](TDCCenter& t) { t.IDCCenter(p.container, p.view, p.document, point); });
    return true;
  }
  if (p.container->Check(point, shift ? 1 : 0) != 1) return false;
  if (!shift) Start<T>(p, init);
  return true;
}

void CSketchInterface::DMFD_Scale(OsImgPoint& point, int) {
  const Press p = Lookup();
  if (p.container == nullptr) return;
  const auto init = [&](TDCScale& t) { t.IDCScale(p.container, p.view, p.document, point); };
  if (!StartTransform<TDCScale>(p, point, init)) StartSelect(p, point, 0);
}

void CSketchInterface::DMFD_Rotate(OsImgPoint& point, int) {
  const Press p = Lookup();
  if (p.container == nullptr) return;
  const auto init = [&](TDCRotate& t) { t.IDCRotate(p.container, p.view, p.document, point); };
  if (!StartTransform<TDCRotate>(p, point, init)) StartSelect(p, point, 0);
}

// The point tools other than edit point start from a clean selection; each
// hands the hit to its tracker, and a miss starts nothing.
template <typename T, typename Init>
static void StartOnHit(const CSketchInterface::Press& p, OsImgPoint& point, bool deselect, Init init) {
  if (p.container == nullptr) return;
  if (deselect) p.container->SelectAll(0);
  TDCheck check = PointCheck();
  if (p.container->CheckDetail(point, &check, 0) != 1) return;
  Start<T>(p, [&](T& t) { init(t, check); });
}

void CSketchInterface::DMFD_Scissor(OsImgPoint& point, int) {
  const Press p = Lookup();
  StartOnHit<TDCScissor>(p, point, true, [&](TDCScissor& t, TDCheck& check) {
    t.IDCScissor(p.container, p.view, p.document, point, &check);
  });
}

void CSketchInterface::DMFD_Join(OsImgPoint& point, int) {
  const Press p = Lookup();
  StartOnHit<TDCJoin>(p, point, true,
                      [&](TDCJoin& t, TDCheck& check) { t.IDCJoin(p.container, p.view, p.document, point, &check); });
}

void CSketchInterface::DMFD_AddPt(OsImgPoint& point, int) {
  const Press p = Lookup();
  StartOnHit<TDCAddPt>(
      p, point, true, [&](TDCAddPt& t, TDCheck& check) { t.IDCAddPt(p.container, p.view, p.document, point, &check); });
}

void CSketchInterface::DMFD_DelPt(OsImgPoint& point, int) {
  const Press p = Lookup();
  StartOnHit<TDCDelPt>(
      p, point, true, [&](TDCDelPt& t, TDCheck& check) { t.IDCDelPt(p.container, p.view, p.document, point, &check); });
}

void CSketchInterface::DMFD_EditPt(OsImgPoint& point, int) {
  const Press p = Lookup();
  StartOnHit<TDCEdit>(p, point, false,
                      [&](TDCEdit& t, TDCheck& check) { t.IDCEdit(p.container, p.view, p.document, point, &check); });
}
