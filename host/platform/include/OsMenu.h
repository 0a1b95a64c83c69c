#pragma once
// Menus: a menu is a list of entries, each a command, a pop-up (with a menu of
// its own, owned by the entry) or a separator. Positions count from 0.

#include <string>

#include "OsWindows.h"

struct OsMenu;
using HMENU = OsMenu*;
using UINT_PTR = std::uintptr_t;

enum : UINT {
  MF_BYCOMMAND = 0x0000,
  MF_BYPOSITION = 0x0400,
  MF_STRING = 0x0000,
  MF_POPUP = 0x0010,
  MF_SEPARATOR = 0x0800,
  MF_ENABLED = 0x0000,
  MF_GRAYED = 0x0001,
};

HMENU CreateMenu();
// Builds the menu resource `id` of the library at `instance`; null when missing.
HMENU LoadMenu(OsModuleInstance* instance, unsigned id);
// Destroys the menu and every pop-up it holds.
BOOL DestroyMenu(HMENU menu);
// Removes an entry (by position or by command); a pop-up entry's menu is destroyed.
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);
// Inserts before `position` (by position; past the end appends). With MF_POPUP,
// `item` is the pop-up's HMENU, which the entry then owns.
BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR item, const char* text);
BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR item, const char* text);
// By command, searching pop-ups too. Returns the previous state (MF_ENABLED or
// MF_GRAYED), or -1 when there is no such command.
int EnableMenuItem(HMENU menu, UINT id, UINT flags);

int GetMenuItemCount(HMENU menu);
// The command of the entry at `position`; (UINT)-1 for a pop-up or separator.
UINT GetMenuItemID(HMENU menu, int position);
HMENU GetSubMenu(HMENU menu, int position);
// The text of the entry at `position` ("" for a separator), and whether it is greyed.
std::string OsGetMenuText(HMENU menu, int position);
bool OsIsMenuItemGrayed(HMENU menu, int position);

// Menus created and not yet destroyed, for leak checks.
int OsLiveMenuCount();
