#include <gtest/gtest.h>

#include "DibImage.h"

namespace {

const RGBQUAD kBlackWhite[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};

TEST(DibImage, RowsAreStoredBottomUpWithPaddedStride) {
  DibImage image;
  ASSERT_NE(image.Create(1, {33, 3}, kBlackWhite, 2), 0);
  OsImgSize size;
  image.GetSize(size);
  EXPECT_EQ(size, (OsImgSize{33, 3}));
  EXPECT_EQ(image.GetRowBytes(), 8);  // 33 bits round up to two 32-bit words
  EXPECT_EQ(image.GetRasterOffset(), -8);

  // The byte one row lower is at the address plus the (negative) row offset.
  BYTE* row0 = image.GetPixelAddress(9, 0, 1);
  BYTE* row1 = image.GetPixelAddress(9, 1, 1);
  ASSERT_NE(row0, nullptr);
  EXPECT_EQ(row1, row0 + image.GetRasterOffset());
  EXPECT_EQ(image.GetPixelAddress(15, 0, 1), row0);      // same byte: columns 8..15
  EXPECT_EQ(image.GetPixelAddress(16, 0, 1), row0 + 1);
  EXPECT_EQ(*row0, 0);  // created clear
}

TEST(DibImage, PixelAddressRefusesAnythingOutsideTheRow) {
  DibImage image;
  ASSERT_NE(image.Create(1, {20, 4}, kBlackWhite, 2), 0);
  EXPECT_EQ(image.GetPixelAddress(-1, 0, 1), nullptr);
  EXPECT_EQ(image.GetPixelAddress(20, 0, 1), nullptr);
  EXPECT_EQ(image.GetPixelAddress(0, 4, 1), nullptr);
  EXPECT_EQ(image.GetPixelAddress(0, -1, 1), nullptr);
  EXPECT_EQ(image.GetPixelAddress(0, 0, 0), nullptr);
  EXPECT_NE(image.GetPixelAddress(0, 0, 4), nullptr);   // the whole padded row
  EXPECT_EQ(image.GetPixelAddress(8, 0, 4), nullptr);   // a span past its end

  DibImage empty;
  EXPECT_EQ(empty.GetPixelAddress(0, 0, 1), nullptr);
}

TEST(DibImage, FailedCreateKeepsWhatTheImageHad) {
  DibImage image;
  ASSERT_NE(image.Create(1, {8, 8}, kBlackWhite, 2), 0);
  *image.GetPixelAddress(0, 0, 1) = 0xA5;

  EXPECT_EQ(image.Create(8, {8, 8}, kBlackWhite, 2), 0);       // only one bit per pixel
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

TEST(DibImage, ColourTableRoundTrip) {
  DibImage image;
  ASSERT_NE(image.Create(1, {8, 8}, kBlackWhite, 2), 0);
  RGBQUAD read[2];
  ASSERT_EQ(image.GetColorTable(read, 2), 2);
  EXPECT_EQ(read[0], kBlackWhite[0]);
  EXPECT_EQ(read[1], kBlackWhite[1]);

  const RGBQUAD swapped[2] = {{0, 0, 0, 0}, {10, 20, 30, 0}};
  EXPECT_EQ(image.SetColorTable(swapped, 2), 2);
  image.GetColorTable(read, 2);
  EXPECT_EQ(read[1], (RGBQUAD{10, 20, 30, 0}));

  const RGBQUAD many[5] = {};
  EXPECT_EQ(image.SetColorTable(many, 5), 2);  // never more than the table holds
  EXPECT_EQ(image.GetColorTable(read, 1), 1);
  EXPECT_EQ(image.GetColorTable(nullptr, 2), 0);
}

}  // namespace
