// What the interface does with a menu command: the transforms and the edit
// commands become undoable commands, the numeric ones after their dialog, and
// the mouse transforms become tools.

#include <memory>
#include <new>

#include "BView.h"
#include "OsAfx.h"
#include "commands/TDMCClear.h"
#include "commands/TDMCCopy.h"
#include "commands/TDMCCut.h"
#include "commands/TDMCPaste.h"
#include "commands/TDMFlip.h"
#include "commands/TDMRotate.h"
#include "commands/TDMScale.h"
#include "container/ShapeWalk.h"
#include "container/TObjectContainer.h"
#include "container/TSketchMemo.h"
#include "module/CSketchInterface.h"
#include "raster/SketchDisplay.h"
#include "resources/SketchResources.h"
#include "ui/CRotateDialog.h"
#include "ui/CScaleDialog.h"

namespace {

// Commands are created as the class library creates objects: running out of
// memory raises its exception. Until it is posted, the command is held here, so
// that an initialiser that raises leaves nothing behind.
template <typename T, typename Init>
std::unique_ptr<T> Make(Init init) {
  std::unique_ptr<T> command(new (std::nothrow) T);
  if (command == nullptr) AfxThrowMemoryException();
  init(*command);
  return command;
}

}  // namespace

void CSketchInterface::DoMenuCommand(int command) {
  switch (command) {
    case ID_DRAW_SKETCH: DMC_DrawSketch(); break;
    case ID_SCALE_NUMERIC: {
      CScaleDialog dialog;
      if (dialog.DoModal() == IDOK) DMC_ScaleNum(dialog.fPercent);
      break;
    }
    case ID_SCALE_MOUSE: DoToolChange(kToolScale, 1); break;
    case ID_MIRROR_HORIZONTAL:
    case ID_MIRROR_VERTICAL: DMC_HVFlip(command); break;
    case ID_ROTATE_180:
    case ID_ROTATE_CLOCKWISE:
    case ID_ROTATE_COUNTERCLOCKWISE: DMC_Rotate(command); break;
    case ID_ROTATE_NUMERIC: {
      CRotateDialog dialog;
      if (dialog.DoModal() == IDOK) DMC_RotateNum(dialog.fClockwise ? dialog.fDegrees : -dialog.fDegrees);
      break;
    }
    case ID_ROTATE_MOUSE: DoToolChange(kToolRotate, 1); break;
    case ID_EDIT_COPY: DMC_Copy(); break;
    case ID_EDIT_CUT: DMC_Cut(); break;
    case ID_EDIT_PASTE: DMC_Paste(); break;
    case ID_EDIT_CLEAR: DMC_Clear(); break;
    case ID_EDIT_SELECT_ALL: DMC_SelectAll(); break;
    default: BModuleInterface::DoMenuCommand(command); break;
  }
}

// The transforms act on the selection as it stands: its bounds and centre are
// brought up to date before the command takes them, and put back when it
// cannot be made, so that the sketch stays as it was.
template <typename T, typename Init>
static void PostTransform(const CSketchInterface::Press& p, Init init) {
  if (p.container == nullptr) return;
  p.view->Focus();
  const TSketchMemo memo(*p.container);
  p.container->CalcActArea();
  std::unique_ptr<T> command;
  try {
    command = Make<T>(init);
  } catch (const CMemoryException&) {
    memo.Restore(*p.container);
    throw;
  }
  p.view->GetEventHandler()->PostCommand(command.release());
}

void CSketchInterface::DMC_ScaleNum(int percent) {
  const Press p = Lookup();
  PostTransform<TDMScale>(p, [&](TDMScale& c) { c.IDMScale(p.container, p.view, p.document, percent * 0.01); });
}

void CSketchInterface::DMC_RotateNum(int degrees) {
  const Press p = Lookup();
  PostTransform<TDMRotate>(
      p, [&](TDMRotate& c) { c.IDMRotate(p.container, p.view, p.document, ID_ROTATE_NUMERIC, degrees); });
}

void CSketchInterface::DMC_Rotate(int command) {
  const Press p = Lookup();
  PostTransform<TDMRotate>(p, [&](TDMRotate& c) { c.IDMRotate(p.container, p.view, p.document, command, 0); });
}

void CSketchInterface::DMC_HVFlip(int command) {
  const Press p = Lookup();
  if (command == ID_MIRROR_HORIZONTAL) {
    PostTransform<TDMHFlip>(p, [&](TDMHFlip& c) { c.IDMHFlip(p.container, p.view, p.document); });
  } else if (command == ID_MIRROR_VERTICAL) {
    PostTransform<TDMVFlip>(p, [&](TDMVFlip& c) { c.IDMVFlip(p.container, p.view, p.document); });
  }
}

void CSketchInterface::DMC_Cut() {
  const Press p = Lookup();
  if (p.container == nullptr) return;
  PostCommand(Make<TDMCCut>([&](TDMCCut& c) { c.IDMCCut(p.container, p.view, p.document); }).release());
}

void CSketchInterface::DMC_Copy() {
  const Press p = Lookup();
  if (p.container == nullptr) return;
  PostCommand(Make<TDMCCopy>([&](TDMCCopy& c) { c.IDMCCopy(p.container, p.document); }).release());
}

void CSketchInterface::DMC_Paste() {
  const Press p = Lookup();
  if (p.container == nullptr) return;
  PostCommand(Make<TDMCPaste>([&](TDMCPaste& c) { c.IDMCPaste(p.container, p.view, p.document); }).release());
}

void CSketchInterface::DMC_Clear() {
  const Press p = Lookup();
  if (p.container == nullptr) return;
  // Deleting nothing would be a step with nothing to undo, and would cut the
  // redo list for it.
  bool selected = false;
  ForEachSelected(*p.container, [&selected](TDShape&) { selected = true; });
  if (!selected) return;
  PostCommand(Make<TDMCClear>([&](TDMCClear& c) { c.IDMCClear(p.container, p.view, p.document); }).release());
}

void CSketchInterface::DMC_SelectAll() {
  const Press p = Lookup();
  if (p.container == nullptr) return;
  // Choosing figures is no step, as with the selection rectangle.
  p.container->SelectAll(1);
  SketchUpdateView(gActiveView, 0);
}
