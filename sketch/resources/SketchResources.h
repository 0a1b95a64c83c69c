#pragma once
// The module's resources: strings, the menu, bitmaps, cursors and dialog
// templates, as constant tables. The module's entry point attaches
// kSketchResources for its instance (OsAttachResources); everything else finds
// them through the platform's lookups under the numbers below.
//
// The tables are constant-initialised (no constructors run): the host may call
// into the module, and so look up its resources, before this library's dynamic
// initialisers have run.

#include "HostCommands.h"
#include "OsResources.h"

// Strings. The module's name and its menu title.
enum : unsigned {
  IDS_MODULE_NAME = 0,  // "ｽｹｯﾁ機能ﾓｼﾞｭｰﾙ"
  IDS_SKETCH = 8000,    // "ｽｹｯﾁ"
  IDS_SKETCH_MENU = 8001,
  IDS_BAD_SCALE = 20000,  // the scale dialog's value is outside 1-1000
  IDS_BAD_ANGLE = 20001,  // the rotate dialog's value is outside 0-360
};

// The menu, and its commands. The commands of the scale, mirror and rotate
// pop-ups have a string under the same number: the status-bar text, a line
// break, and the tool tip. The menu ends with the host's display commands
// (HostCommands.h), which the module takes out before it shows the menu.
enum : unsigned {
  IDR_SKETCH_MENU = 5000,
  ID_SCALE_NUMERIC = 5100,
  ID_SCALE_MOUSE = 5101,
  ID_MIRROR_HORIZONTAL = 5110,
  ID_MIRROR_VERTICAL = 5111,
  ID_ROTATE_180 = 5120,
  ID_ROTATE_CLOCKWISE = 5121,
  ID_ROTATE_COUNTERCLOCKWISE = 5122,
  ID_ROTATE_NUMERIC = 5123,
  ID_ROTATE_MOUSE = 5124,
};

// Bitmaps, 8 bits a pixel, all with the same five-colour palette.
enum : unsigned {
  IDB_MODE_BUTTON = 2000,  // 42 x 42: a pencil drawing a square
  IDB_MODE_BUTTON_SELECTED = 2001,
  IDB_TOOL_PALETTE = 2002,  // the tool palette below
  IDB_TOOL_PALETTE_SELECTED = 2003,
};

// The tool palette: 55 x 170 pixels, two columns of eight buttons. Tool t sits
// in row t / 2 and column t % 2. Column 0 covers x 0..26 (27 pixels), column 1
// x 27..54 (28 pixels); row r covers y 21r..21r+20, so the buttons end at y 167
// and the last two rows (y 168 and 169) are plain face grey in both pictures.
//
// A button in IDB_TOOL_PALETTE is raised: white top row and left column, black
// bottom row and right column, dark grey just inside those two. In
// IDB_TOOL_PALETTE_SELECTED every button is pressed: black top row and left
// column, dark grey just inside them, white bottom row and right column, a blue
// face, and the picture one pixel right and down. The mode button (42 x 42)
// follows the same rules.
inline constexpr int kToolPaletteWidth = 55;
inline constexpr int kToolPaletteHeight = 170;
inline constexpr int kToolRows = 8;
inline constexpr int kToolColumns = 2;
inline constexpr int kToolButtons = kToolRows * kToolColumns;  // the tools 0-15 (SketchTools.h)
inline constexpr int kToolCellHeight = 21;
inline constexpr int kToolColumnLeft[kToolColumns + 1] = {0, 27, 55};  // and the right end
inline constexpr int kModeButtonSize = 42;

// Cursors, 32 x 32.
enum : unsigned {
  IDCUR_SOLID_ARROW = 4000,   // hot spot (0, 0), the tip
  IDCUR_HOLLOW_ARROW = 4001,  // (0, 0), the tip
  IDCUR_HAND = 4002,          // (6, 7), the palm
  IDCUR_MAGNIFIER = 4003,     // (4, 4), the middle of the lens
  IDCUR_CROSS_HAIR = 4004,    // (7, 7), where the inverting lines cross
  IDCUR_MAGNIFIER_PLUS = 4028,
  IDCUR_MAGNIFIER_MINUS = 4029,
};

// Dialog templates and the controls the module talks to. The dialogs' OK and
// Cancel buttons have the platform's numbers 1 and 2.
enum : unsigned {
  IDD_SCALE = 2100,    // scale factor in per cent
  IDD_ROTATE = 2200,   // angle in degrees, and its direction
  IDD_POLYGON = 2004,  // child window: the number of a polygon's vertices
  IDC_VALUE = 2101,    // the number typed into IDD_SCALE or IDD_ROTATE
  IDC_CLOCKWISE = 2201,
  IDC_COUNTERCLOCKWISE = 2202,
  IDC_VERTEX_COUNT = 2005,  // a "PScrollBar" control
};

inline constexpr int kSketchBitmapCount = 4;
inline constexpr int kSketchCursorCount = 7;

// The pictures live in their own files (SketchBitmaps.cpp, SketchCursors.cpp);
// kSketchResources points at them.
extern const OsBitmapResource kSketchBitmaps[kSketchBitmapCount];
extern const OsCursorResource kSketchCursors[kSketchCursorCount];

extern const OsResourceTable kSketchResources;
