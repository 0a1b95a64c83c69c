// BList: which objects it destroys, and merging all or nothing.

#include <gtest/gtest.h>

#include <vector>

#include "BList.h"
#include "OsRuntime.h"

namespace {

using Items = std::vector<CObject*>;

struct Counted : CObject {
  explicit Counted(int* destroyed) : fDestroyed(destroyed) {}
  ~Counted() override { ++*fDestroyed; }
  int* fDestroyed;
};

class BListTest : public ::testing::Test {
 protected:
  void TearDown() override { OsFailAllocationsAfter(-1); }

  Counted* Make() { return new Counted(&destroyed); }

  // Front to back; walking back must give the same, so the back links are right too.
  static Items Of(const BList& list) {
    Items items, back;
    for (BPosition pos = list.GetHeadPosition(); pos;) items.push_back(list.GetNext(pos));
    for (BPosition pos = list.GetTailPosition(); pos; pos = list.GetPrevPosition(pos)) {
      back.insert(back.begin(), list.GetItem(pos));
    }
    EXPECT_EQ(items, back);
    EXPECT_EQ(static_cast<int>(items.size()), list.GetCount());
    return items;
  }

  int destroyed = 0;
};

TEST_F(BListTest, DestroysWhatItHoldsAndNothingItWasToldToLetGo) {
  Counted kept(&destroyed);  // on the stack: the list must not destroy it
  {
    BList list;
    const BPosition pa = list.AddTail(Make());
    const BPosition pk = list.AddTail(&kept);
    list.AddTail(Make());
    list.AddTail(Make());
    list.AddTail(nullptr);
    list.Delete(pa);
    list.SetItem(pk, nullptr);
    list.Delete(pk);
    list.DeleteFromIndex(1);
    list.DeleteFromIndex(9);
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(Of(list).size(), 2u);
  }  // the destructor takes the last object and the empty entry
  EXPECT_EQ(destroyed, 3);
}

TEST_F(BListTest, AddAndMergeAreAllOrNothing) {
  BList list, other;
  Counted *a = Make(), *b = Make();
  list.AddTail(a);
  other.AddTail(b);
  other.AddTail(nullptr);
  other.AddTail(nullptr);

  OsFailAllocationsAfter(0);
  EXPECT_EQ(list.InsertPrev(list.GetHeadPosition(), b), nullptr);
  OsFailAllocationsAfter(2);  // the third of three entries fails
  EXPECT_FALSE(list.Merge(other));
  EXPECT_EQ(Of(list), (Items{a}));

  OsFailAllocationsAfter(-1);
  ASSERT_TRUE(list.Merge(other));
  ASSERT_TRUE(list.Merge(BList()));
  ASSERT_TRUE(list.Merge(list));  // into itself: every entry once more
  EXPECT_EQ(Of(list), (Items{a, b, nullptr, nullptr, a, b, nullptr, nullptr}));
  EXPECT_EQ(Of(other), (Items{b, nullptr, nullptr}));
  // Only the first a stays with the list; other destroys b.
  for (BPosition pos = list.GetHandleFromIndex(2); pos; pos = list.GetNextPosition(pos)) list.SetItem(pos, nullptr);
  EXPECT_EQ(destroyed, 0);
}

}  // namespace
