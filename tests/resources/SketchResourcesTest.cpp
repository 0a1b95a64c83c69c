// The module's button pictures as the platform finds them, by their
// invariants: every row whole, button edges, pressed against normal. Which
// cursor each tool loads is in the module's tests and the replay scripts.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "OsResources.h"
#include "resources/SketchResources.h"

namespace {

char gModuleStorage;
const HINSTANCE kModule = reinterpret_cast<HINSTANCE>(&gModuleStorage);

class SketchResources : public ::testing::Test {
 protected:
  void SetUp() override { OsAttachResources(kModule, &kSketchResources); }
  void TearDown() override { OsAttachResources(kModule, nullptr); }
};

struct Cell {
  int left, top, width, height;
};

// The edge of a raised or sunken (pressed) button at (x, y) of its cell; 0: the face.
char Edge(const Cell& c, int x, int y, bool pressed) {
  const bool first = x == 0 || y == 0, last = x == c.width - 1 || y == c.height - 1;
  if (pressed) return first ? '#' : last ? 'o' : (x == 1 || y == 1) ? '+' : 0;
  return last ? '#' : first ? 'o' : (x == c.width - 2 || y == c.height - 2) ? '+' : 0;
}

TEST_F(SketchResources, BitmapsAreRaisedButtonsAndTheirPressedTwinsSunkAndMovedByOnePixel) {
  // The mode button, then the tool palette's cells, row by row.
  std::vector<Cell> palette;
  for (int t = 0; t < kToolButtons; ++t) {
    const int c = t % kToolColumns, left = kToolColumnLeft[c];
    palette.push_back({left, t / kToolColumns * kToolCellHeight, kToolColumnLeft[c + 1] - left, kToolCellHeight});
  }
  for (const auto& [normalId, cells] : {std::tuple{2000u, std::vector<Cell>{{0, 0, 42, 42}}}, {2002u, palette}}) {
    const OsBitmapResource *normal = OsFindBitmap(kModule, normalId), *pressed = OsFindBitmap(kModule, normalId + 1);
    ASSERT_TRUE(normal != nullptr && pressed != nullptr);
    for (const OsBitmapResource* b : {normal, pressed}) {
      ASSERT_EQ(std::tuple(b->width, b->height), std::tuple(normal->width, normal->height));
      for (int y = 0; y < b->height; ++y) {
        const std::size_t length = std::strlen(b->rows[y]);
        ASSERT_TRUE(length == static_cast<std::size_t>(b->width) && std::strspn(b->rows[y], ".+o#*") == length) << y;
      }
    }
    for (const Cell& c : cells) {
      int inked = 0, wrong = 0;
      for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
          const char n = normal->rows[c.top + y][c.left + x], edge = Edge(c, x, y, false), sunk = Edge(c, x, y, true);
          // Inside the edge the pressed twin is one pixel right and down: same ink, blue for grey.
          wrong += edge != 0 ? n != edge : pressed->rows[c.top + y + 1][c.left + x + 1] != (n == '.' ? '*' : n);
          wrong += sunk != 0 && pressed->rows[c.top + y][c.left + x] != sunk;
          inked += edge == 0 && n != '.';
        }
      }
      EXPECT_EQ(wrong, 0) << normalId << " button at " << c.left << "," << c.top;
      EXPECT_GE(inked, 10);  // there is a picture
    }
  }
}

}  // namespace
