// The module's resource tables as the platform finds them: the strings, the
// menu and the dialogs exactly, and the pictures by their invariants (sizes,
// palettes, button edges, pressed against normal, hot spots).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>
#include <stdexcept>
#include <string>
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

std::string Text(unsigned id) {
  const char* text = OsFindString(kModule, id);
  return text != nullptr ? text : "<none>";
}

// ---- strings -------------------------------------------------------------

TEST_F(SketchResources, StringsExistUnderTheirNumbersOnly) {
  std::set<unsigned> present;
  for (unsigned id = 0; id < 30000; ++id) {
    if (OsFindString(kModule, id) != nullptr) present.insert(id);
  }
  EXPECT_EQ(present, (std::set<unsigned>{0, 5100, 5101, 5110, 5111, 5120, 5121, 5122, 5123,
                                         5124, 8000, 8001, 20000, 20001}));
}

TEST_F(SketchResources, HalfWidthKatakanaAndTheTwoMiddleDotsAreKeptByteForByte) {
  // ｽ U+FF7D, ｹ U+FF79, ｯ U+FF6F, ﾁ U+FF81
  EXPECT_EQ(Text(IDS_SKETCH), "\xEF\xBD\xBD\xEF\xBD\xB9\xEF\xBD\xAF\xEF\xBE\x81");
  EXPECT_EQ(Text(IDS_SKETCH_MENU), Text(IDS_SKETCH) + "(&D)");
  EXPECT_EQ(Text(IDS_MODULE_NAME), Text(IDS_SKETCH) + "機能ﾓｼﾞｭｰﾙ");
  // ﾏｳｽ, then ・ U+30FB for scaling but ･ U+FF65 for rotating
  const std::string mouse = "\xEF\xBE\x8F\xEF\xBD\xB3\xEF\xBD\xBD";
  EXPECT_EQ(Text(ID_SCALE_MOUSE).substr(0, 12), mouse + "\xE3\x83\xBB");
  EXPECT_EQ(Text(ID_ROTATE_MOUSE).substr(0, 12), mouse + "\xEF\xBD\xA5");
  EXPECT_EQ(Text(ID_ROTATE_MOUSE), "ﾏｳｽ･ﾄﾞﾗｯｸﾞで回転\nﾏｳｽで回転");
  EXPECT_EQ(Text(ID_ROTATE_180), "図形を180\xC2\xB0回転\n180\xC2\xB0");
}

TEST_F(SketchResources, CommandStringsAreAStatusTextAndATipOnTwoLines) {
  for (unsigned id : {5100u, 5101u, 5110u, 5111u, 5120u, 5121u, 5122u, 5123u, 5124u}) {
    SCOPED_TRACE(id);
    const std::string text = Text(id);
    const std::size_t lineBreak = text.find('\n');
    ASSERT_NE(lineBreak, std::string::npos);
    EXPECT_GT(lineBreak, 0u);
    EXPECT_LT(lineBreak + 1, text.size());
    EXPECT_EQ(text.find('\n', lineBreak + 1), std::string::npos);
  }
}

TEST_F(SketchResources, LoadStringCutsBeforeTheDegreeSign) {
  char buffer[32];
  // "図形を180" is 12 bytes; the degree sign after it takes two more.
  EXPECT_EQ(LoadString(kModule, ID_ROTATE_180, buffer, 14), 12);
  EXPECT_STREQ(buffer, "図形を180");
  EXPECT_EQ(LoadString(kModule, ID_ROTATE_180, buffer, 15), 14);
  EXPECT_STREQ(buffer, "図形を180°");
}

// ---- menu ----------------------------------------------------------------

std::string Describe(const OsMenuItemResource* items, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) {
    const OsMenuItemResource& item = items[i];
    if (item.text == nullptr) {
      out += (item.id == 0 && item.items == nullptr && item.count == 0) ? "-;" : "<bad separator>;";
    } else if (item.items != nullptr) {
      out += std::string(item.text) + (item.id == 0 ? "" : "<id on pop-up>") + "{" +
             Describe(item.items, item.count) + "}";
    } else {
      out += std::string(item.text) + "=" + std::to_string(item.id) +
             (item.count == 0 ? ";" : "<count>;");
    }
  }
  return out;
}

