#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "PngFile.h"

namespace {

// A grey ramp as a 16-bit PNG without gamma information, as painting programs
// write one.
void WriteSixteenBitRamp(const std::string& path, int width) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), 1, 16, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<png_byte> row;
  for (int x = 0; x < width; ++x) {
    const int v = x * 65535 / (width - 1);
    row.push_back(static_cast<png_byte>(v >> 8));
    row.push_back(static_cast<png_byte>(v & 0xff));
  }
  png_write_row(png, row.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(file);
}

TEST(ReadPng, SixteenBitSamplesKeepTheirBrightness) {
  const std::string path = (std::filesystem::temp_directory_path() / "sketch-ramp16.png").string();
  WriteSixteenBitRamp(path, 256);
  RgbImage image;
  ASSERT_EQ(ReadPng(path, image), "");
  std::filesystem::remove(path);
  ASSERT_EQ(image.width, 256);
  for (int x = 0; x < 256; ++x) {
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(image.At(x, 0)[c], x, 1) << x;
  }
}

}  // namespace
