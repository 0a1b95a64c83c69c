#include "BList.h"

#include <new>

IMPLEMENT_DYNAMIC(BList, CObject)

BList::~BList() { DeleteAll(); }

BPosition BList::AddTail(CObject* item) { return InsertPrev(nullptr, item); }

BPosition BList::AddHead(CObject* item) { return InsertPrev(fHead, item); }

BPosition BList::InsertPrev(BPosition pos, CObject* item) {
  // The module treats a null position as "out of memory" and reports it, so a
  // failed allocation must come back as null, not as an exception.
  BListEntry* entry = new (std::nothrow) BListEntry{};
  if (!entry) return nullptr;
  entry->fItem = item;
  entry->fNext = pos;
  entry->fPrev = pos ? pos->fPrev : fTail;
  (entry->fPrev ? entry->fPrev->fNext : fHead) = entry;
  (pos ? pos->fPrev : fTail) = entry;
  ++fCount;
  return entry;
}

BPosition BList::FindItem(const CObject* item) const {
  for (BPosition pos = fHead; pos; pos = pos->fNext) {
    if (pos->fItem == item) return pos;
  }
  return nullptr;
}

void BList::SetItem(BPosition pos, CObject* item) {
  if (pos) pos->fItem = item;
}

void BList::Delete(BPosition pos) {
  if (!pos) return;
  // Unlink before destroying, so that an object whose destructor looks at this
  // list finds it consistent and without the entry.
  (pos->fPrev ? pos->fPrev->fNext : fHead) = pos->fNext;
  (pos->fNext ? pos->fNext->fPrev : fTail) = pos->fPrev;
  --fCount;
  CObject* item = pos->fItem;
  delete pos;
  delete item;
}

void BList::DeleteAll() {
  // Detach the whole chain first, for the same reason as in Delete.
  BPosition pos = fHead;
  fHead = fTail = nullptr;
  fCount = 0;
  while (pos) {
    BPosition next = pos->fNext;
    CObject* item = pos->fItem;
    delete pos;
    delete item;
    pos = next;
  }
}

bool BList::Merge(const BList& other) {
  // Build the copied chain apart and splice it in only when every entry exists,
  // so a failure leaves this list as it was. Counting by other.fCount keeps a
  // merge of a list into itself from chasing its own new tail.
  BPosition first = nullptr;
  BPosition last = nullptr;
  BPosition src = other.fHead;
  const int count = other.fCount;
  for (int i = 0; i < count; ++i, src = src->fNext) {
    BListEntry* entry = new (std::nothrow) BListEntry{};
    if (!entry) {
      while (first) {
        BPosition next = first->fNext;
        delete first;
        first = next;
      }
      return false;
    }
    entry->fItem = src->fItem;
    entry->fPrev = last;
    (last ? last->fNext : first) = entry;
    last = entry;
  }
  if (!first) return true;
  first->fPrev = fTail;
  (fTail ? fTail->fNext : fHead) = first;
  fTail = last;
  fCount += count;
  return true;
}

int BList::GetIndexFromHandle(BPosition pos) const {
  if (!pos) return 0;
  int index = 1;
  for (BPosition p = fHead; p; p = p->fNext, ++index) {
    if (p == pos) return index;
  }
  return 0;
}

BPosition BList::GetHandleFromIndex(int index) const {
  if (index < 1 || index > fCount) return nullptr;
  BPosition pos = fHead;
  while (--index > 0) pos = pos->fNext;
  return pos;
}

CObject* BList::GetItemFromIndex(int index) const { return GetItem(GetHandleFromIndex(index)); }

void BList::DeleteFromIndex(int index) { Delete(GetHandleFromIndex(index)); }
