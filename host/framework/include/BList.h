#pragma once
// The host's list of CObject pointers. A list owns what it holds: Delete and
// DeleteAll destroy the objects still in their entries, and so does destroying
// the list. To take an object out alive, empty its entry first (SetItem with
// null), then delete the entry.
//
// Positions are opaque handles that stay valid until their entry is deleted.
// Indexes count from 1; 0 means "not in the list".

#include "OsAfx.h"

// Defined here so that walking a list, which every repaint does for every
// figure, costs no call into the framework.
struct BListEntry {
  BListEntry* fPrev = nullptr;
  BListEntry* fNext = nullptr;
  CObject* fItem = nullptr;
};
using BPosition = BListEntry*;

class BList : public CObject {
  DECLARE_DYNAMIC(BList)

 public:
  BList() = default;
  BList(const BList&) = delete;
  BList& operator=(const BList&) = delete;
  ~BList() override;

  int GetCount() const { return fCount; }
  bool IsEmpty() const { return fCount == 0; }

  BPosition GetHeadPosition() const { return fHead; }
  BPosition GetTailPosition() const { return fTail; }
  BPosition GetNextPosition(BPosition pos) const { return pos ? pos->fNext : nullptr; }
  BPosition GetPrevPosition(BPosition pos) const { return pos ? pos->fPrev : nullptr; }

  // The item at pos (null for a null position or an emptied entry).
  CObject* GetItem(BPosition pos) const { return pos ? pos->fItem : nullptr; }
  // The item at pos, moving pos on to the next entry (null after the tail).
  CObject* GetNext(BPosition& pos) const {
    if (!pos) return nullptr;
    CObject* item = pos->fItem;
    pos = pos->fNext;
    return item;
  }

  // Each returns the new entry's position, or null when it cannot be allocated
  // (the list is then unchanged).
  BPosition AddTail(CObject* item);
  BPosition AddHead(CObject* item);
  BPosition InsertPrev(BPosition pos, CObject* item);  // before pos; null pos: at the tail

  // The first entry holding item, or null.
  BPosition FindItem(const CObject* item) const;
  // Replaces the entry's item without destroying the old one.
  void SetItem(BPosition pos, CObject* item);

  // Removes the entry, destroying the object it still holds.
  void Delete(BPosition pos);
  void DeleteAll();

  // Appends the entries of other, in order, without removing them there: both
  // lists then hold the same objects, and the caller must empty one side.
  bool Merge(const BList& other);

  int GetIndexFromHandle(BPosition pos) const;
  BPosition GetHandleFromIndex(int index) const;
  CObject* GetItemFromIndex(int index) const;
  void DeleteFromIndex(int index);

 private:
  BPosition fHead = nullptr;
  BPosition fTail = nullptr;
  int fCount = 0;
};
