#include "OsGdi.h"

#include <algorithm>
#include <cstring>
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

namespace {

// For every byte of a one-bit row, its eight pixels as 24 RGB bytes: 0xFF
// for the three bytes of a set pixel, 0 for a clear one.
struct Spread {
  std::uint8_t bytes[256][24];
};

constexpr Spread MakeSpread() {
  Spread s{};
  for (int b = 0; b < 256; ++b) {
    for (int bit = 0; bit < 8; ++bit) {
      const std::uint8_t v = (b & (0x80 >> bit)) != 0 ? 0xFF : 0x00;
      for (int k = 0; k < 3; ++k) s.bytes[b][bit * 3 + k] = v;
    }
  }
  return s;
}

constexpr Spread kSpread = MakeSpread();

// The raster operation on the 24 bytes at px, with the ink's bytes where mask
// has 0xFF and nothing (x ^ 0, x & ~0, x | 0) elsewhere, eight bytes at a time.
void Apply8(std::uint8_t* px, const std::uint8_t* mask, const std::uint8_t* ink, DWORD rop) {
  for (int k = 0; k < 24; k += 8) {
    std::uint64_t d, m, c;
    std::memcpy(&d, px + k, 8);
    std::memcpy(&m, mask + k, 8);
    std::memcpy(&c, ink + k, 8);
    const std::uint64_t s = m & c;
    switch (rop) {
      case SRCINVERT: d ^= s; break;
      case SRCERASEAND: d &= ~s; break;
      default: d |= s; break;
    }
    std::memcpy(px + k, &d, 8);
  }
}

}  // namespace

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
  const std::int64_t x1 =
      std::min<std::int64_t>({dest->width, std::int64_t{x} + w, std::int64_t{x} - sx + bits.BitmapWidth()});
  const std::int64_t y1 =
      std::min<std::int64_t>({dest->height, std::int64_t{y} + h, std::int64_t{y} - sy + bits.BitmapHeight()});
  if (x0 >= x1 || y0 >= y1) return 1;
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
  // Eight pixels of the set entry's colour, as the 24 bytes they take.
  std::uint8_t ink[24];
  for (int i = 0; i < 24; i += 3) {
    ink[i] = table[1].rgbRed;
    ink[i + 1] = table[1].rgbGreen;
    ink[i + 2] = table[1].rgbBlue;
  }
  for (std::int64_t dy = y0; dy < y1; ++dy) {
    std::uint8_t* line = dest->rgb + dy * dest->stride;
    const int srcY = static_cast<int>(dy - y + sy);
    const BYTE* row = clearIsNoOp ? bits.BitmapRow(srcY) : nullptr;
    if (row != nullptr) {
      const std::int64_t s0 = x0 - x + sx, s1 = x1 - x + sx;  // source columns [s0, s1)
      const std::int64_t lastByte = (s1 - 1) / 8;
      for (std::int64_t byte = s0 / 8; byte <= lastByte; ++byte) {
        if (byte + 8 <= lastByte + 1) {
          std::uint64_t eight;
          std::memcpy(&eight, row + byte, 8);
          if (eight == 0) {
            byte += 7;
            continue;
          }
        }
        const BYTE b = row[byte];
        if (b == 0) continue;
        const std::int64_t first = byte * 8;
        if (first >= s0 && first + 8 <= s1) {
          // All eight pixels inside: one masked operation over their 24 bytes.
          Apply8(line + (first + x - sx) * 3, kSpread.bytes[b], ink, rop);
          continue;
        }
        for (int bit = 0; bit < 8; ++bit) {
          const std::int64_t col = first + bit;
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
