#include "OsWindows.h"
#include "OsPlatformHost.h"

#include <map>
#include <new>
#include <set>
#include <string>
#include <vector>

#include "OsResources.h"

namespace {
int gScreenWidth = 1024;
int gScreenHeight = 768;

// A function-local static so that a beep sounded during another library's static
// initialisation still finds the list constructed.
std::vector<unsigned>& Beeps() {
  static auto* beeps = new std::vector<unsigned>;  // outlives a library still loaded at exit
  return *beeps;
}
}  // namespace

void OsSetScreenSize(int width, int height) {
  gScreenWidth = width;
  gScreenHeight = height;
}

int GetSystemMetrics(int nIndex) {
  switch (nIndex) {
    case SM_CXSCREEN: return gScreenWidth;
    case SM_CYSCREEN: return gScreenHeight;
    default: return 0;
  }
}

BOOL MessageBeep(unsigned type) {
  Beeps().push_back(type);
  return 1;
}

const std::vector<unsigned>& OsGetBeeps() { return Beeps(); }

void OsClearBeeps() { Beeps().clear(); }

// ---- keys, message position, registered messages --------------------------

namespace {
std::map<int, bool>& Keys() {
  static auto* keys = new std::map<int, bool>;  // outlives a library still loaded at exit
  return *keys;
}
DWORD gMessagePos = 0;
}  // namespace

void OsSetKeyDown(int virtualKey, bool down) { Keys()[virtualKey] = down; }
void OsReleaseAllKeys() { Keys().clear(); }

short GetKeyState(int virtualKey) {
  auto it = Keys().find(virtualKey);
  return it != Keys().end() && it->second ? static_cast<short>(0x8000) : 0;
}

void OsSetMessagePos(int x, int y) {
  gMessagePos = (static_cast<DWORD>(y & 0xFFFF) << 16) | static_cast<DWORD>(x & 0xFFFF);
}

DWORD GetMessagePos() { return gMessagePos; }

UINT RegisterWindowMessage(const char* name) {
  static std::map<std::string, UINT> messages;
  if (name == nullptr) return 0;
  auto [it, added] = messages.emplace(name, 0xC000 + static_cast<UINT>(messages.size()));
  return it->second;
}

// ---- cursors ----------------------------------------------------------------

struct OsCursor {
  unsigned id;
};

namespace {
std::set<HCURSOR>& LiveCursors() {
  // The system's table outlives every library: a module still loaded when the
  // process exits destroys its cursors after this file's statics are gone.
  static auto* cursors = new std::set<HCURSOR>;
  return *cursors;
}
HCURSOR gShownCursor = nullptr;
}  // namespace

HCURSOR LoadCursor(OsModuleInstance* instance, unsigned id) {
  if (OsFindCursor(instance, id) == nullptr) return nullptr;
  auto* cursor = new (std::nothrow) OsCursor{id};
  if (cursor != nullptr) LiveCursors().insert(cursor);
  return cursor;
}

BOOL DestroyCursor(HCURSOR cursor) {
  if (LiveCursors().erase(cursor) == 0) return 0;
  if (gShownCursor == cursor) gShownCursor = nullptr;
  delete cursor;
  return 1;
}

HCURSOR SetCursor(HCURSOR cursor) {
  HCURSOR previous = gShownCursor;
  gShownCursor = LiveCursors().count(cursor) != 0 ? cursor : nullptr;
  return previous;
}

unsigned OsCursorResourceId(const OsCursor* cursor) {
  return LiveCursors().count(const_cast<OsCursor*>(cursor)) != 0 ? cursor->id : 0;
}

unsigned OsGetShownCursorId() { return gShownCursor != nullptr ? gShownCursor->id : 0; }
int OsLiveCursorCount() { return static_cast<int>(LiveCursors().size()); }
