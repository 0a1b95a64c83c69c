// Reading PNG pictures from memory and from files: what is read is whole, and
// what cannot be read is refused with a reason, leaving the picture as it was.

#include <gtest/gtest.h>
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "PngFile.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A PNG in memory, packed as tightly as deflate can. `samples` are the rows
// as the file holds them, top-down.
struct PngLayout {
  int width, height, depth, type;
  Bytes samples;
  std::vector<png_color> palette = {};
  Bytes transparent = {};  // tRNS: a palette's opacities, or one grey sample
  double gamma = 0;        // gAMA when not 0
  int interlace = PNG_INTERLACE_NONE;
};

Bytes Encode(const PngLayout& layout) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(
      png, &out,
      [](png_structp p, png_bytep data, png_size_t n) {
        auto* bytes = static_cast<Bytes*>(png_get_io_ptr(p));
        bytes->insert(bytes->end(), data, data + n);
      },
      nullptr);
  png_set_compression_level(png, 9);
  png_set_IHDR(png, info, static_cast<png_uint_32>(layout.width), static_cast<png_uint_32>(layout.height), layout.depth,
               layout.type, layout.interlace, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!layout.palette.empty()) png_set_PLTE(png, info, layout.palette.data(), static_cast<int>(layout.palette.size()));
  if (layout.type == PNG_COLOR_TYPE_PALETTE && !layout.transparent.empty()) {
    png_set_tRNS(png, info, layout.transparent.data(), static_cast<int>(layout.transparent.size()), nullptr);
  } else if (!layout.transparent.empty()) {
    png_color_16 grey{};
    grey.gray = layout.transparent[0];
    png_set_tRNS(png, info, nullptr, 1, &grey);
  }
  if (layout.gamma != 0) png_set_gAMA(png, info, layout.gamma);
  png_write_info(png, info);
  const std::size_t rowBytes = layout.samples.size() / static_cast<std::size_t>(layout.height);
  for (int pass = png_set_interlace_handling(png); pass > 0; --pass) {
    for (int y = 0; y < layout.height; ++y) png_write_row(png, &layout.samples[rowBytes * static_cast<std::size_t>(y)]);
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

// A white picture at one bit a pixel: the smallest file a picture of that
// size can honestly be.
Bytes TightWhitePng(int width, int height) {
  return Encode({width, height, 1, PNG_COLOR_TYPE_GRAY,
                 Bytes(static_cast<std::size_t>(width + 7) / 8 * static_cast<std::size_t>(height), 0xff)});
}

void PutBig32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i)
    bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

RgbImage Marker() {
  RgbImage image(1, 1);
  image.pixels = {1, 2, 3};
  return image;
}

TEST(OverWhite, RoundsToTheNearestShade) {
  const struct {
    std::uint8_t c, a, shown;
  } cases[] = {
      {200, 255, 200}, {0, 255, 0},     {255, 255, 255},  // opaque
      {200, 0, 255},   {0, 0, 255},                       // clear
      {0, 128, 127},   {255, 128, 255}, {100, 128, 177}, {0, 127, 128}, {254, 77, 255},
      {1, 254, 2},     {0, 1, 254},     {127, 1, 254},   {128, 1, 255},  // either side of half a shade
  };
  for (const auto& c : cases) EXPECT_EQ(OverWhite(c.c, c.a), c.shown) << int{c.c} << " " << int{c.a};
}