TEST_F(SketchResources, TheMenuHasItsPopUpsCommandsAndSeparatorInOrder) {
  const OsMenuResource* menu = OsFindMenu(kModule, IDR_SKETCH_MENU);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(Describe(menu->items, menu->count),
            "拡大、縮小(&S){数値で倍率指定...(&N)=5100;ﾏｳｽで操作(&M)=5101;}"
            "鏡像(&M){水平方向(&H)=5110;垂直方向(&V)=5111;}"
            "回転(&R){180°(&T)=5120;90°(時計回り)(&C)=5121;90°(反時計回り)(&U)=5122;"
            "数値で角度指定...(&N)=5123;ﾏｳｽで自由に回転(&M)=5124;}"
            "-;"
            "表示色(&C){黒色(&B)=5130;透過色(&T)=5131;反転色(&R)=5132;ﾊﾟﾚｯﾄ色(&P)=5133;}"
            "ｽｹｯﾁ表示(&V){表示(&S)=5140;非表示(&H)=5141;}");
  EXPECT_EQ(kSketchResources.menuCount, 1);
}

// ---- dialogs -------------------------------------------------------------

std::string Describe(const OsDialogResource& d) {
  std::string out = std::string(d.title != nullptr ? d.title : "<untitled>") + " " +
                    std::to_string(d.x) + "," + std::to_string(d.y) + " " + std::to_string(d.cx) +
                    "x" + std::to_string(d.cy) + " " + d.fontFace + " " +
                    std::to_string(d.fontPoints) + " " + std::to_string(d.style) + "\n";
  for (int i = 0; i < d.count; ++i) {
    const OsDialogControlResource& c = d.controls[i];
    out += std::string(c.className) + " " + std::to_string(c.id) + " " + std::to_string(c.x) +
           "," + std::to_string(c.y) + " " + std::to_string(c.cx) + "x" + std::to_string(c.cy) +
           " \"" + c.text + "\" " + std::to_string(c.style) +
           (c.initData != nullptr ? std::string(" ") + c.initData : "") + "\n";
  }
  return out;
}

TEST_F(SketchResources, DialogTemplatesHaveTheirControlsInTabOrder) {
  const DWORD modal = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
  const std::string font = " ＭＳ Ｐゴシック 9 ";
  const auto s = [](DWORD style) { return std::to_string(style); };

  const OsDialogResource* scale = OsFindDialog(kModule, IDD_SCALE);
  ASSERT_NE(scale, nullptr);
  EXPECT_EQ(Describe(*scale),
            "拡大、縮小率の入力 0,0 161x45" + font + s(modal) + "\n" +
            "BUTTON 1 102,7 50x14 \"OK\" " + s(BS_DEFPUSHBUTTON | WS_TABSTOP) + "\n" +
            "BUTTON 2 102,24 50x14 \"ｷｬﾝｾﾙ\" " + s(WS_TABSTOP) + "\n" +
            "EDIT 2101 51,15 20x14 \"\" " +
            s(WS_BORDER | ES_NUMBER | ES_AUTOHSCROLL | WS_TABSTOP) + "\n" +
            "STATIC -1 5,18 43x8 \"拡大、縮小率：\" " + s(SS_RIGHT) + "\n" +
            "STATIC -1 71,18 16x8 \" [ % ]\" " + s(SS_LEFT) + "\n");

  const OsDialogResource* rotate = OsFindDialog(kModule, IDD_ROTATE);
  ASSERT_NE(rotate, nullptr);
  EXPECT_EQ(Describe(*rotate),
            "角度の入力 0,0 179x49" + font + s(modal) + "\n" +
            "BUTTON 1 121,7 50x14 \"OK\" " + s(BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP) + "\n" +
            "BUTTON 2 121,28 50x14 \"ｷｬﾝｾﾙ\" " + s(WS_TABSTOP) + "\n" +
            "STATIC -1 7,24 18x8 \"角度：\" " + s(SS_RIGHT) + "\n" +
            "EDIT 2101 27,21 19x14 \"\" " +
            s(WS_BORDER | ES_NUMBER | ES_AUTOHSCROLL | WS_GROUP | WS_TABSTOP) + "\n" +
            "BUTTON 2201 52,15 55x10 \"度（時計回り）\" " + s(BS_AUTORADIOBUTTON | WS_GROUP) +
            "\n" +
            "BUTTON 2202 52,29 62x10 \"度（反時計回り）\" " + s(BS_AUTORADIOBUTTON) + "\n");

  const OsDialogResource* polygon = OsFindDialog(kModule, IDD_POLYGON);
  ASSERT_NE(polygon, nullptr);
  EXPECT_EQ(Describe(*polygon),
            "<untitled> 0,-999 111x39" + font + s(WS_CHILD) + "\n" +
            "STATIC -1 2,5 30x8 \"頂点の数\" " + s(SS_LEFT) + "\n" +
            "PScrollBar 2005 3,16 104x16 \"\" " + s(WS_VISIBLE | WS_TABSTOP) +
            " font=ＭＳ Ｐゴシック,128,400,8.25;min=3;max=100;value=3\n");
  EXPECT_EQ(kSketchResources.dialogCount, 3);
}

