// Reading PNG pictures: what cannot be read is refused with a reason, leaving
// the picture as it was. Every kind of picture that can be read, as both hosts
// show it, is the replay script apps-png-kinds; files that cannot be read at
// all (missing, folders, FIFOs) are the command line's and bad-picture's.

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

void PutBig32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i)
    bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
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
    RgbImage image(1, 1);
    image.pixels = {1, 2, 3};
    const std::string error = ReadPng(c.bytes.data(), c.bytes.size(), c.name, image);
    EXPECT_EQ(error.rfind(std::string(c.name) + ": ", 0), 0u) << error;
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    EXPECT_EQ(image.pixels, (Bytes{1, 2, 3})) << c.name;
  }
}

}  // namespace
