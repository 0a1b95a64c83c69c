#pragma once
// Resources as a library carries them: strings, menus, bitmaps, cursors and
// dialog templates, each under a number. A module's resources are compiled in as
// constant tables; its entry point hands them to the platform for its instance
// handle (OsAttachResources), as the loader would map a library's resource
// section, and the lookups below find them by instance and number.
//
// Texts are UTF-8.

#include <cstdint>

#include "OsWindows.h"

struct OsModuleInstance;
using HINSTANCE = OsModuleInstance*;

// Window, control and dialog styles, with the platform's values.
enum : DWORD {
  WS_CHILD = 0x40000000,
  WS_POPUP = 0x80000000,
  WS_VISIBLE = 0x10000000,
  WS_CAPTION = 0x00C00000,
  WS_SYSMENU = 0x00080000,
  WS_BORDER = 0x00800000,
  WS_GROUP = 0x00020000,
  WS_TABSTOP = 0x00010000,
  DS_MODALFRAME = 0x00000080,
  BS_PUSHBUTTON = 0x00000000,
  BS_DEFPUSHBUTTON = 0x00000001,
  BS_AUTORADIOBUTTON = 0x00000009,
  ES_AUTOHSCROLL = 0x00000080,
  ES_NUMBER = 0x00002000,
  SS_LEFT = 0x00000000,
  SS_RIGHT = 0x00000002,
};

struct OsStringResource {
  unsigned id;
  const char* text;
};

// A menu entry: a command (id non-zero, no items), a pop-up (items), or a
// separator (text null).
struct OsMenuItemResource {
  const char* text;
  unsigned id;
  const OsMenuItemResource* items;
  int count;
};

struct OsMenuResource {
  unsigned id;
  const OsMenuItemResource* items;
  int count;
};

// A picture drawn as rows of characters, top row first; each character stands
// for the palette entry at its position in `paletteChars`.
struct OsBitmapResource {
  unsigned id;
  int width;
  int height;
  int bitsPerPixel;
  const char* const* rows;
  const char* paletteChars;
  const RGBQUAD* palette;
};

// A monochrome cursor, 32 x 32, as rows of characters: '.' transparent,
// '#' black, 'o' white, '^' inverts the screen.
struct OsCursorResource {
  unsigned id;
  int hotX;
  int hotY;
  const char* const* rows;
};

struct OsDialogControlResource {
  const char* className;  // "BUTTON", "EDIT", "STATIC", or a registered class
  int id;                 // -1 for a control nobody asks for
  short x, y, cx, cy;     // dialog units
  const char* text;
  DWORD style;
  const char* initData;  // the control's persisted state, in its own format; or null
};

struct OsDialogResource {
  unsigned id;
  const char* title;   // null: no caption
  short x, y, cx, cy;  // dialog units
  const char* fontFace;
  int fontPoints;
  DWORD style;
  const OsDialogControlResource* controls;
  int count;
};

struct OsResourceTable {
  const OsStringResource* strings;
  int stringCount;
  const OsMenuResource* menus;
  int menuCount;
  const OsBitmapResource* bitmaps;
  int bitmapCount;
  const OsCursorResource* cursors;
  int cursorCount;
  const OsDialogResource* dialogs;
  int dialogCount;
};

// The library at `instance` carries `table` (not copied; it must outlive the
// attachment). A null table detaches.
void OsAttachResources(HINSTANCE instance, const OsResourceTable* table);

// Lookups by instance and number; a null instance searches every attached
// library in the order they were attached. Null when there is none.
const OsMenuResource* OsFindMenu(HINSTANCE instance, unsigned id);
const OsBitmapResource* OsFindBitmap(HINSTANCE instance, unsigned id);
const OsCursorResource* OsFindCursor(HINSTANCE instance, unsigned id);
const OsDialogResource* OsFindDialog(HINSTANCE instance, unsigned id);
const char* OsFindString(HINSTANCE instance, unsigned id);

// Copies string `id` into buffer, at most max - 1 bytes and never part of a
// character, and terminates it; returns the bytes copied (0 when there is no
// such string).
int LoadString(HINSTANCE instance, unsigned id, char* buffer, int max);
