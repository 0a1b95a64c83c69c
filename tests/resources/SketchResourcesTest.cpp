// The module's pictures as the platform finds them, by their invariants (sizes,
// palettes, button edges, pressed against normal, hot spots).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>
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

using Rows = const char* const*;
struct Cell {
  int left, top, width, height;
};

std::vector<Cell> Buttons(bool palette) {
  if (!palette) return {{0, 0, 42, 42}};
  std::vector<Cell> cells;
  for (int t = 0; t < kToolButtons; ++t) {
    const int c = t % kToolColumns, left = kToolColumnLeft[c];
    cells.push_back({left, t / kToolColumns * kToolCellHeight, kToolColumnLeft[c + 1] - left, kToolCellHeight});
  }
  return cells;
}

// The edge of a raised or sunken (pressed) button at (x, y) of its cell; 0: the face.
char Edge(const Cell& c, int x, int y, bool pressed) {
  const bool first = x == 0 || y == 0, last = x == c.width - 1 || y == c.height - 1;
  if (pressed) return first ? '#' : last ? 'o' : (x == 1 || y == 1) ? '+' : 0;
  return last ? '#' : first ? 'o' : (x == c.width - 2 || y == c.height - 2) ? '+' : 0;
}

TEST_F(SketchResources, BitmapsAreRaisedButtonsAndTheirPressedTwinsSunkAndMovedByOnePixel) {
  for (const auto& [normalId, pressedId, width, height] :
       {std::tuple{2000u, 2001u, 42, 42}, std::tuple{2002u, 2003u, 55, 170}}) {
    for (unsigned id : {normalId, pressedId}) {
      const OsBitmapResource* b = OsFindBitmap(kModule, id);
      ASSERT_NE(b, nullptr);
      EXPECT_EQ(std::tuple(b->width, b->height, b->bitsPerPixel, std::string(b->paletteChars)),
                std::tuple(width, height, 8, ".+o#*"));
      const RGBQUAD* p = b->palette;  // face grey, white, black, and a bluish pressed face
      EXPECT_TRUE(p[0] == (RGBQUAD{0xC0, 0xC0, 0xC0, 0}) && p[2] == (RGBQUAD{0xFF, 0xFF, 0xFF, 0}) &&
                  p[3] == (RGBQUAD{0, 0, 0, 0}) && p[4].rgbBlue > p[4].rgbRed)
          << id;
      for (int y = 0; y < height; ++y) {
        const std::size_t length = std::strlen(b->rows[y]);
        ASSERT_TRUE(length == static_cast<std::size_t>(width) && std::strspn(b->rows[y], ".+o#*") == length) << y;
      }
      // Below the tool buttons the palette is plain face.
      EXPECT_TRUE(height != 170 || std::string(b->rows[168]) + b->rows[169] == std::string(110, '.')) << id;
    }
    const Rows normal = OsFindBitmap(kModule, normalId)->rows, pressed = OsFindBitmap(kModule, pressedId)->rows;
    for (const Cell& c : Buttons(normalId == 2002)) {
      int inked = 0, wrong = 0;
      for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
          const char n = normal[c.top + y][c.left + x], edge = Edge(c, x, y, false), sunk = Edge(c, x, y, true);
          // Inside the edge the pressed twin is one pixel right and down: same ink, blue for grey.
          wrong += edge != 0 ? n != edge : pressed[c.top + y + 1][c.left + x + 1] != (n == '.' ? '*' : n);
          wrong += sunk != 0 && pressed[c.top + y][c.left + x] != sunk;
          inked += edge == 0 && n != '.';
        }
      }
      EXPECT_EQ(wrong, 0) << normalId << " button at " << c.left << "," << c.top;
      EXPECT_GE(inked, 10);  // there is a picture
    }
  }
}

TEST_F(SketchResources, CursorsAre32By32WithTheirHotSpotsOnThePicture) {
  // Centred: on the middle of the whole picture (the magnifiers: of the lens, below).
  for (const auto& [id, hotX, hotY, centred] :
       {std::tuple{4000u, 0, 0, 0}, std::tuple{4001u, 0, 0, 0}, std::tuple{4002u, 6, 7, 1}, std::tuple{4003u, 4, 4, 0},
        std::tuple{4004u, 7, 7, 1}, std::tuple{4028u, 4, 4, 0}, std::tuple{4029u, 4, 4, 0}}) {
    SCOPED_TRACE(id);
    const OsCursorResource* c = OsFindCursor(kModule, id);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(std::pair(c->hotX, c->hotY), std::pair(hotX, hotY));
    int left = 32, top = 32, right = -1, bottom = -1;
    for (int y = 0; y < 32; ++y) {
      const char* ink = id == IDCUR_CROSS_HAIR ? ".^" : ".#o";  // the cross hair only inverts
      ASSERT_TRUE(std::strspn(c->rows[y], ink) == 32 && c->rows[y][32] == '\0') << "row " << y;
      for (int x = 0; x < 32; ++x) {
        if (c->rows[y][x] == '.') continue;
        left = std::min(left, x), top = std::min(top, y), right = std::max(right, x), bottom = std::max(bottom, y);
      }
    }
    EXPECT_NE(c->rows[hotY][hotX], '.');
    EXPECT_TRUE(hotX != 0 || left + top == 0);  // the arrows' tip
    EXPECT_TRUE(!centred || (std::abs(left + right - 2 * hotX) <= 2 && std::abs(top + bottom - 2 * hotY) <= 2))
        << left << ".." << right << ", " << top << ".." << bottom;  // give or take a pixel
  }
}

}  // namespace
