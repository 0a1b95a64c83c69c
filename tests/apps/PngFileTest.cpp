// Pictures that can be read are the replay script apps-png-kinds'; files that
// cannot be opened at all are the command line's and bad-picture's.

#include <gtest/gtest.h>
#include <unistd.h>
#include <zlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Files.h"
#include "PngFile.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// The small picture's data under a header declaring `width` x `height`, its
// CRC made right so that only the size is wrong.
Bytes Declaring(Bytes png, std::uint32_t width, std::uint32_t height) {
  const auto put = [&png](std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) png[at + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
  };
  put(16, width);
  put(20, height);
  put(29, static_cast<std::uint32_t>(crc32(0, &png[12], 17)));
  return png;
}

// Opaque, clear and half-covered shades are apps-png-kinds' pictures; these lie
// either side of half a shade.
TEST(OverWhite, RoundsToTheNearestShade) {
  const struct {
    std::uint8_t c, a, shown;
  } cases[] = {{0, 127, 128}, {254, 77, 255}, {1, 254, 2}, {0, 1, 254}, {127, 1, 254}, {128, 1, 255}};
  for (const auto& c : cases) EXPECT_EQ(OverWhite(c.c, c.a), c.shown) << int{c.c} << " " << int{c.a};
}

TEST(PngFile, RefusesWhatItCannotReadWithoutTouchingThePicture) {
  const std::string path = std::filesystem::temp_directory_path() / ("sketch-png-" + std::to_string(getpid()) + ".png");
  std::string file;
  ASSERT_EQ(WritePng(path, RgbImage(16, 16)), "");
  ASSERT_EQ(ReadWholeFile(path, file), "");
  std::filesystem::remove(path);
  const Bytes good(file.begin(), file.end());
  const Bytes truncated(good.begin(), good.end() - 20);

  const struct {
    const char* name;
    Bytes bytes;
    const char* reason;
  } cases[] = {
      {"empty", {}, "not a readable PNG picture"},
      {"text", {'h', 'e', 'l', 'l', 'o'}, "not a readable PNG picture"},
      {"huge", Declaring(good, kMaxPictureSide, kMaxPictureSide), "16384 x 16384 pixels declared in"},
      {"too wide", Declaring(good, kMaxPictureSide + 1, kMaxPictureSide), "at most 16384 a side"},
      {"truncated", truncated, "damaged"},
  };
  for (const auto& c : cases) {
    RgbImage image(1, 1);
    image.pixels = {1, 2, 3};
    const std::string error = ReadPng(c.bytes.data(), c.bytes.size(), c.name, image);
    EXPECT_EQ(error.rfind(std::string(c.name) + ": ", 0), 0u) << error;
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    EXPECT_EQ(image.pixels, (Bytes{1, 2, 3})) << c.name;
  }
}

}  // namespace
