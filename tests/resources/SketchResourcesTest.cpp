// The module's resource tables as the platform finds them: the strings, the
// menu and the dialogs exactly, and the pictures by their invariants (sizes,
// palettes, button edges, pressed against normal, hot spots).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>
#include <sstream>
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

// Byte for byte: half-width katakana stay half-width, and after ﾏｳｽ the middle
// dot is ・ U+30FB for scaling but ･ U+FF65 for rotating.
TEST_F(SketchResources, StringsHaveTheirExactTextsUnderTheirNumbersOnly) {
  std::string all;
  for (unsigned id = 0; id < 30000; ++id) {
    if (const char* text = OsFindString(kModule, id)) all += std::to_string(id) + " " + text + "|";
  }
  EXPECT_EQ(all,
            "0 ｽｹｯﾁ機能ﾓｼﾞｭｰﾙ|5100 拡大、縮小率を数値で入力\n拡大、縮小率入力|"
            "5101 ﾏｳｽ・ﾄﾞﾗｯｸﾞで拡大、縮小\nﾏｳｽで拡大、縮小|5110 水平方向への鏡像変換\n水平方向|"
            "5111 垂直方向への鏡像変換\n垂直方向|5120 図形を180°回転\n180°|"
            "5121 図形を時計回りに90°回転\n90°回転(時計回り)|5122 図形を反時計回りに90°回転\n90°回転(反時計回り)|"
            "5123 回転角度を数値で入力\n回転角度入力|5124 ﾏｳｽ･ﾄﾞﾗｯｸﾞで回転\nﾏｳｽで回転|8000 ｽｹｯﾁ|8001 ｽｹｯﾁ(&D)|"
            "20000 拡大、縮小率が不正です。\r\n1～1000 [%]の範囲で入力してください。|"
            "20001 回転角度が不正です。\r\n0～360度の範囲で入力してください。|");
}

// Separators as "-", pop-ups as {...}, commands as text=id.
std::string Describe(const OsMenuItemResource* items, int count) {
  std::string out;
  for (const OsMenuItemResource& i : std::vector(items, items + count)) {
    out += (i.text != nullptr ? i.text : "-") + (i.id != 0 ? "=" + std::to_string(i.id) : "") +
           (i.items != nullptr || i.count != 0 ? "{" + Describe(i.items, i.count) + "}" : "") + ";";
  }
  return out;
}

TEST_F(SketchResources, TheMenuHasItsPopUpsCommandsAndSeparatorInOrder) {
  const OsMenuResource* menu = OsFindMenu(kModule, IDR_SKETCH_MENU);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(Describe(menu->items, menu->count),
            "拡大、縮小(&S){数値で倍率指定...(&N)=5100;ﾏｳｽで操作(&M)=5101;};"
            "鏡像(&M){水平方向(&H)=5110;垂直方向(&V)=5111;};"
            "回転(&R){180°(&T)=5120;90°(時計回り)(&C)=5121;90°(反時計回り)(&U)=5122;"
            "数値で角度指定...(&N)=5123;ﾏｳｽで自由に回転(&M)=5124;};-;"
            "表示色(&C){黒色(&B)=5130;透過色(&T)=5131;反転色(&R)=5132;ﾊﾟﾚｯﾄ色(&P)=5133;};"
            "ｽｹｯﾁ表示(&V){表示(&S)=5140;非表示(&H)=5141;};");
}

std::string Describe(unsigned id) {
  const OsDialogResource* d = OsFindDialog(kModule, id);
  if (d == nullptr) return "<none>";
  std::ostringstream out;
  out << (d->title != nullptr ? d->title : "<untitled>") << " " << d->x << "," << d->y << " " << d->cx << "x"
      << d->cy << " " << d->fontFace << " " << d->fontPoints << " " << d->style << "\n";
  for (const OsDialogControlResource& c : std::vector(d->controls, d->controls + d->count)) {
    out << c.className << " " << c.id << " " << c.x << "," << c.y << " " << c.cx << "x" << c.cy << " \"" << c.text
        << "\" " << c.style << (c.initData != nullptr ? " " + std::string(c.initData) : "") << "\n";
  }
  return out.str();
}

