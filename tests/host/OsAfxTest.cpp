// The platform stand-in's run-time classes and allocation switches.

#include <gtest/gtest.h>

#include <cstring>

#include "OsAfx.h"
#include "OsRuntime.h"

namespace {

class Shape : public CObject {
  DECLARE_DYNAMIC(Shape)
};
IMPLEMENT_DYNAMIC(Shape, CObject)
struct Plain : CObject {};  // a CObject by its record

TEST(CObject, IsKindOfComparesRecordsNotNames) {
  // A look-alike record with the same name and base is still another class.
  const CRuntimeClass lookAlike = {"Shape", RUNTIME_CLASS(CObject)};
  EXPECT_TRUE(Shape().IsKindOf(RUNTIME_CLASS(Shape)));
  EXPECT_FALSE(Shape().IsKindOf(&lookAlike));
  EXPECT_FALSE(Plain().IsKindOf(RUNTIME_CLASS(Shape)));
}

// The lasting switch fails every allocation after n until reset, the one-shot
// switch only the next one; a failed reallocation keeps the block.
TEST(OsRuntime, TheSwitchesFailTheAllocationsTheyName) {
  const long long before = OsAllocationsConsulted();
  OsFailAllocationsAfter(1);
  auto* block = static_cast<char*>(OsMalloc(4));
  ASSERT_NE(block, nullptr);
  std::memcpy(block, "abc", 4);
  EXPECT_EQ(OsMalloc(1), nullptr);
  EXPECT_EQ(OsRealloc(block, 4096), nullptr);
  OsFailOneAllocationAfter(1);
  block = static_cast<char*>(OsRealloc(block, 4096));
  ASSERT_NE(block, nullptr);
  EXPECT_STREQ(block, "abc");
  EXPECT_EQ(OsMalloc(1), nullptr);
  void* third = OsMalloc(1);
  EXPECT_NE(third, nullptr);
  EXPECT_EQ(OsAllocationsConsulted() - before, 6);
  // Setting the lasting switch afterwards forgets the one-shot mode.
  OsFailOneAllocationAfter(0);
  OsFailAllocationsAfter(0);
  EXPECT_EQ(OsMalloc(1), nullptr);
  EXPECT_EQ(OsMalloc(1), nullptr);
  OsFailAllocationsAfter(-1);
  OsFree(block);
  OsFree(third);
}

}  // namespace
