#pragma once
// The drawing calls the sketch display makes: device contexts over a host's RGB
// frame buffer or over a memory bitmap, and BitBlt with the three raster
// operations the display uses (plus a plain copy).
//
// A one-bit source is read through its colour table: a pixel's colour is the
// table entry its bit selects. Colours are COLORREF values 0x00BBGGRR.

#include <cstdint>

#include "OsWindows.h"

using COLORREF = DWORD;
constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
  return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}

enum : DWORD {
  SRCCOPY = 0x00CC0020,
  SRCINVERT = 0x00660046,    // source XOR destination
  SRCERASEAND = 0x00220326,  // destination AND NOT source
  SRCPAINT = 0x00EE0086,     // source OR destination
};

// What a blit reads from a bitmap selected into a memory context: a one-bit
// image with its colour table.
class OsBitmapSource {
 public:
  virtual ~OsBitmapSource() = default;
  virtual int BitmapWidth() const = 0;
  virtual int BitmapHeight() const = 0;
  // Whether pixel (x, y) is set; both are inside the bitmap.
  virtual bool BitmapBit(int x, int y) const = 0;
  // Copies up to `count` entries of the colour table; returns how many.
  virtual int BitmapColors(RGBQUAD* entries, int count) const = 0;
  // Row y as packed bits (leftmost pixel in the high bit), when the bitmap keeps
  // it so; null otherwise. Lets a blit skip the empty stretches of a sparse image.
  virtual const BYTE* BitmapRow(int /*y*/) const { return nullptr; }
};
using HBITMAP = OsBitmapSource*;

struct OsDC;
using HDC = OsDC*;

// A memory context; `like` may be null. Destroy it with DeleteDC.
HDC CreateCompatibleDC(HDC like);
BOOL DeleteDC(HDC dc);
// Selects a bitmap into a memory context; returns the one it replaces (null
// for the context's first).
HBITMAP SelectBitmap(HDC dc, HBITMAP bitmap);
COLORREF GetTextColor(HDC dc);
COLORREF GetBkColor(HDC dc);
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF SetBkColor(HDC dc, COLORREF color);
// Blits w x h pixels from (sx, sy) of src's bitmap to (x, y) of dest, clipped to
// both. Only the raster operations above are known; others do nothing (0).
BOOL BitBlt(HDC dest, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop);

// The class library's wrapper. Destroying a CDC deletes the context attached to
// it, as the class library does for contexts it made.
class CDC {
 public:
  CDC() = default;
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;
  virtual ~CDC();

  BOOL Attach(HDC dc);
  HDC Detach();
  HDC GetSafeHdc() const { return m_hDC; }

  HBITMAP SelectObject(HBITMAP bitmap) { return SelectBitmap(m_hDC, bitmap); }
  COLORREF SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
  COLORREF SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }
  BOOL BitBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, DWORD rop) {
    return ::BitBlt(m_hDC, x, y, w, h, src != nullptr ? src->m_hDC : nullptr, sx, sy, rop);
  }

  HDC m_hDC = nullptr;
  HDC m_hAttribDC = nullptr;
};
