#pragma once
// The host's menu commands, as a module and the host's own menu bar name them:
// the class library's standard commands under its usual names, and the host's
// display commands.

enum : int {
  // The display commands: the module's composition reads the last choice of
  // each group, which BModuleInterface::DoMenuCommand records.
  ID_DISPLAY_BLACK = 5130,
  ID_DISPLAY_TRANSPARENT = 5131,
  ID_DISPLAY_INVERTED = 5132,
  ID_DISPLAY_PALETTE = 5133,  // the host's palette entry fPaletteIndex
  ID_DISPLAY_SHOW = 5140,
  ID_DISPLAY_HIDE = 5141,

  // Redraw the sketch: a module may take it and do nothing.
  ID_DRAW_SKETCH = 1003,

  ID_FILE_OPEN = 57601,
  ID_FILE_CLOSE = 57602,
  ID_EDIT_CLEAR = 57632,  // delete the selection
  ID_EDIT_COPY = 57634,
  ID_EDIT_CUT = 57635,
  ID_EDIT_PASTE = 57637,
  ID_EDIT_SELECT_ALL = 57642,
  ID_EDIT_UNDO = 57643,
  ID_EDIT_REDO = 57644,
  // The class library's cascade command, which the host's Window menu offers
  // as its one arrangement of the document windows.
  ID_WINDOW_CASCADE = 57650,
  ID_APP_ABOUT = 57664,
  ID_APP_EXIT = 57665,
};
