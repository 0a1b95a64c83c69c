#include "OsGdi.h"

#include <algorithm>
#include <new>
#include <utility>

#include "OsPlatformHost.h"

struct OsDC {
  // A frame buffer, or a memory context with a selected bitmap.
  std::uint8_t* rgb = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;
  HBITMAP bitmap = nullptr;
  COLORREF text = RGB(0, 0, 0);
  COLORREF background = RGB(255, 255, 255);
};

HDC CreateCompatibleDC(HDC) { return new (std::nothrow) OsDC; }

OsDC* OsCreateBufferDC(std::uint8_t* rgb, int width, int height, int stride) {
  if (rgb == nullptr || width <= 0 || height <= 0 || stride < width * 3) return nullptr;
  OsDC* dc = new (std::nothrow) OsDC;
  if (dc != nullptr) {
    dc->rgb = rgb;
    dc->width = width;
    dc->height = height;
    dc->stride = stride;
  }
  return dc;
}

BOOL DeleteDC(HDC dc) {
  delete dc;
  return dc != nullptr;
}

HBITMAP SelectBitmap(HDC dc, HBITMAP bitmap) {
  if (dc == nullptr) return nullptr;
  HBITMAP previous = dc->bitmap;
  dc->bitmap = bitmap;
  return previous;
}

COLORREF GetTextColor(HDC dc) { return dc != nullptr ? dc->text : 0; }
COLORREF GetBkColor(HDC dc) { return dc != nullptr ? dc->background : 0; }

COLORREF SetTextColor(HDC dc, COLORREF color) {
  if (dc == nullptr) return 0;
  return std::exchange(dc->text, color);
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
  if (dc == nullptr) return 0;
  return std::exchange(dc->background, color);
}

BOOL BitBlt(HDC dest, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop) {
  if (dest == nullptr || dest->rgb == nullptr || src == nullptr || src->bitmap == nullptr) return 0;
  if (rop != SRCCOPY && rop != SRCINVERT && rop != SRCERASEAND && rop != SRCPAINT) return 0;
  const OsBitmapSource& bits = *src->bitmap;
  RGBQUAD table[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
  bits.BitmapColors(table, 2);
  // Clip the rectangle to the destination and to the source, in 64 bits so that
  // no edge overflows.
  const std::int64_t x0 = std::max<std::int64_t>({0, x, std::int64_t{x} - sx});
  const std::int64_t y0 = std::max<std::int64_t>({0, y, std::int64_t{y} - sy});
  const std::int64_t x1 = std::min<std::int64_t>(
      {dest->width, std::int64_t{x} + w, std::int64_t{x} - sx + bits.BitmapWidth()});
  const std::int64_t y1 = std::min<std::int64_t>(
      {dest->height, std::int64_t{y} + h, std::int64_t{y} - sy + bits.BitmapHeight()});
  const auto apply = [rop](std::uint8_t* px, const RGBQUAD& c) {
    const std::uint8_t s[3] = {c.rgbRed, c.rgbGreen, c.rgbBlue};
    for (int k = 0; k < 3; ++k) {
      switch (rop) {
        case SRCCOPY: px[k] = s[k]; break;
        case SRCINVERT: px[k] ^= s[k]; break;
        case SRCERASEAND: px[k] &= static_cast<std::uint8_t>(~s[k]); break;
        default: px[k] |= s[k]; break;
      }
    }
  };
  // With a black entry 0, a clear bit leaves the destination as it is under
  // every operation but the copy, so only set bits need visiting.
  const bool clearIsNoOp = rop != SRCCOPY && table[0].rgbRed == 0 && table[0].rgbGreen == 0 && table[0].rgbBlue == 0;
  for (std::int64_t dy = y0; dy < y1; ++dy) {
    std::uint8_t* line = dest->rgb + dy * dest->stride;
    const int srcY = static_cast<int>(dy - y + sy);
    const BYTE* row = clearIsNoOp ? bits.BitmapRow(srcY) : nullptr;
    if (row != nullptr) {
      const std::int64_t s0 = x0 - x + sx, s1 = x1 - x + sx;  // source columns [s0, s1)
      for (std::int64_t byte = s0 / 8; byte * 8 < s1; ++byte) {
        const BYTE b = row[byte];
        if (b == 0) continue;
        for (int bit = 0; bit < 8; ++bit) {
          const std::int64_t col = byte * 8 + bit;
          if (col < s0 || col >= s1 || (b & (0x80 >> bit)) == 0) continue;
          apply(line + (col + x - sx) * 3, table[1]);
        }
      }
      continue;
    }
    std::uint8_t* px = line + x0 * 3;
    for (std::int64_t dx = x0; dx < x1; ++dx, px += 3) {
      apply(px, table[bits.BitmapBit(static_cast<int>(dx - x + sx), srcY) ? 1 : 0]);
    }
  }
  return 1;
}

CDC::~CDC() {
  if (m_hDC != nullptr) DeleteDC(m_hDC);
}

BOOL CDC::Attach(HDC dc) {
  if (dc == nullptr || m_hDC != nullptr) return 0;
  m_hDC = dc;
  m_hAttribDC = dc;
  return 1;
}

HDC CDC::Detach() {
  HDC dc = m_hDC;
  m_hDC = nullptr;
  m_hAttribDC = nullptr;
  return dc;
}
