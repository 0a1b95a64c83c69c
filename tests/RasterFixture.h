#pragma once
// A small sketch raster per test, read back as ASCII art ('#' ink, '.' clear),
// one line per row, so that one assertion shows a whole picture.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "OsPlatformHost.h"
#include "raster/SketchRaster.h"

class RasterFixture : public ::testing::Test {
 protected:
  void UseScreen(int w, int h) {
    SketchDeleteRaster();
    OsSetScreenSize(w, h);
    ASSERT_EQ(SketchCreateRaster(), 1);
  }
  void SetUp() override { UseScreen(16, 8); }
  void TearDown() override {
    SketchDeleteRaster();
    SketchResetDirty();
    gTraceMode = 0;
    gTracePoints = nullptr;
    gTraceCount = 0;
    OsSetScreenSize(1024, 768);
  }
  static void ClearRaster() {
    SketchClearRect(gSketchRaster, {0, 0, Size().cx, Size().cy});
    SketchResetDirty();
  }

  static bool Ink(int x, int y) { return (*gSketchRaster->GetPixelAddress(x, y, 1) & (0x80 >> (x % 8))) != 0; }
  static OsImgSize Size() {
    OsImgSize s;
    gSketchRaster->GetSize(s);
    return s;
  }
  static std::string Art() {
    const OsImgSize s = Size();
    std::string out;
    for (int y = 0; y < s.cy; ++y) {
      for (int x = 0; x < s.cx; ++x) out += Ink(x, y) ? '#' : '.';
      out += '\n';
    }
    return out;
  }
  static int InkCount() {
    const std::string art = Art();
    return static_cast<int>(std::count(art.begin(), art.end(), '#'));
  }
  static std::string Rows(std::initializer_list<const char*> rows) {
    std::string out;
    for (const char* r : rows) (out += r) += '\n';
    return out;
  }
};

inline std::ostream& operator<<(std::ostream& os, const OsImgRect& r) {
  return os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
inline std::ostream& operator<<(std::ostream& os, const OsImgPoint& p) {
  return os << "(" << p.x << ", " << p.y << ")";
}
