// The platform's resource lookups: tables per instance, search order, LoadString.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <tuple>

#include "OsResources.h"

namespace {

// Ids no other test uses, so that tables other tests leave attached cannot answer.
constexpr unsigned kShared = 61001, kOnlyA = 61002, kOnlyB = 61003, kMissing = 61099, kText = 61010;

constexpr OsStringResource kStringsA[] = {{kShared, "a"}, {kOnlyA, "only a"}, {kShared, "a again"}};
constexpr OsStringResource kStringsB[] = {{kShared, "b"}, {kOnlyB, "only b"}};
// "x", then characters of 2, 3 and 4 bytes: bytes 0 | 1-2 | 3-5 | 6-9; and an empty one.
constexpr OsStringResource kTexts[] = {
    {kText, "x\xC2\xB0\xE3\x81\x82\xF0\x9F\x98\x80"}, {kText + 1, ""}, {kShared, "t"}};

constexpr OsResourceTable kTableA = {kStringsA, 3, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0};
constexpr OsResourceTable kTableB = {kStringsB, 2, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0};
constexpr OsResourceTable kTableTexts = {kTexts, 3, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0};

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

// Every kind of resource is searched alike; the module's own tables find each kind.
TEST_F(OsResources, LookupsAnswerForTheirInstanceOrInAttachOrderForNone) {
  OsAttachResources(Instance(0), &kTableA);
  OsAttachResources(Instance(1), &kTableB);
  EXPECT_EQ(Found(Instance(0), kShared), "a");  // the first entry of a number wins
  EXPECT_EQ(Found(Instance(1), kShared), "b");
  EXPECT_EQ(Found(nullptr, kShared), "a");
  EXPECT_EQ(Found(nullptr, kOnlyB), "only b");

  OsAttachResources(Instance(0), &kTableTexts);
  EXPECT_EQ(Found(nullptr, kShared), "t");          // re-attached: still searched first
  EXPECT_EQ(Found(Instance(0), kOnlyA), "<none>");  // the old table is gone
  OsAttachResources(Instance(0), nullptr);
  EXPECT_EQ(Found(Instance(0), kShared), "<none>");
  OsAttachResources(Instance(0), &kTableA);  // attached anew: now after B
  EXPECT_EQ(Found(nullptr, kShared), "b");
  EXPECT_EQ(Found(Instance(0), kShared), "a");

  // Detaching what is not attached, or attaching for no instance, changes nothing.
  OsAttachResources(Instance(2), nullptr);
  OsAttachResources(nullptr, &kTableTexts);
  EXPECT_EQ(Found(nullptr, kShared), "b");
  EXPECT_EQ(Found(Instance(0), kShared), "a");
}

TEST_F(OsResources, LoadStringCopiesWholeCharactersOnly) {
  OsAttachResources(Instance(2), &kTableTexts);
  const std::string text = kTexts[0].text;
  // Instance (-1: null), id, max -> bytes copied, or -1 for nothing written at all.
  const std::tuple<int, unsigned, int, int> cases[] = {
      {2, kText, 1, 0},  {2, kText, 2, 1},  {2, kText, 3, 1},   {2, kText, 4, 3},      {2, kText, 6, 3},
      {2, kText, 7, 6},  {2, kText, 10, 6}, {2, kText, 11, 10}, {2, kText, 16, 10},    {-1, kText, 4, 3},
      {0, kText, 16, 0}, {2, kText, 0, -1}, {2, kText, -1, -1}, {2, kText + 1, 16, 0}, {2, kMissing, 16, 0}};
  for (const auto& [instance, id, max, bytes] : cases) {
    SCOPED_TRACE(testing::Message() << instance << ' ' << id << ' ' << max);
    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    const int n = LoadString(instance < 0 ? nullptr : Instance(instance), id, buffer, max);
    const std::string written(buffer, sizeof buffer);
    EXPECT_EQ(n, std::max(bytes, 0));
    EXPECT_EQ(written, bytes < 0 ? std::string(16, '#')
                                 : text.substr(0, static_cast<std::size_t>(bytes)) + '\0' +
                                       std::string(static_cast<std::size_t>(15 - bytes), '#'));
  }
  EXPECT_EQ(LoadString(Instance(2), kText, nullptr, 16), 0);
}

}  // namespace