// ---- bitmaps -------------------------------------------------------------

const OsBitmapResource& Bitmap(unsigned id) {
  const OsBitmapResource* bitmap = OsFindBitmap(kModule, id);
  if (bitmap == nullptr) throw std::runtime_error("no bitmap " + std::to_string(id));
  return *bitmap;
}

char At(const OsBitmapResource& b, int x, int y) { return b.rows[y][x]; }

TEST_F(SketchResources, BitmapsHaveTheirSizesAndUseOnlyTheirPalette) {
  struct Expected {
    unsigned id;
    int width, height;
    const char* used;  // the palette characters the picture uses
  };
  for (const Expected& e : {Expected{2000, 42, 42, ".+o#"}, Expected{2001, 42, 42, "+o#*"},
                            Expected{2002, 55, 170, ".+o#"}, Expected{2003, 55, 170, ".+o#*"}}) {
    SCOPED_TRACE(e.id);
    const OsBitmapResource& b = Bitmap(e.id);
    EXPECT_EQ(b.width, e.width);
    EXPECT_EQ(b.height, e.height);
    EXPECT_EQ(b.bitsPerPixel, 8);
    ASSERT_STREQ(b.paletteChars, ".+o#*");
    EXPECT_EQ(b.palette[0], (RGBQUAD{0xC0, 0xC0, 0xC0, 0}));  // face grey
    EXPECT_EQ(b.palette[2], (RGBQUAD{0xFF, 0xFF, 0xFF, 0}));
    EXPECT_EQ(b.palette[3], (RGBQUAD{0, 0, 0, 0}));
    EXPECT_GT(b.palette[4].rgbBlue, b.palette[4].rgbRed);  // the pressed face is bluish
    std::set<char> used;
    for (int y = 0; y < b.height; ++y) {
      ASSERT_EQ(std::strlen(b.rows[y]), static_cast<std::size_t>(b.width)) << "row " << y;
      used.insert(b.rows[y], b.rows[y] + b.width);
    }
    EXPECT_EQ(used, std::set<char>(e.used, e.used + std::strlen(e.used)));
  }
  EXPECT_EQ(kSketchResources.bitmapCount, 4);
}

struct Cell {
  int left, top, width, height;
};

std::vector<Cell> Buttons(bool palette) {
  if (!palette) return {{0, 0, 42, 42}};
  std::vector<Cell> cells;
  for (int t = 0; t < kToolCount; ++t) {
    const int column = t % kToolColumns;
    cells.push_back({kToolColumnLeft[column], t / kToolColumns * kToolCellHeight,
                     kToolColumnLeft[column + 1] - kToolColumnLeft[column], kToolCellHeight});
  }
  return cells;
}

