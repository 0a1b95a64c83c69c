// The platform's resource lookups: attaching tables for instances, search order,
// and LoadString's copying.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "OsResources.h"

namespace {

// Ids no other test's tables use, so that tables other tests leave attached
// cannot answer for ours.
constexpr unsigned kShared = 61001;
constexpr unsigned kOnlyA = 61002;
constexpr unsigned kOnlyB = 61003;
constexpr unsigned kMissing = 61099;

constexpr OsStringResource kStringsA[] = {{kShared, "a"}, {kOnlyA, "only a"}, {kShared, "a again"}};
constexpr OsStringResource kStringsA2[] = {{kShared, "a2"}};
constexpr OsStringResource kStringsB[] = {{kShared, "b"}, {kOnlyB, "only b"}};

constexpr OsMenuItemResource kItem[] = {{"Item", 1, nullptr, 0}};
constexpr OsMenuResource kMenusB[] = {{kOnlyB, kItem, 1}, {kShared, kItem, 1}};
constexpr const char* kRows[] = {"ab"};
constexpr RGBQUAD kColors[] = {{1, 2, 3, 0}, {4, 5, 6, 0}};
constexpr OsBitmapResource kBitmapsB[] = {{kShared, 2, 1, 8, kRows, "ab", kColors}};
constexpr OsCursorResource kCursorsB[] = {{kOnlyB, 1, 2, kRows}};
constexpr OsDialogResource kDialogsB[] = {
    {kShared, "Title", 0, 0, 10, 10, "Font", 9, WS_POPUP, nullptr, 0}};

// Strings, menus, bitmaps, cursors, dialogs.
constexpr OsResourceTable kTableA = {kStringsA, 3, nullptr, 0, nullptr, 0,
                                     nullptr,   0, nullptr, 0};
constexpr OsResourceTable kTableA2 = {kStringsA2, 1, nullptr, 0, nullptr, 0,
                                      nullptr,    0, nullptr, 0};
constexpr OsResourceTable kTableB = {kStringsB, 2, kMenusB,   2, kBitmapsB, 1,
                                     kCursorsB, 1, kDialogsB, 1};

// The platform never looks behind an instance handle; any distinct address will do.
char gInstanceStorage[3];
HINSTANCE Instance(int n) { return reinterpret_cast<HINSTANCE>(&gInstanceStorage[n]); }

class OsResources : public ::testing::Test {
 protected:
  void TearDown() override {
    for (int i = 0; i < 3; ++i) OsAttachResources(Instance(i), nullptr);
  }
  static std::string Found(HINSTANCE instance, unsigned id) {
    const char* text = OsFindString(instance, id);
    return text != nullptr ? text : "<none>";
  }
};

TEST_F(OsResources, LookupsAnswerForTheirInstanceOnly) {
  EXPECT_EQ(OsFindString(Instance(0), kShared), nullptr);  // nothing attached yet
  OsAttachResources(Instance(0), &kTableA);
  OsAttachResources(Instance(1), &kTableB);
  EXPECT_EQ(Found(Instance(0), kShared), "a");  // the first entry of a number wins
  EXPECT_EQ(Found(Instance(1), kShared), "b");
  EXPECT_EQ(Found(Instance(0), kOnlyB), "<none>");
  EXPECT_EQ(Found(Instance(1), kOnlyA), "<none>");
  EXPECT_EQ(Found(Instance(2), kShared), "<none>");

  EXPECT_EQ(OsFindMenu(Instance(1), kOnlyB), &kMenusB[0]);
  EXPECT_EQ(OsFindMenu(Instance(1), kShared), &kMenusB[1]);
  EXPECT_EQ(OsFindBitmap(Instance(1), kShared), &kBitmapsB[0]);
  EXPECT_EQ(OsFindCursor(Instance(1), kOnlyB), &kCursorsB[0]);
  EXPECT_EQ(OsFindDialog(Instance(1), kShared), &kDialogsB[0]);
  // Each kind has its own numbers.
  EXPECT_EQ(OsFindCursor(Instance(1), kShared), nullptr);
  EXPECT_EQ(OsFindMenu(Instance(1), kMissing), nullptr);
  EXPECT_EQ(OsFindMenu(Instance(0), kOnlyB), nullptr);  // a table without menus
  EXPECT_EQ(OsFindBitmap(Instance(0), kShared), nullptr);
  EXPECT_EQ(OsFindDialog(Instance(0), kShared), nullptr);
}

TEST_F(OsResources, ANullInstanceSearchesEveryLibraryInAttachOrder) {
  OsAttachResources(Instance(1), &kTableB);
  OsAttachResources(Instance(0), &kTableA);
  EXPECT_EQ(Found(nullptr, kShared), "b");
  EXPECT_EQ(Found(nullptr, kOnlyA), "only a");
  EXPECT_EQ(Found(nullptr, kOnlyB), "only b");
  EXPECT_EQ(Found(nullptr, kMissing), "<none>");
  EXPECT_EQ(OsFindCursor(nullptr, kOnlyB), &kCursorsB[0]);
}

TEST_F(OsResources, ReattachingReplacesTheTableInItsPlaceAndNullDetaches) {
  OsAttachResources(Instance(0), &kTableA);
  OsAttachResources(Instance(1), &kTableB);
  OsAttachResources(Instance(0), &kTableA2);
  EXPECT_EQ(Found(nullptr, kShared), "a2");  // still searched first
  EXPECT_EQ(Found(Instance(0), kOnlyA), "<none>");  // the old table is gone

  OsAttachResources(Instance(0), nullptr);
  EXPECT_EQ(Found(Instance(0), kShared), "<none>");
  EXPECT_EQ(Found(nullptr, kShared), "b");

  OsAttachResources(Instance(0), &kTableA);  // attached anew: now after B
  EXPECT_EQ(Found(nullptr, kShared), "b");
  EXPECT_EQ(Found(Instance(0), kShared), "a");

  // Detaching what is not attached, or attaching for no instance, changes nothing.
  OsAttachResources(Instance(2), nullptr);
  OsAttachResources(nullptr, &kTableA2);
  EXPECT_EQ(Found(nullptr, kShared), "b");
  EXPECT_EQ(Found(Instance(0), kShared), "a");
}

class LoadStringTest : public OsResources {
 protected:
  // "x", then characters of 2, 3 and 4 bytes: bytes 0 | 1-2 | 3-5 | 6-9.
  static constexpr OsStringResource kTexts[] = {{61010, "x\xC2\xB0\xE3\x81\x82\xF0\x9F\x98\x80"},
                                                {61011, ""}};
  static constexpr OsResourceTable kTable = {kTexts, 2, nullptr, 0, nullptr, 0,
                                             nullptr, 0, nullptr, 0};
  void SetUp() override { OsAttachResources(Instance(2), &kTable); }

