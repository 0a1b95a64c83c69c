// What the interface does with a left-button press: the tool in force (perhaps
// a temporary one from the keys held) picks a handler, which hit-tests and
// starts the tracker of the gesture.

#include <new>

#include "BView.h"
#include "OsAfx.h"
#include "TFWCommands.h"
#include "container/TObjectContainer.h"
#include "module/CSketchInterface.h"
#include "raster/SketchDisplay.h"
#include "trackers/TDCCenter.h"
#include "trackers/TDCClone.h"
#include "trackers/TDCDrag.h"
#include "trackers/TDCGrow.h"
#include "trackers/TDCPens.h"
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

}  // namespace

CSketchInterface::Press CSketchInterface::Lookup() const {
  Press p;
  p.view = CurrentView();
  p.document = p.view != nullptr ? p.view->GetDocument() : nullptr;
  p.container = ContainerOf(p.view);
  return p;
}

void CSketchInterface::DoMouseCommandL(OsImgPoint& point, int flags) {
  const Press press = Lookup();
  if (press.view != nullptr) {
    if (!IsTransformTool(fCurrentTool) && press.container != nullptr) press.container->DrawCenter(0);
    const short tool = CheckKey(point, nullptr);
    switch (tool) {
      case 0: DMFD_Arrow(point, flags); break;
      case 2: DMFP_Hand(point, flags); break;
      case 3: DMFP_Zoom(point, flags); break;
      case 4: case 5: case 6: case 8: case 14: DMFD_Grow(point, flags); break;
      case 7: case 9: DMFD_Pens(point, flags); break;
      case kToolScale: DMFD_Scale(point, flags); break;
      case kToolRotate: DMFD_Rotate(point, flags); break;
      default: break;  // the point-editing tools come with their trackers
    }
    SketchUpdateView(gActiveView, 0);
  }
  fLastMouseTool = fCurrentTool;
}

void CSketchInterface::StartSelect(const Press& p, OsImgPoint& point, int mode) {
  auto* tracker = Create<TDCSelect>();
  tracker->IDCSelect(p.container, p.view, p.document, point, mode);
  p.view->GetEventHandler()->PostCommand(tracker);
}

void CSketchInterface::DMFD_Arrow(OsImgPoint& point, int) {
  const Press p = Lookup();
  if (p.container == nullptr) return;
  const bool shift = KeyDown(VK_SHIFT), alt = KeyDown(VK_MENU);
  if (p.container->Check(point, shift ? 1 : 0) == 1) {
    if (alt) {
      auto* tracker = Create<TDCClone>();
      tracker->IDCClone(p.container, p.view, p.document, point);
      p.view->GetEventHandler()->PostCommand(tracker);
    } else if (!shift) {
      auto* tracker = Create<TDCDrag>();
      tracker->IDCDrag(p.container, p.view, p.document, point);
      p.view->GetEventHandler()->PostCommand(tracker);
    }
    return;
  }
  StartSelect(p, point, 0);
}

template <typename HostTracker>
static void StartHostTracker(const CSketchInterface::Press& p, OsImgPoint& point) {
  auto* tracker = Create<HostTracker>();
  tracker->IFWCommand(0, p.document, p.document, p.view, point);
  p.view->GetEventHandler()->PostCommand(tracker);
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
  auto* tracker = Create<TDCGrow>();
  tracker->IDCGrow(p.container, p.view, p.document, point);
  p.view->GetEventHandler()->PostCommand(tracker);
}

void CSketchInterface::DMFD_Pens(OsImgPoint& point, int) {
  const Press p = Lookup();
  if (p.container == nullptr) return;
  // A figure left open by the other pen tool is finished first.
  if (fCurrentTool != fLastMouseTool) p.container->Terminate();
  if (p.container->fDrawing == nullptr) p.container->SelectAll(0);
  auto* tracker = Create<TDCPens>();
  tracker->IDCPens(p.container, p.view, p.document, point);
  p.view->GetEventHandler()->PostCommand(tracker);
}

void CSketchInterface::DMFD_Transform(OsImgPoint& point) {
  const Press p = Lookup();
  if (p.container == nullptr) return;
  const bool shift = KeyDown(VK_SHIFT);
  if (p.container->CheckCenter(point)) {
    auto* tracker = Create<TDCCenter>();
    tracker->IDCCenter(p.container, p.view, p.document, point);
    p.view->GetEventHandler()->PostCommand(tracker);
    return;
  }
  // A hit starts the scale or rotate tracker, which this build does not have
  // yet; only the selection it makes on the way stays.
  if (p.container->Check(point, shift ? 1 : 0) == 1) return;
  StartSelect(p, point, 0);
}

void CSketchInterface::DMFD_Scale(OsImgPoint& point, int) { DMFD_Transform(point); }
void CSketchInterface::DMFD_Rotate(OsImgPoint& point, int) { DMFD_Transform(point); }
