#include <gtest/gtest.h>

#include "DibImage.h"

namespace {

const RGBQUAD kBlackWhite[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};

TEST(DibImage, RowsAreStoredBottomUpWithPaddedStrideAndAddressesStayInTheRow) {
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

TEST(DibImage, FailedCreateKeepsWhatTheImageHad) {
  DibImage image;
  ASSERT_NE(image.Create(1, {8, 8}, kBlackWhite, 2), 0);
  *image.GetPixelAddress(0, 0, 1) = 0xA5;

  EXPECT_EQ(image.Create(8, {8, 8}, kBlackWhite, 2), 0);  // only one bit per pixel
  EXPECT_EQ(image.Create(1, {0, 8}, kBlackWhite, 2), 0);
  EXPECT_EQ(image.Create(1, {8, -1}, kBlackWhite, 2), 0);
  EXPECT_EQ(image.Create(1, {8, 8}, kBlackWhite, 3), 0);
  EXPECT_EQ(image.Create(1, {8, 8}, nullptr, 2), 0);
  EXPECT_EQ(image.Create(1, {0x7FFFFFFF, 0x7FFFFFFF}, kBlackWhite, 2), 0);  // too large

  OsImgSize size;
  image.GetSize(size);
  EXPECT_EQ(size, (OsImgSize{8, 8}));
  EXPECT_EQ(*image.GetPixelAddress(0, 0, 1), 0xA5);
}

TEST(DibImage, ColourTableCopiesNoMoreThanItHolds) {
  DibImage image;
  ASSERT_NE(image.Create(1, {8, 8}, kBlackWhite, 2), 0);
  const RGBQUAD many[5] = {{1, 2, 3, 0}, {10, 20, 30, 0}, {7, 7, 7, 0}};
  EXPECT_EQ(image.SetColorTable(many, 5), 2);
  RGBQUAD read[3] = {};
  EXPECT_EQ(image.GetColorTable(read, 3), 2);
  EXPECT_EQ(read[1], (RGBQUAD{10, 20, 30, 0}));
  EXPECT_EQ(read[2], (RGBQUAD{}));
  EXPECT_EQ(image.GetColorTable(nullptr, 2), 0);
}

}  // namespace
