#pragma once
// The words replay scripts use for the keys a host keeps the state of: one
// table for the host that records them and the one that reads them back.

#include <string_view>

#include "OsWindows.h"

struct ScriptKey {
  int virtualKey;
  const char* name;
};

inline constexpr ScriptKey kScriptKeys[] = {
    {VK_SHIFT, "shift"}, {VK_CONTROL, "ctrl"}, {VK_MENU, "alt"}, {VK_SPACE, "space"}};

// Space for anything else: the four are all a script can name.
inline const char* ScriptKeyName(int virtualKey) {
  for (const ScriptKey& key : kScriptKeys) {
    if (key.virtualKey == virtualKey) return key.name;
  }
  return "space";
}

inline int ScriptKeyCode(std::string_view name) {
  for (const ScriptKey& key : kScriptKeys) {
    if (name == key.name) return key.virtualKey;
  }
  return VK_SPACE;
}
