#pragma once
// The module's tools: the number of each, which the host's tool palette and
// gCurrentTool carry, and one row a tool of what the module does with it. A new
// tool is an enumerator, a row, its tracker, and its press handler in the
// interface unless it shares one (the drawing tools share theirs and say in
// their tracker which figure they draw).

#include "OsImgTypes.h"

class CSketchInterface;

// Tools 0-15 are the palette's buttons, row by row (kToolButtons); the scale
// and rotate tools have none and are chosen from the menu.
enum SketchToolNumber : int {
  kToolArrow = 0,
  kToolWhiteArrow = 1,
  kToolHand = 2,
  kToolZoom = 3,
  kToolRectangle = 4,
  kToolOval = 5,
  kToolFreeLine = 6,
  kToolPen = 7,
  kToolLine = 8,
  kToolMultiLine = 9,
  kToolScissors = 10,
  kToolJoin = 11,
  kToolAddPoint = 12,
  kToolDeletePoint = 13,
  kToolPolygon = 14,
  kToolEditPoint = 15,
  kToolScale = 16,
  kToolRotate = 17,
  kToolCount = 18,
};

struct SketchTool {
  SketchToolNumber number;
  const char* name;   // a short English name, which a host shows as the tool's tip
  unsigned cursor;    // the cursor resource; the zoom tool's while a click would not zoom
  int change;         // what its gesture's history step is called (SketchChanges.h); 0: it makes none
  int optionPalette;  // the option palette it shows (a dialog template), or -1
  // What a left-button press with the tool does.
  void (CSketchInterface::*press)(OsImgPoint& point, int flags);
  char shortcut;  // the key that chooses it (a capital letter or a sign), or 0
};

// Exported from Sketch.MOD under this plain name: a host reads the names and
// keys for its palette from the loaded module.
extern const SketchTool kSketchTools[kToolCount];

// The row of a tool number; null for a number that is no tool.
const SketchTool* FindSketchTool(int tool);
