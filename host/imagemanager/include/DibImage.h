#pragma once
// A device-independent bitmap as the image manager keeps it: rows stored bottom-up
// (so the row offset from y to y + 1 is negative), each padded to four bytes, and
// a colour table for indexed formats.

#include <cstddef>
#include <memory>

#include "OsGdi.h"
#include "OsImgTypes.h"
#include "OsWindows.h"

class DibImage : public OsBitmapSource {
 public:
  // The largest pixel buffer Create accepts; larger requests fail instead of
  // exhausting memory.
  static constexpr std::size_t kMaxBytes = std::size_t{1} << 30;

  DibImage() = default;
  DibImage(const DibImage&) = delete;
  DibImage& operator=(const DibImage&) = delete;
  ~DibImage() override = default;

  // Creates the pixel buffer, all zero, with `count` colour-table entries from
  // `table`. Only one bit per pixel is supported. Returns non-zero on success; on
  // failure the image keeps what it had.
  int Create(int bitsPerPixel, const OsImgSize& size, const RGBQUAD* table, int count);

  void GetSize(OsImgSize& size) const { size = fSize; }
  int GetBitsPerPixel() const { return fBitsPerPixel; }

  // Address of the byte holding pixel (x, y), provided that byte and the n - 1
  // bytes after it lie in row y; null otherwise.
  BYTE* GetPixelAddress(int x, int y, int n);
  const BYTE* GetPixelAddress(int x, int y, int n) const;

  // Signed distance in bytes from a pixel's byte to the same column one row lower.
  std::ptrdiff_t GetRasterOffset() const { return -fStride; }
  std::ptrdiff_t GetRowBytes() const { return fStride; }

  // Copy up to `count` entries out of or into the colour table; both return the
  // number of entries copied.
  int GetColorTable(RGBQUAD* entries, int count) const;
  int SetColorTable(const RGBQUAD* entries, int count);
  int GetColorCount() const { return fColorCount; }

  // The image as a bitmap that can be selected into a memory context and blitted.
  HBITMAP GetBitmap() { return this; }
  int BitmapWidth() const override { return fSize.cx; }
  int BitmapHeight() const override { return fSize.cy; }
  bool BitmapBit(int x, int y) const override;
  int BitmapColors(RGBQUAD* entries, int count) const override { return GetColorTable(entries, count); }
  const BYTE* BitmapRow(int y) const override { return GetPixelAddress(0, y, 1); }

 private:
  static constexpr int kMaxColors = 2;

  std::unique_ptr<BYTE[]> fBits;
  OsImgSize fSize;
  std::ptrdiff_t fStride = 0;
  int fBitsPerPixel = 0;
  RGBQUAD fColors[kMaxColors] = {};
  int fColorCount = 0;
};
