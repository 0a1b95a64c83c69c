// The PNG reader on arbitrary bytes: a picture comes out whole and within the
// size a host opens, or a reason naming the file comes out and the picture
// passed in is untouched. A header declaring a huge picture over a few bytes of
// data is refused before its pixels are allocated.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "PngFile.h"

namespace {

[[noreturn]] void Broken(const char* what, const std::string& detail) {
  std::fprintf(stderr, "fuzz_png: %s: %s\n", what, detail.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RgbImage image(1, 1);
  image.pixels = {1, 2, 3};
  const std::string error = ReadPng(data, size, "fuzz.png", image);
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
    return std::string(dir != nullptr && *dir != '\0' ? dir : "/tmp") + "/fuzz_png." + std::to_string(getpid()) + ".png";
  }();
  if (std::string e = WritePng(scratch, image); !e.empty()) Broken("a picture read cannot be written", e);
  RgbImage again;
  if (std::string e = ReadPng(scratch, again); !e.empty()) Broken("a picture written cannot be read", e);
  std::remove(scratch.c_str());
  if (again.width != image.width || again.height != image.height || again.pixels != image.pixels) {
    Broken("a picture written and read back differs", std::to_string(image.width) + " x " + std::to_string(image.height));
  }
  return 0;
}