// The edge of a raised (pressed = false) or sunken button at (x, y) of the
// cell, or 0 for the face.
char Edge(const Cell& c, int x, int y, bool pressed) {
  const int right = c.width - 1, bottom = c.height - 1;
  if (pressed) {
    if (x == 0 || y == 0) return '#';
    if (x == right || y == bottom) return 'o';
    if (x == 1 || y == 1) return '+';
  } else {
    if (x == right || y == bottom) return '#';
    if (x == 0 || y == 0) return 'o';
    if (x == right - 1 || y == bottom - 1) return '+';
  }
  return 0;
}

TEST_F(SketchResources, PressedButtonsAreTheNormalPicturesSunkAndMovedByOnePixel) {
  for (const auto& [normalId, pressedId] : {std::pair{2000u, 2001u}, std::pair{2002u, 2003u}}) {
    const OsBitmapResource& normal = Bitmap(normalId);
    const OsBitmapResource& pressed = Bitmap(pressedId);
    int index = 0;
    for (const Cell& c : Buttons(normalId == 2002)) {
      SCOPED_TRACE(testing::Message() << normalId << " button " << index++);
      int inked = 0;
      for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
          const char n = At(normal, c.left + x, c.top + y);
          const char p = At(pressed, c.left + x, c.top + y);
          if (const char edge = Edge(c, x, y, false)) {
            ASSERT_EQ(n, edge) << x << "," << y;
          } else {
            // Its pressed twin one pixel right and down: same ink, blue for grey.
            ASSERT_EQ(At(pressed, c.left + x + 1, c.top + y + 1), n == '.' ? '*' : n)
                << x << "," << y;
            inked += n != '.';
          }
          if (const char edge = Edge(c, x, y, true)) {
            ASSERT_EQ(p, edge) << x << "," << y;
          }
        }
      }
      EXPECT_GE(inked, 10);  // there is a picture
    }
  }
  // Below the buttons the palette is plain face.
  for (unsigned id : {2002u, 2003u}) {
    EXPECT_EQ(std::string(Bitmap(id).rows[168]), std::string(55, '.'));
    EXPECT_EQ(std::string(Bitmap(id).rows[169]), std::string(55, '.'));
  }
}

// The picture of tool t: its cell's face and ink, left-aligned so that the
// 27- and 28-pixel columns compare alike.
std::string ToolPicture(int t) {
  const Cell c = Buttons(true)[t];
  std::string picture;
  for (int y = 1; y < c.height - 2; ++y) {
    picture += std::string(Bitmap(2002).rows[c.top + y] + c.left + 1, 24) + "|";
  }
  return picture;
}

TEST_F(SketchResources, EveryToolHasItsOwnPictureAndTheArrowsShareTheirShape) {
  std::set<std::string> pictures;
  for (int t = 0; t < kToolCount; ++t) pictures.insert(ToolPicture(t));
  EXPECT_EQ(pictures.size(), static_cast<std::size_t>(kToolCount));

  // The white arrow is the black one's outline filled with white.
  std::string black = ToolPicture(kToolBlackArrow), white = ToolPicture(kToolWhiteArrow);
  EXPECT_EQ(black.find('o'), std::string::npos);
  EXPECT_NE(white.find('o'), std::string::npos);
  for (char& c : white) c = c == 'o' ? '#' : c;
  EXPECT_EQ(white, black);

  // The points with plus and minus differ in the plus's upright only.
  const std::string plus = ToolPicture(kToolPointPlus), minus = ToolPicture(kToolPointMinus);
  int differences = 0;
  for (std::size_t i = 0; i < plus.size(); ++i) {
    if (plus[i] != minus[i]) {
      EXPECT_EQ(plus[i], '#');
      EXPECT_EQ(minus[i], '.');
      ++differences;
    }
  }
  EXPECT_GT(differences, 4);
}

// ---- cursors -------------------------------------------------------------

struct Bounds {
  int left = 32, top = 32, right = -1, bottom = -1;
};

Bounds InkBounds(const OsCursorResource& c) {
  Bounds b;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      if (c.rows[y][x] == '.') continue;
      b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x), std::max(b.bottom, y)};
    }
  }
  return b;
}

