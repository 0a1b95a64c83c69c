// The platform stand-in's run-time classes, memory exception, beeps and
// allocation switch.

#include <gtest/gtest.h>

#include <cstring>

#include "BList.h"
#include "BView.h"
#include "OsAfx.h"
#include "OsPlatformHost.h"
#include "OsRuntime.h"
#include "OsWindows.h"

namespace {

class Shape : public CObject {
  DECLARE_DYNAMIC(Shape)
};
class Circle : public Shape {
  DECLARE_DYNAMIC(Circle)
};
IMPLEMENT_DYNAMIC(Shape, CObject)
IMPLEMENT_DYNAMIC(Circle, Shape)

TEST(CObject, IsKindOfWalksTheBaseChainByRecordAddress) {
  const Circle circle;
  const Shape shape;
  EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(Circle)));
  EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(Shape)));
  EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(shape.IsKindOf(RUNTIME_CLASS(Circle)));
  EXPECT_FALSE(BView().IsKindOf(RUNTIME_CLASS(BList)));

  // A look-alike record with the same name and base is still another class.
  const CRuntimeClass lookAlike = {"Shape", RUNTIME_CLASS(CObject)};
  EXPECT_FALSE(circle.IsKindOf(&lookAlike));

  EXPECT_STREQ(RUNTIME_CLASS(CObject)->m_lpszClassName, "CObject");
  EXPECT_EQ(RUNTIME_CLASS(CObject)->m_pBaseClass, nullptr);
}

TEST(CObject, AfxThrowMemoryExceptionThrowsCMemoryException) {
  EXPECT_THROW(AfxThrowMemoryException(), CMemoryException);
}

TEST(MessageBeep, IsRecordedInOrderUntilCleared) {
  OsClearBeeps();
  EXPECT_EQ(MessageBeep(0x30), 1);
  MessageBeep(0);
  MessageBeep(0xFFFFFFFFu);
  EXPECT_EQ(OsGetBeeps(), (std::vector<unsigned>{0x30, 0, 0xFFFFFFFFu}));
  OsClearBeeps();
  EXPECT_TRUE(OsGetBeeps().empty());
}

TEST(OsRuntime, TheSwitchLetsNAllocationsThroughThenFailsUntilReset) {
  OsFailAllocationsAfter(2);
  EXPECT_FALSE(OsAllocationShouldFail());
  EXPECT_FALSE(OsAllocationShouldFail());
  EXPECT_TRUE(OsAllocationShouldFail());
  EXPECT_TRUE(OsAllocationShouldFail());
  OsFailAllocationsAfter(-1);
  EXPECT_FALSE(OsAllocationShouldFail());

  OsFailAllocationsAfter(1);
  auto* block = static_cast<char*>(OsMalloc(4));
  ASSERT_NE(block, nullptr);
  std::memcpy(block, "abc", 4);
  EXPECT_EQ(OsMalloc(1), nullptr);
  EXPECT_EQ(OsRealloc(block, 4096), nullptr);
  EXPECT_STREQ(block, "abc");  // a failed realloc leaves the block alone

  OsFailAllocationsAfter(-5);
  block = static_cast<char*>(OsRealloc(block, 4096));
  ASSERT_NE(block, nullptr);
  EXPECT_STREQ(block, "abc");
  OsFree(block);
}

}  // namespace
