#pragma once
// The change numbers the module's steps give the host's history (ITracker,
// ICommand), each with the name a host shows for the step in its undo and redo
// entries, in English (a host translates them). Constants only: a host names
// the steps without linking the module.

#include "HostCommands.h"
#include "resources/SketchResources.h"

enum SketchChange : int {
  kChangeDrag = 30000,         // TDCDrag
  kChangeSelect = 30001,       // TDCSelect, which the history does not keep
  kChangeDraw = 30002,         // TDCGrow
  kChangeAddPoint = 30003,     // TDCAddPt
  kChangeDeletePoint = 30004,  // TDCDelPt
  kChangeScissor = 30005,      // TDCScissor
  kChangeJoin = 30006,         // TDCJoin
  kChangeMovePoint = 30007,    // TDCDirect and the point drags it hands over to
  kChangeMoveCenter = 30008,   // TDCCenter
  kChangeClone = 30009,        // TDCClone
  kChangeEditPoint = 30011,    // TDCEdit
  kChangePen = 30012,          // TDCPens
  kChangeMouseScale = 30013,   // TDCScale
  kChangeMouseRotate = 30014,  // TDCRotate
  kChangeRotate = 30017,       // TDMRotate, from the menu or its dialog
  kChangeScale = 30018,        // TDMScale, from the scale dialog
  // The menu commands that are steps of their own carry their command's number.
  kChangeMirrorHorizontal = ID_MIRROR_HORIZONTAL,
  kChangeMirrorVertical = ID_MIRROR_VERTICAL,
  kChangeCopy = ID_EDIT_COPY,
  kChangeCut = ID_EDIT_CUT,
  kChangePaste = ID_EDIT_PASTE,
  kChangeClear = ID_EDIT_CLEAR,
};

struct SketchChangeStep {
  int change;
  const char* name;
};

inline constexpr SketchChangeStep kSketchChangeSteps[] = {
    {kChangeDrag, "Move"},
    {kChangeSelect, "Select"},
    {kChangeDraw, "Draw"},
    {kChangeAddPoint, "Add Point"},
    {kChangeDeletePoint, "Delete Point"},
    {kChangeScissor, "Cut Path"},
    {kChangeJoin, "Join"},
    {kChangeMovePoint, "Move Point"},
    {kChangeMoveCenter, "Move Centre"},
    {kChangeClone, "Duplicate"},
    {kChangeEditPoint, "Edit Point"},
    {kChangePen, "Pen"},
    {kChangeMouseScale, "Scale"},
    {kChangeMouseRotate, "Rotate"},
    {kChangeRotate, "Rotate"},
    {kChangeScale, "Scale"},
    {kChangeMirrorHorizontal, "Flip Horizontally"},
    {kChangeMirrorVertical, "Flip Vertically"},
    {kChangeCopy, "Copy"},
    {kChangeCut, "Cut"},
    {kChangePaste, "Paste"},
    {kChangeClear, "Delete"},
};

// The name of the step a change number stands for; null for a number the
// module never gives.
constexpr const char* ChangeStepName(int change) {
  for (const SketchChangeStep& step : kSketchChangeSteps) {
    if (step.change == change) return step.name;
  }
  return nullptr;
}