TEST_F(SketchResources, CursorsAre32By32WithTheirHotSpotsOnThePicture) {
  struct Expected {
    unsigned id;
    int hotX, hotY;
    bool centred;  // on the middle of the whole picture (the magnifiers: of the lens, below)
  };
  const Expected all[] = {{4000, 0, 0, false}, {4001, 0, 0, false}, {4002, 6, 7, true},
                          {4003, 4, 4, false}, {4004, 7, 7, true},  {4028, 4, 4, false},
                          {4029, 4, 4, false}};
  for (const Expected& e : all) {
    SCOPED_TRACE(e.id);
    const OsCursorResource* c = OsFindCursor(kModule, e.id);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->hotX, e.hotX);
    EXPECT_EQ(c->hotY, e.hotY);
    for (int y = 0; y < 32; ++y) {
      ASSERT_EQ(std::strlen(c->rows[y]), 32u) << "row " << y;
      EXPECT_EQ(std::strspn(c->rows[y], ".#o^"), 32u) << "row " << y;
    }
    EXPECT_NE(c->rows[e.hotY][e.hotX], '.');
    const Bounds b = InkBounds(*c);
    if (e.hotX == 0) {
      EXPECT_EQ(b.left, 0);  // the arrows' tip
      EXPECT_EQ(b.top, 0);
    }
    if (e.centred) {
      // Give or take a pixel.
      EXPECT_LE(std::abs(b.left + b.right - 2 * e.hotX), 2) << b.left << ".." << b.right;
      EXPECT_LE(std::abs(b.top + b.bottom - 2 * e.hotY), 2) << b.top << ".." << b.bottom;
    }
  }
  EXPECT_EQ(kSketchResources.cursorCount, 7);
}

TEST_F(SketchResources, TheSolidArrowIsTheHollowOneInvertedAndTheCrossHairOnlyInverts) {
  const OsCursorResource* solid = OsFindCursor(kModule, IDCUR_SOLID_ARROW);
  const OsCursorResource* hollow = OsFindCursor(kModule, IDCUR_HOLLOW_ARROW);
  for (int y = 0; y < 32; ++y) {
    std::string swapped = hollow->rows[y];
    for (char& c : swapped) c = c == '#' ? 'o' : c == 'o' ? '#' : c;
    EXPECT_EQ(solid->rows[y], swapped) << "row " << y;
  }
  const OsCursorResource* cross = OsFindCursor(kModule, IDCUR_CROSS_HAIR);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const bool onLine = (y == 7 && x < 15) || (x == 7 && y < 15);
      EXPECT_EQ(cross->rows[y][x], onLine ? '^' : '.') << x << "," << y;
    }
  }
}

TEST_F(SketchResources, TheMagnifiersLensIsCentredOnTheHotSpotAndCarriesTheSign) {
  const OsCursorResource* plain = OsFindCursor(kModule, IDCUR_MAGNIFIER);
  const OsCursorResource* plus = OsFindCursor(kModule, IDCUR_MAGNIFIER_PLUS);
  const OsCursorResource* minus = OsFindCursor(kModule, IDCUR_MAGNIFIER_MINUS);
  // The rim crosses the hot spot's row and column four pixels either side.
  for (const OsCursorResource* c : {plain, plus, minus}) {
    EXPECT_EQ(std::string(c->rows[4], 9).front(), '#');
    EXPECT_EQ(std::string(c->rows[4], 9).back(), '#');
    EXPECT_EQ(c->rows[0][4], '#');
    EXPECT_EQ(c->rows[8][4], '#');
  }
  // The sign is black on the white glass, centred on the hot spot.
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const bool bar = y == 4 && x >= 2 && x <= 6;
      const bool upright = x == 4 && y >= 2 && y <= 6;
      const char glass = plain->rows[y][x];
      EXPECT_EQ(plus->rows[y][x], bar || upright ? '#' : glass) << x << "," << y;
      EXPECT_EQ(minus->rows[y][x], bar ? '#' : glass) << x << "," << y;
      if (bar || upright) {
        EXPECT_EQ(glass, 'o') << x << "," << y;
      }
    }
  }
}

}  // namespace
