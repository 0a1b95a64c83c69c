// The one-bit image's rows; the blit paints eight pixels at a time where it can,
// yet each must come out as its own bit through the colour table.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "DibImage.h"
#include "OsGdi.h"
#include "OsPlatformHost.h"

namespace {

const RGBQUAD kBlackWhite[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};

TEST(DibImage, AddressesStayInTheirPaddedBottomUpRow) {
  DibImage image;
  EXPECT_EQ(image.GetPixelAddress(0, 0, 1), nullptr);  // nothing created yet
  ASSERT_NE(image.Create(1, {33, 3}, kBlackWhite, 2), 0);
  EXPECT_EQ(image.GetRasterOffset(), -8);  // 33 bits round up to two 32-bit words; bottom-up

  BYTE* row0 = image.GetPixelAddress(9, 0, 1);
  ASSERT_NE(row0, nullptr);
  EXPECT_EQ(*row0, 0);                                  // created clear
  EXPECT_EQ(image.GetPixelAddress(9, 1, 1), row0 - 8);  // the row below
  EXPECT_EQ(image.GetPixelAddress(15, 0, 1), row0);     // same byte: columns 8..15
  EXPECT_EQ(image.GetPixelAddress(16, 0, 1), row0 + 1);
  EXPECT_EQ(image.GetPixelAddress(0, 0, 8), row0 - 1);  // the whole padded row

  const int outside[][3] = {{-1, 0, 1}, {33, 0, 1}, {0, 3, 1}, {0, -1, 1}, {0, 0, 0}, {8, 0, 8}};
  for (const auto& [x, y, n] : outside) {
    EXPECT_EQ(image.GetPixelAddress(x, y, n), nullptr) << x << ',' << y << ',' << n;
  }
}

// The raster is made at the screen's size, which may be none or more than memory holds.
TEST(DibImage, FailedCreateKeepsWhatTheImageHad) {
  DibImage image;
  ASSERT_NE(image.Create(1, {8, 8}, kBlackWhite, 2), 0);
  *image.GetPixelAddress(0, 0, 1) = 0xA5;
  EXPECT_EQ(image.Create(1, {0, 8}, kBlackWhite, 2), 0);
  EXPECT_EQ(image.Create(1, {8, -1}, kBlackWhite, 2), 0);
  EXPECT_EQ(image.Create(1, {0x7FFFFFFF, 0x7FFFFFFF}, kBlackWhite, 2), 0);  // too large

  OsImgSize size;
  image.GetSize(size);
  EXPECT_EQ(size, (OsImgSize{8, 8}));
  EXPECT_EQ(*image.GetPixelAddress(0, 0, 1), 0xA5);
}

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
  std::mt19937 engine(99);
  const auto below = [&engine](int range) { return std::uniform_int_distribution<int>(0, range - 1)(engine); };
  const DWORD rops[] = {SRCINVERT, SRCERASEAND, SRCPAINT, SRCCOPY};
  int differing = 0, painted = 0;
  for (int round = 0; round < 400; ++round) {
    // Odd sizes, sparse and dense rows, bits set in the row padding too.
    const int bw = 1 + below(150), bh = 1 + below(12);
    RGBQUAD table[2] = {
        {0, 0, 0, 0}, {static_cast<BYTE>(below(256)), static_cast<BYTE>(below(256)), static_cast<BYTE>(below(256)), 0}};
    if (below(5) == 0) table[0] = {7, 0, 200, 0};  // a clear bit that paints too
    DibImage image;
    ASSERT_NE(image.Create(1, {bw, bh}, table, 2), 0);
    const int density = below(4);
    for (int row = 0; row < bh; ++row) {
      BYTE* bytes = image.GetPixelAddress(0, row, static_cast<int>(image.GetRowBytes()));
      for (std::ptrdiff_t i = 0; i < image.GetRowBytes(); ++i) {
        const int kind = below(4);
        bytes[i] = density == 0 || kind >= density ? 0 : kind == 0 ? 0xFF : static_cast<BYTE>(below(256));
      }
    }
    const int width = 1 + below(160), height = 1 + below(14), stride = width * 3 + below(9);
    std::vector<std::uint8_t> frame(static_cast<std::size_t>(stride) * height);
    for (std::uint8_t& b : frame) b = static_cast<std::uint8_t>(below(256));
    const std::vector<std::uint8_t> before = frame;
    std::vector<std::uint8_t> expected = frame;
    const int x = below(60) - 20, y = below(10) - 4, w = below(200) - 10, h = below(20) - 2;
    const int sx = below(40) - 10, sy = below(8) - 3;
    const DWORD rop = rops[below(4)];

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
