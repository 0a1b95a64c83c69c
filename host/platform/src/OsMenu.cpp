#include "OsMenu.h"

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

#include "OsResources.h"

struct OsMenuEntry {
  std::string text;
  UINT id = 0;
  bool separator = false;
  bool grayed = false;
  HMENU popup = nullptr;  // owned
};

struct OsMenu {
  std::vector<OsMenuEntry> entries;
};

namespace {

int gLiveMenus = 0;

void DestroyEntry(OsMenuEntry& entry) {
  if (entry.popup != nullptr) DestroyMenu(entry.popup);
  entry.popup = nullptr;
}

bool FillFromResource(HMENU menu, const OsMenuItemResource* items, int count) {
  for (int i = 0; i < count; ++i) {
    const OsMenuItemResource& item = items[i];
    if (item.text == nullptr) {
      AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
    } else if (item.items != nullptr) {
      HMENU popup = CreateMenu();
      if (popup == nullptr || !FillFromResource(popup, item.items, item.count)) {
        DestroyMenu(popup);
        return false;
      }
      AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), item.text);
    } else {
      AppendMenu(menu, MF_STRING, item.id, item.text);
    }
  }
  return true;
}

OsMenuEntry* FindCommand(HMENU menu, UINT id) {
  for (OsMenuEntry& e : menu->entries) {
    if (e.popup != nullptr) {
      if (OsMenuEntry* found = FindCommand(e.popup, id)) return found;
    } else if (!e.separator && e.id == id) {
      return &e;
    }
  }
  return nullptr;
}

OsMenuEntry* EntryAt(HMENU menu, int position) {
  if (menu == nullptr || position < 0 || position >= static_cast<int>(menu->entries.size())) return nullptr;
  return &menu->entries[static_cast<std::size_t>(position)];
}

}  // namespace

HMENU CreateMenu() {
  HMENU menu = new (std::nothrow) OsMenu;
  if (menu != nullptr) ++gLiveMenus;
  return menu;
}

HMENU LoadMenu(OsModuleInstance* instance, unsigned id) {
  const OsMenuResource* resource = OsFindMenu(instance, id);
  if (resource == nullptr) return nullptr;
  HMENU menu = CreateMenu();
  if (menu != nullptr && !FillFromResource(menu, resource->items, resource->count)) {
    DestroyMenu(menu);
    return nullptr;
  }
  return menu;
}

BOOL DestroyMenu(HMENU menu) {
  if (menu == nullptr) return 0;
  for (OsMenuEntry& e : menu->entries) DestroyEntry(e);
  delete menu;
  --gLiveMenus;
  return 1;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) {
  if (menu == nullptr) return 0;
  if (flags & MF_BYPOSITION) {
    OsMenuEntry* e = EntryAt(menu, static_cast<int>(position));
    if (e == nullptr) return 0;
    DestroyEntry(*e);
    menu->entries.erase(menu->entries.begin() + static_cast<std::ptrdiff_t>(position));
    return 1;
  }
  for (std::size_t i = 0; i < menu->entries.size(); ++i) {
    OsMenuEntry& e = menu->entries[i];
    if (e.popup == nullptr && !e.separator && e.id == position) {
      menu->entries.erase(menu->entries.begin() + static_cast<std::ptrdiff_t>(i));
      return 1;
    }
    if (e.popup != nullptr && DeleteMenu(e.popup, position, flags)) return 1;
  }
  return 0;
}

BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR item, const char* text) {
  if (menu == nullptr) return 0;
  OsMenuEntry entry;
  entry.text = text != nullptr ? text : "";
  entry.separator = (flags & MF_SEPARATOR) != 0;
  entry.grayed = (flags & MF_GRAYED) != 0;
  if (flags & MF_POPUP) {
    entry.popup = reinterpret_cast<HMENU>(item);
  } else if (!entry.separator) {
    entry.id = static_cast<UINT>(item);
  }
  const std::size_t at = std::min<std::size_t>(position, menu->entries.size());
  menu->entries.insert(menu->entries.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
  return 1;
}

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR item, const char* text) {
  return InsertMenu(menu, static_cast<UINT>(-1), flags, item, text);
}

int EnableMenuItem(HMENU menu, UINT id, UINT flags) {
  if (menu == nullptr) return -1;
  OsMenuEntry* e = FindCommand(menu, id);
  if (e == nullptr) return -1;
  const int previous = e->grayed ? MF_GRAYED : MF_ENABLED;
  e->grayed = (flags & MF_GRAYED) != 0;
  return previous;
}

int GetMenuItemCount(HMENU menu) { return menu != nullptr ? static_cast<int>(menu->entries.size()) : -1; }

UINT GetMenuItemID(HMENU menu, int position) {
  const OsMenuEntry* e = EntryAt(menu, position);
  return e != nullptr && e->popup == nullptr && !e->separator ? e->id : static_cast<UINT>(-1);
}

HMENU GetSubMenu(HMENU menu, int position) {
  const OsMenuEntry* e = EntryAt(menu, position);
  return e != nullptr ? e->popup : nullptr;
}

std::string OsGetMenuText(HMENU menu, int position) {
  const OsMenuEntry* e = EntryAt(menu, position);
  return e != nullptr ? e->text : std::string();
}

bool OsIsMenuItemGrayed(HMENU menu, int position) {
  const OsMenuEntry* e = EntryAt(menu, position);
  return e != nullptr && e->grayed;
}

int OsLiveMenuCount() { return gLiveMenus; }
