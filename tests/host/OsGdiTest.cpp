// The blit paints eight pixels at a time where it can; every pixel must come out
// as reading its own bit through the colour table and applying the operation.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "DibImage.h"
#include "OsGdi.h"
#include "OsPlatformHost.h"

namespace {

struct Lcg {
  std::uint64_t state = 99;
  int Below(int range) {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<int>((state >> 33) % static_cast<std::uint64_t>(range));
  }
};

// Pixel by pixel over the clipped rectangle.
void ReferenceBlit(std::vector<std::uint8_t>& rgb, int width, int height, int stride, int x, int y, int w, int h,
                   const DibImage& src, int sx, int sy, DWORD rop) {
  RGBQUAD table[2];
  src.GetColorTable(table, 2);
  for (std::int64_t dy = 0; dy < height; ++dy) {
    for (std::int64_t dx = 0; dx < width; ++dx) {
      const std::int64_t bx = dx - x + sx, by = dy - y + sy;
      if (dx < x || dx >= std::int64_t{x} + w || dy < y || dy >= std::int64_t{y} + h) continue;
      if (bx < 0 || by < 0 || bx >= src.BitmapWidth() || by >= src.BitmapHeight()) continue;
      const RGBQUAD& c = table[src.BitmapBit(static_cast<int>(bx), static_cast<int>(by)) ? 1 : 0];
      const std::uint8_t s[3] = {c.rgbRed, c.rgbGreen, c.rgbBlue};
      std::uint8_t* px = &rgb[static_cast<std::size_t>(dy * stride + dx * 3)];
      for (int k = 0; k < 3; ++k) {
        if (rop == SRCCOPY) px[k] = s[k];
        if (rop == SRCINVERT) px[k] ^= s[k];
        if (rop == SRCERASEAND) px[k] &= static_cast<std::uint8_t>(~s[k]);
        if (rop == SRCPAINT) px[k] |= s[k];
      }
    }
  }
}

TEST(BitBlt, EveryPixelAsItsBitThroughTheTableUnderEachOperationAndClip) {
  Lcg rng;
  const DWORD rops[] = {SRCINVERT, SRCERASEAND, SRCPAINT, SRCCOPY};
  int differing = 0, painted = 0;
  for (int round = 0; round < 400; ++round) {
    // Odd sizes, sparse and dense rows, bits set in the row padding too.
    const int bw = 1 + rng.Below(150), bh = 1 + rng.Below(12);
    RGBQUAD table[2] = {
        {0, 0, 0, 0},
        {static_cast<BYTE>(rng.Below(256)), static_cast<BYTE>(rng.Below(256)), static_cast<BYTE>(rng.Below(256)), 0}};
    if (rng.Below(5) == 0) table[0] = {7, 0, 200, 0};  // a clear bit that paints too
    DibImage image;
    ASSERT_NE(image.Create(1, {bw, bh}, table, 2), 0);
    const int density = rng.Below(4);
    for (int row = 0; row < bh; ++row) {
      BYTE* bytes = image.GetPixelAddress(0, row, static_cast<int>(image.GetRowBytes()));
      for (std::ptrdiff_t i = 0; i < image.GetRowBytes(); ++i) {
        const int kind = rng.Below(4);
        bytes[i] = density == 0 || kind >= density ? 0 : kind == 0 ? 0xFF : static_cast<BYTE>(rng.Below(256));
      }
    }
    const int width = 1 + rng.Below(160), height = 1 + rng.Below(14), stride = width * 3 + rng.Below(9);
    std::vector<std::uint8_t> frame(static_cast<std::size_t>(stride) * height);
    for (std::uint8_t& b : frame) b = static_cast<std::uint8_t>(rng.Below(256));
    const std::vector<std::uint8_t> before = frame;
    std::vector<std::uint8_t> expected = frame;
    const int x = rng.Below(60) - 20, y = rng.Below(10) - 4, w = rng.Below(200) - 10, h = rng.Below(20) - 2;
    const int sx = rng.Below(40) - 10, sy = rng.Below(8) - 3;
    const DWORD rop = rops[rng.Below(4)];

    HDC memory = CreateCompatibleDC(nullptr);
    SelectBitmap(memory, image.GetBitmap());
    HDC target = OsCreateBufferDC(frame.data(), width, height, stride);
    EXPECT_EQ(BitBlt(target, x, y, w, h, memory, sx, sy, rop), 1);
    DeleteDC(target);
    DeleteDC(memory);
    ReferenceBlit(expected, width, height, stride, x, y, w, h, image, sx, sy, rop);
    differing += frame != expected;
    painted += frame != before;
  }
  EXPECT_EQ(differing, 0);
  EXPECT_GT(painted, 100);  // a good part of the blits reach the frame
}

}  // namespace