TEST_F(SketchResources, DialogTemplatesHaveTheirControlsInTabOrder) {
  const auto s = [](DWORD style) { return " " + std::to_string(style) + "\n"; };
  const std::string modal = s(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE);
  const DWORD value = WS_BORDER | ES_NUMBER | ES_AUTOHSCROLL | WS_TABSTOP;
  EXPECT_EQ(Describe(IDD_SCALE),
            "拡大、縮小率の入力 0,0 161x45 ＭＳ Ｐゴシック 9" + modal + "BUTTON 1 102,7 50x14 \"OK\"" +
                s(BS_DEFPUSHBUTTON | WS_TABSTOP) + "BUTTON 2 102,24 50x14 \"ｷｬﾝｾﾙ\"" + s(WS_TABSTOP) +
                "EDIT 2101 51,15 20x14 \"\"" + s(value) + "STATIC -1 5,18 43x8 \"拡大、縮小率：\"" + s(SS_RIGHT) +
                "STATIC -1 71,18 16x8 \" [ % ]\"" + s(SS_LEFT));
  EXPECT_EQ(Describe(IDD_ROTATE),
            "角度の入力 0,0 179x49 ＭＳ Ｐゴシック 9" + modal + "BUTTON 1 121,7 50x14 \"OK\"" +
                s(BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP) + "BUTTON 2 121,28 50x14 \"ｷｬﾝｾﾙ\"" + s(WS_TABSTOP) +
                "STATIC -1 7,24 18x8 \"角度：\"" + s(SS_RIGHT) + "EDIT 2101 27,21 19x14 \"\"" + s(value | WS_GROUP) +
                "BUTTON 2201 52,15 55x10 \"度（時計回り）\"" + s(BS_AUTORADIOBUTTON | WS_GROUP) +
                "BUTTON 2202 52,29 62x10 \"度（反時計回り）\"" + s(BS_AUTORADIOBUTTON));
  EXPECT_EQ(Describe(IDD_POLYGON),
            "<untitled> 0,-999 111x39 ＭＳ Ｐゴシック 9" + s(WS_CHILD) + "STATIC -1 2,5 30x8 \"頂点の数\"" + s(SS_LEFT) +
                "PScrollBar 2005 3,16 104x16 \"\" " + std::to_string(WS_VISIBLE | WS_TABSTOP) +
                " font=ＭＳ Ｐゴシック,128,400,8.25;min=3;max=100;value=3\n");
}

using Rows = const char* const*;
struct Cell { int left, top, width, height; };

std::vector<Cell> Buttons(bool palette) {
  if (!palette) return {{0, 0, 42, 42}};
  std::vector<Cell> cells;
  for (int t = 0; t < kToolCount; ++t) {
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
                  p[3] == (RGBQUAD{0, 0, 0, 0}) && p[4].rgbBlue > p[4].rgbRed) << id;
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

TEST_F(SketchResources, EveryToolHasItsOwnPicture) {
  // The cells' faces and ink, left-aligned so that the 27- and 28-pixel columns compare alike.
  const OsBitmapResource* palette = OsFindBitmap(kModule, 2002);
  ASSERT_NE(palette, nullptr);
  std::set<std::string> pictures;
  for (const Cell& c : Buttons(true)) {
    std::string picture;
    for (int y = 1; y < c.height - 2; ++y) picture += std::string(palette->rows[c.top + y] + c.left + 1, 24) + "|";
    pictures.insert(picture);
  }
  EXPECT_EQ(pictures.size(), static_cast<std::size_t>(kToolCount));
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

TEST_F(SketchResources, TheSolidArrowIsTheHollowOneInvertedAndTheMagnifiersShareTheirLens) {
  const auto rows = [](unsigned id) { return OsFindCursor(kModule, id)->rows; };
  const Rows solid = rows(IDCUR_SOLID_ARROW), hollow = rows(IDCUR_HOLLOW_ARROW), plain = rows(IDCUR_MAGNIFIER);
  const Rows plus = rows(IDCUR_MAGNIFIER_PLUS), minus = rows(IDCUR_MAGNIFIER_MINUS);
  // The lens's rim crosses the hot spot's row and column four pixels either side.
  EXPECT_EQ(std::string({plain[4][0], plain[4][8], plain[0][4], plain[8][4]}), "####");
  int wrong = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const char h = hollow[y][x];
      wrong += solid[y][x] != (h == '#' ? 'o' : h == 'o' ? '#' : h);
      // The signs are black on the white glass, centred on the hot spot.
      const bool bar = y == 4 && x >= 2 && x <= 6, upright = x == 4 && y >= 2 && y <= 6;
      wrong += (bar || upright) && plain[y][x] != 'o';
      wrong += plus[y][x] != (bar || upright ? '#' : plain[y][x]);
      wrong += minus[y][x] != (bar ? '#' : plain[y][x]);
    }
  }
  EXPECT_EQ(wrong, 0);
}

}  // namespace