// Every kind of PNG as both hosts show it: transparency over white, 16-bit
// samples to 8, and the samples as written whatever gamma the file declares.
TEST(ReadPng, LaysTransparencyOverWhiteAndIgnoresGamma) {
  const std::vector<png_color> redBlue = {{255, 0, 0}, {0, 0, 255}};
  const struct {
    const char* name;
    PngLayout layout;
    Bytes rgb;
  } cases[] = {
      {"rgba",
       {3, 1, 8, PNG_COLOR_TYPE_RGBA, {200, 100, 50, 255, 200, 100, 50, 0, 0, 100, 255, 128}},
       {200, 100, 50, 255, 255, 255, 127, 177, 255}},
      {"grey and alpha", {2, 1, 8, PNG_COLOR_TYPE_GRAY_ALPHA, {0, 128, 90, 255}}, {127, 127, 127, 90, 90, 90}},
      {"palette with opacities",
       {3, 1, 8, PNG_COLOR_TYPE_PALETTE, {0, 1, 0}, redBlue, {128}},
       {255, 127, 127, 0, 0, 255, 255, 127, 127}},
      {"grey with a clear shade", {2, 1, 8, PNG_COLOR_TYPE_GRAY, {7, 200}, {}, {7}}, {255, 255, 255, 200, 200, 200}},
      {"16-bit rgba",
       {1, 1, 16, PNG_COLOR_TYPE_RGBA, {0xff, 0xff, 0x00, 0x00, 0x80, 0x80, 0x80, 0x80}},
       {255, 127, 191}},
      {"linear gamma", {1, 1, 8, PNG_COLOR_TYPE_RGB, {128, 64, 0}, {}, {}, 1.0}, {128, 64, 0}},
      {"interlaced",
       {2,
        3,
        8,
        PNG_COLOR_TYPE_GRAY_ALPHA,
        {0, 255, 10, 0, 20, 128, 30, 255, 40, 0, 50, 128},
        {},
        {},
        0,
        PNG_INTERLACE_ADAM7},
       {0, 0, 0, 255, 255, 255, 137, 137, 137, 30, 30, 30, 255, 255, 255, 152, 152, 152}},
  };
  for (const auto& c : cases) {
    const Bytes png = Encode(c.layout);
    RgbImage image;
    ASSERT_EQ(ReadPng(png.data(), png.size(), c.name, image), "");
    EXPECT_EQ(image.width, c.layout.width) << c.name;
    EXPECT_EQ(image.height, c.layout.height) << c.name;
    EXPECT_EQ(image.pixels, c.rgb) << c.name;
    // Cut after the last of its pixels, without the end marker, it is whole.
    RgbImage cut;
    ASSERT_EQ(ReadPng(png.data(), png.size() - 12, c.name, cut), "");
    EXPECT_EQ(cut.pixels, c.rgb) << c.name;
  }
}

TEST(PngFile, TakesAPictureAsSmallAsDeflateCanPackIt) {
  const Bytes bytes = TightWhitePng(kMaxPictureSide, 256);
  RgbImage image;
  ASSERT_EQ(ReadPng(bytes.data(), bytes.size(), "tight.png", image), "") << bytes.size() << " bytes";
  EXPECT_EQ(image.width, kMaxPictureSide);
  EXPECT_EQ(image.height, 256);
  EXPECT_EQ(image.pixels, Bytes(image.pixels.size(), 0xff));  // grey one bit to RGB
}

TEST(PngFile, RefusesWhatItCannotReadAndLeavesThePictureAsItWas) {
  const Bytes good = TightWhitePng(16, 16);
  // The same header declaring the largest picture a host opens, over the few
  // bytes of data of the small one; its CRC made right so that only the size
  // is wrong.
  Bytes huge = good;
  PutBig32(huge, 16, kMaxPictureSide);
  PutBig32(huge, 20, kMaxPictureSide);
  PutBig32(huge, 29, static_cast<std::uint32_t>(crc32(0, &huge[12], 17)));
  Bytes tooWide = huge;
  PutBig32(tooWide, 16, kMaxPictureSide + 1);
  PutBig32(tooWide, 29, static_cast<std::uint32_t>(crc32(0, &tooWide[12], 17)));
  const Bytes truncated(good.begin(), good.end() - 20);

  const struct {
    const char* name;
    Bytes bytes;
    const char* reason;
  } cases[] = {
      {"empty", {}, "not a readable PNG picture"},
      {"text", {'h', 'e', 'l', 'l', 'o'}, "not a readable PNG picture"},
      {"huge", huge, "16384 x 16384 pixels declared in"},
      {"too wide", tooWide, "at most 16384 a side"},
      {"truncated", truncated, "damaged"},
  };
  for (const auto& c : cases) {
    RgbImage image = Marker();
    const std::string error = ReadPng(c.bytes.data(), c.bytes.size(), c.name, image);
    EXPECT_EQ(error.rfind(std::string(c.name) + ": ", 0), 0u) << error;
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    EXPECT_EQ(image.pixels, Marker().pixels) << c.name;
  }
  RgbImage image = Marker();
  EXPECT_EQ(ReadPng("/nonexistent/picture.png", image), "/nonexistent/picture.png: cannot open the file");
  const std::string folder = std::filesystem::temp_directory_path().string();
  EXPECT_EQ(ReadPng(folder, image), folder + ": is a folder, not a file");
  // A FIFO nobody writes to would block the read for ever.
  const std::string fifo = folder + "/png-test-fifo-" + std::to_string(getpid());
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(ReadPng(fifo, image), fifo + ": is not a regular file");
  std::filesystem::remove(fifo);
  EXPECT_EQ(image.pixels, Marker().pixels);
}

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
