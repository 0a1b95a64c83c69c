// The PNG reader on arbitrary bytes: a picture comes out whole and within the
// size a host opens, or a reason naming the file comes out and the picture
// passed in is untouched. A header declaring a huge picture over a few bytes of
// data is refused before its pixels are allocated.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>
#include <zlib.h>

#include "PngFile.h"

namespace {

[[noreturn]] void Broken(const char* what, const std::string& detail) {
  std::fprintf(stderr, "fuzz_png: %s: %s\n", what, detail.c_str());
  std::abort();
}

// libpng refuses a chunk whose checksum is wrong before it looks inside, so
// nearly every mutation of a header or of the data would stop there. The
// checksums are put right first, so that the reader meets the sizes and data
// the fuzzer made.
std::vector<std::uint8_t> WithRightChecksums(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> png(data, data + size);
  const auto get32 = [&png](std::size_t at) {
    return std::uint32_t{png[at]} << 24 | std::uint32_t{png[at + 1]} << 16 | std::uint32_t{png[at + 2]} << 8 |
           png[at + 3];
  };
  std::size_t at = 8;  // past the signature
  while (at + 12 <= png.size()) {
    const std::size_t length = get32(at);
    if (length > png.size() - at - 12) break;
    const std::uint32_t crc = static_cast<std::uint32_t>(crc32(0, &png[at + 4], static_cast<uInt>(length + 4)));
    for (int i = 0; i < 4; ++i)
      png[at + 8 + length + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    at += length + 12;
  }
  return png;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RgbImage image(1, 1);
  image.pixels = {1, 2, 3};
  const std::vector<std::uint8_t> png = WithRightChecksums(data, size);
  const std::string error = ReadPng(png.data(), png.size(), "fuzz.png", image);
  if (!error.empty()) {
    if (error.rfind("fuzz.png: ", 0) != 0) Broken("a reason that does not name the file", error);
    if (image.width != 1 || image.height != 1 || image.pixels != std::vector<std::uint8_t>{1, 2, 3}) {
      Broken("a refused picture changed the one passed in", error);
    }
    return 0;
  }
  if (image.width < 1 || image.height < 1 || image.width > kMaxPictureSide || image.height > kMaxPictureSide) {
    Broken("a picture outside the sizes a host opens",
           std::to_string(image.width) + " x " + std::to_string(image.height));
  }
  if (image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 3) {
    Broken("the pixels do not fill the picture", std::to_string(image.pixels.size()) + " bytes for " +
                                                     std::to_string(image.width) + " x " +
                                                     std::to_string(image.height));
  }
  // What was read is written and read back unchanged (few inputs get here).
  static const std::string scratch = [] {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir != nullptr && *dir != '\0' ? dir : "/tmp") + "/fuzz_png." + std::to_string(getpid()) +
           ".png";
  }();
  if (std::string e = WritePng(scratch, image); !e.empty()) Broken("a picture read cannot be written", e);
  RgbImage again;
  if (std::string e = ReadPng(scratch, again); !e.empty()) Broken("a picture written cannot be read", e);
  std::remove(scratch.c_str());
  if (again.width != image.width || again.height != image.height || again.pixels != image.pixels) {
    Broken("a picture written and read back differs",
           std::to_string(image.width) + " x " + std::to_string(image.height));
  }
  return 0;
}
