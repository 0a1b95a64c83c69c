#include "OsResources.h"

#include <cstring>
#include <vector>

namespace {

struct Attachment {
  HINSTANCE instance;
  const OsResourceTable* table;
};

// A function-local static: a module attaches its resources from its entry point,
// which a host may call while other libraries are still being initialised.
std::vector<Attachment>& Attachments() {
  static auto* attachments = new std::vector<Attachment>;  // outlives a library still loaded at exit
  return *attachments;
}

// Finds `id` among the `count` entries of `items`, each carrying its number in
// `id`. The first one wins, as the loader's directory would give it.
template <typename T>
const T* FindIn(const T* items, int count, unsigned id) {
  for (int i = 0; i < count; ++i) {
    if (items[i].id == id) return &items[i];
  }
  return nullptr;
}

// Searches the table of `instance`, or every table in attach order when the
// instance is null; `find` looks in one table.
template <typename T, typename Find>
const T* Search(HINSTANCE instance, Find find) {
  for (const Attachment& attachment : Attachments()) {
    if (instance != nullptr && attachment.instance != instance) continue;
    if (const T* found = find(*attachment.table)) return found;
    if (instance != nullptr) return nullptr;
  }
  return nullptr;
}

}  // namespace

void OsAttachResources(HINSTANCE instance, const OsResourceTable* table) {
  // A library always has an instance handle; a null one names no library, and
  // lookups use null for "every library".
  if (instance == nullptr) return;
  std::vector<Attachment>& attachments = Attachments();
  for (auto it = attachments.begin(); it != attachments.end(); ++it) {
    if (it->instance != instance) continue;
    // Re-attaching keeps the library's place in the search order.
    if (table == nullptr) {
      attachments.erase(it);
    } else {
      it->table = table;
    }
    return;
  }
  if (table != nullptr) attachments.push_back({instance, table});
}

const OsMenuResource* OsFindMenu(HINSTANCE instance, unsigned id) {
  return Search<OsMenuResource>(instance, [id](const OsResourceTable& t) { return FindIn(t.menus, t.menuCount, id); });
}

const OsBitmapResource* OsFindBitmap(HINSTANCE instance, unsigned id) {
  return Search<OsBitmapResource>(instance,
                                  [id](const OsResourceTable& t) { return FindIn(t.bitmaps, t.bitmapCount, id); });
}

const OsCursorResource* OsFindCursor(HINSTANCE instance, unsigned id) {
  return Search<OsCursorResource>(instance,
                                  [id](const OsResourceTable& t) { return FindIn(t.cursors, t.cursorCount, id); });
}

const OsDialogResource* OsFindDialog(HINSTANCE instance, unsigned id) {
  return Search<OsDialogResource>(instance,
                                  [id](const OsResourceTable& t) { return FindIn(t.dialogs, t.dialogCount, id); });
}

const char* OsFindString(HINSTANCE instance, unsigned id) {
  const OsStringResource* found = Search<OsStringResource>(
      instance, [id](const OsResourceTable& t) { return FindIn(t.strings, t.stringCount, id); });
  return found != nullptr ? found->text : nullptr;
}

int LoadString(HINSTANCE instance, unsigned id, char* buffer, int max) {
  // Without room for even the terminator there is nothing the call may write.
  if (buffer == nullptr || max <= 0) return 0;
  const char* text = OsFindString(instance, id);
  if (text == nullptr) {
    buffer[0] = '\0';
    return 0;
  }
  const std::size_t length = std::strlen(text);
  std::size_t n = length < static_cast<std::size_t>(max - 1) ? length : static_cast<std::size_t>(max - 1);
  // Cutting inside a multi-byte character would leave the caller an invalid
  // text; back up to the start of the character that does not fit.
  while (n > 0 && n < length && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
  std::memcpy(buffer, text, n);
  buffer[n] = '\0';
  return static_cast<int>(n);
}
