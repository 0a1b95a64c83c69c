#pragma once
// The change numbers the module's steps give the host's history (ITracker,
// ICommand), each with the name a host shows for the step in its undo and redo
// entries, in English (a host translates them). Constants only: a host names
// the steps without linking the module.

#include "HostCommands.h"
#include "resources/SketchResources.h"

// A name a person reads: a host shows it translated in `context`, and its
// translation tool finds it by this mark.
#define SKETCH_TEXT(context, text) text

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
    {kChangeDrag, SKETCH_TEXT("SketchChanges", "Move")},
    {kChangeSelect, SKETCH_TEXT("SketchChanges", "Select")},
    {kChangeDraw, SKETCH_TEXT("SketchChanges", "Draw")},
    {kChangeAddPoint, SKETCH_TEXT("SketchChanges", "Add Point")},
    {kChangeDeletePoint, SKETCH_TEXT("SketchChanges", "Delete Point")},
    {kChangeScissor, SKETCH_TEXT("SketchChanges", "Cut Path")},
    {kChangeJoin, SKETCH_TEXT("SketchChanges", "Join")},
    {kChangeMovePoint, SKETCH_TEXT("SketchChanges", "Move Point")},
    {kChangeMoveCenter, SKETCH_TEXT("SketchChanges", "Move Centre")},
    {kChangeClone, SKETCH_TEXT("SketchChanges", "Duplicate")},
    {kChangeEditPoint, SKETCH_TEXT("SketchChanges", "Edit Point")},
    {kChangePen, SKETCH_TEXT("SketchChanges", "Pen")},
    {kChangeMouseScale, SKETCH_TEXT("SketchChanges", "Scale")},
    {kChangeMouseRotate, SKETCH_TEXT("SketchChanges", "Rotate")},
    {kChangeRotate, SKETCH_TEXT("SketchChanges", "Rotate")},
    {kChangeScale, SKETCH_TEXT("SketchChanges", "Scale")},
    {kChangeMirrorHorizontal, SKETCH_TEXT("SketchChanges", "Flip Horizontally")},
    {kChangeMirrorVertical, SKETCH_TEXT("SketchChanges", "Flip Vertically")},
    {kChangeCopy, SKETCH_TEXT("SketchChanges", "Copy")},
    {kChangeCut, SKETCH_TEXT("SketchChanges", "Cut")},
    {kChangePaste, SKETCH_TEXT("SketchChanges", "Paste")},
    {kChangeClear, SKETCH_TEXT("SketchChanges", "Delete")},
};

// The name of the step a change number stands for; null for a number the
// module never gives.
constexpr const char* ChangeStepName(int change) {
  for (const SketchChangeStep& step : kSketchChangeSteps) {
    if (step.change == change) return step.name;
  }
  return nullptr;
}
