#include "DibImage.h"

#include <algorithm>
#include <cstdint>
#include <new>

int DibImage::Create(int bitsPerPixel, const OsImgSize& size, const RGBQUAD* table, int count) {
  if (bitsPerPixel != 1) return 0;
  if (size.cx < 1 || size.cy < 1) return 0;
  if (count < 0 || count > kMaxColors || (count > 0 && table == nullptr)) return 0;

  const std::int64_t stride = ((std::int64_t{size.cx} + 31) / 32) * 4;
  const std::int64_t bytes = stride * size.cy;  // at most 2^28 * 2^31: no overflow
  if (static_cast<std::uint64_t>(bytes) > kMaxBytes) return 0;

  std::unique_ptr<BYTE[]> bits(new (std::nothrow) BYTE[static_cast<std::size_t>(bytes)]());
  if (!bits) return 0;

  fBits = std::move(bits);
  fSize = size;
  fStride = static_cast<std::ptrdiff_t>(stride);
  fBitsPerPixel = bitsPerPixel;
  fColorCount = count;
  std::fill(std::begin(fColors), std::end(fColors), RGBQUAD{});
  std::copy_n(table, count, fColors);
  return 1;
}

const BYTE* DibImage::GetPixelAddress(int x, int y, int n) const {
  if (!fBits || x < 0 || y < 0 || x >= fSize.cx || y >= fSize.cy || n < 1) return nullptr;
  const std::ptrdiff_t column = x / 8;
  if (column + n > fStride) return nullptr;
  // Bottom-up: image row 0 is the last row in memory.
  return fBits.get() + static_cast<std::ptrdiff_t>(fSize.cy - 1 - y) * fStride + column;
}

BYTE* DibImage::GetPixelAddress(int x, int y, int n) {
  return const_cast<BYTE*>(static_cast<const DibImage*>(this)->GetPixelAddress(x, y, n));
}

int DibImage::GetColorTable(RGBQUAD* entries, int count) const {
  if (entries == nullptr || count <= 0) return 0;
  const int n = std::min(count, fColorCount);
  std::copy_n(fColors, n, entries);
  return n;
}

int DibImage::SetColorTable(const RGBQUAD* entries, int count) {
  if (entries == nullptr || count <= 0) return 0;
  const int n = std::min(count, fColorCount);
  std::copy_n(entries, n, fColors);
  return n;
}

bool DibImage::BitmapBit(int x, int y) const {
  const BYTE* byte = GetPixelAddress(x, y, 1);
  return byte != nullptr && (*byte & (0x80 >> (x % 8))) != 0;
}