  // Copies with `max` into a buffer of '#', returning what was written and the count.
  static std::pair<std::string, int> Load(unsigned id, int max) {
    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    const int n = LoadString(Instance(2), id, buffer, max);
    return {std::string(buffer, sizeof buffer), n};
  }
};

TEST_F(LoadStringTest, CopiesWholeCharactersOnlyAndTerminates) {
  const std::string text = kTexts[0].text;
  // max -> bytes that fit without splitting a character
  const int expected[][2] = {{1, 0}, {2, 1}, {3, 1}, {4, 3}, {5, 3}, {6, 3},
                             {7, 6}, {8, 6}, {10, 6}, {11, 10}, {16, 10}};
  for (const auto& [max, bytes] : expected) {
    SCOPED_TRACE(max);
    const auto [buffer, n] = Load(61010, max);
    EXPECT_EQ(n, bytes);
    EXPECT_EQ(buffer.substr(0, bytes), text.substr(0, bytes));
    EXPECT_EQ(buffer[bytes], '\0');
    EXPECT_EQ(buffer.substr(bytes + 1), std::string(15 - bytes, '#'));
  }
}

TEST_F(LoadStringTest, AMissingOrEmptyStringLeavesAnEmptyBuffer) {
  for (unsigned id : {61011u, kMissing}) {
    const auto [buffer, n] = Load(id, 16);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(buffer, std::string("\0", 1) + std::string(15, '#'));
  }
  // Another instance's string is not this one's.
  char buffer[4] = "abc";
  EXPECT_EQ(LoadString(Instance(0), 61010, buffer, 4), 0);
  EXPECT_STREQ(buffer, "");
  // A null instance finds it in any library.
  EXPECT_EQ(LoadString(nullptr, 61010, buffer, 4), 3);
  EXPECT_STREQ(buffer, "x\xC2\xB0");
}

TEST_F(LoadStringTest, WritesNothingWithoutRoomOrBuffer) {
  for (int max : {0, -1}) {
    const auto [buffer, n] = Load(61010, max);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(buffer, std::string(16, '#'));
  }
  EXPECT_EQ(LoadString(Instance(2), 61010, nullptr, 16), 0);
}

}  // namespace
