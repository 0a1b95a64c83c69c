#include <gtest/gtest.h>

#include "OsPlatformHost.h"
#include "OsWindows.h"

namespace {

TEST(GetSystemMetrics, ReportsTheScreenSizeTheHostSet) {
  OsSetScreenSize(1920, 1080);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1080);
  EXPECT_EQ(GetSystemMetrics(42), 0);
  OsSetScreenSize(1024, 768);
}

}  // namespace
