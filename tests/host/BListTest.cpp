// BList order, positions, indexes and, above all, which objects it destroys.

#include <gtest/gtest.h>

#include <vector>

#include "BList.h"
#include "OsRuntime.h"

namespace {

class Counted : public CObject {
 public:
  explicit Counted(int* destroyed) : fDestroyed(destroyed) {}
  ~Counted() override { ++*fDestroyed; }

 private:
  int* fDestroyed;
};

class BListTest : public ::testing::Test {
 protected:
  void TearDown() override { OsFailAllocationsAfter(-1); }

  Counted* Make() { return new Counted(&destroyed); }

  static std::vector<CObject*> Items(const BList& list) {
    std::vector<CObject*> items;
    for (BPosition pos = list.GetHeadPosition(); pos;) items.push_back(list.GetNext(pos));
    // Walking back must give the same entries, so the back links are right too.
    std::vector<CObject*> back;
    for (BPosition pos = list.GetTailPosition(); pos; pos = list.GetPrevPosition(pos)) {
      back.insert(back.begin(), list.GetItem(pos));
    }
    EXPECT_EQ(items, back);
    EXPECT_EQ(static_cast<int>(items.size()), list.GetCount());
    return items;
  }

  int destroyed = 0;
};

TEST_F(BListTest, AddsAndInsertsAtEveryPlaceAndIndexesFromOne) {
  BList list;
  Counted *a = Make(), *b = Make(), *c = Make(), *d = Make(), *e = Make();
  list.AddTail(a);
  const BPosition pb = list.AddTail(b);
  list.AddHead(c);
  const BPosition pd = list.InsertPrev(pb, d);
  list.InsertPrev(nullptr, e);
  EXPECT_EQ(Items(list), (std::vector<CObject*>{c, a, d, b, e}));

  EXPECT_EQ(list.FindItem(d), pd);
  EXPECT_EQ(list.FindItem(nullptr), nullptr);
  EXPECT_EQ(list.GetIndexFromHandle(pd), 3);
  EXPECT_EQ(list.GetIndexFromHandle(nullptr), 0);
  EXPECT_EQ(list.GetHandleFromIndex(4), pb);
  EXPECT_EQ(list.GetHandleFromIndex(0), nullptr);
  EXPECT_EQ(list.GetHandleFromIndex(6), nullptr);
  EXPECT_EQ(list.GetItemFromIndex(5), e);
}

TEST_F(BListTest, DestroysWhatItHoldsAndNothingItWasToldToLetGo) {
  Counted* kept = Make();
  {
    BList list;
    Counted* a = Make();
    const BPosition pa = list.AddTail(a);
    const BPosition pk = list.AddTail(kept);
    list.AddTail(Make());
    list.AddTail(Make());
    list.AddTail(nullptr);

    list.Delete(pa);
    EXPECT_EQ(destroyed, 1);
    list.SetItem(pk, nullptr);
    list.Delete(pk);
    EXPECT_EQ(destroyed, 1);
    list.DeleteFromIndex(1);
    EXPECT_EQ(destroyed, 2);
    list.DeleteFromIndex(9);
    EXPECT_EQ(list.GetCount(), 2);
  }  // the destructor takes the last object and the empty entry
  EXPECT_EQ(destroyed, 3);
  delete kept;

  BList list;
  list.AddTail(Make());
  list.AddHead(Make());
  list.DeleteAll();
  EXPECT_EQ(destroyed, 6);
  EXPECT_TRUE(Items(list).empty());
}

TEST_F(BListTest, MergeAppendsTheOtherListsEntriesAndKeepsThem) {
  BList list, other;
  Counted *a = Make(), *b = Make(), *c = Make();
  list.AddTail(a);
  other.AddTail(b);
  other.AddTail(c);
  ASSERT_TRUE(list.Merge(other));
  ASSERT_TRUE(list.Merge(BList()));
  EXPECT_EQ(Items(list), (std::vector<CObject*>{a, b, c}));
  EXPECT_EQ(Items(other), (std::vector<CObject*>{b, c}));

  for (BPosition pos = other.GetHeadPosition(); pos; pos = other.GetNextPosition(pos)) {
    other.SetItem(pos, nullptr);
  }
  other.DeleteAll();
  EXPECT_EQ(destroyed, 0);
}

TEST_F(BListTest, AFailedAllocationLeavesTheListUnchanged) {
  BList list, other;
  Counted *a = Make(), *b = Make();
  list.AddTail(a);
  for (int i = 0; i < 3; ++i) other.AddTail(nullptr);

  OsFailAllocationsAfter(0);
  EXPECT_EQ(list.AddTail(b), nullptr);
  EXPECT_EQ(list.AddHead(b), nullptr);
  EXPECT_EQ(list.InsertPrev(list.GetHeadPosition(), b), nullptr);
  OsFailAllocationsAfter(2);  // the third of three entries fails
  EXPECT_FALSE(list.Merge(other));
  EXPECT_EQ(Items(list), (std::vector<CObject*>{a}));

  OsFailAllocationsAfter(-1);
  EXPECT_NE(list.AddTail(b), nullptr);
  EXPECT_TRUE(list.Merge(other));
  EXPECT_EQ(Items(list), (std::vector<CObject*>{a, b, nullptr, nullptr, nullptr}));
}

}  // namespace
