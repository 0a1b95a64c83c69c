#pragma once
// Reading and writing 8-bit RGB pictures as PNG files.

#include <cstdint>
#include <string>
#include <vector>

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;  // rows top-down, 3 bytes a pixel

  RgbImage() = default;
  RgbImage(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h * 3) {}
  std::uint8_t* At(int x, int y) { return &pixels[(static_cast<std::size_t>(y) * width + x) * 3]; }
  const std::uint8_t* At(int x, int y) const {
    return &pixels[(static_cast<std::size_t>(y) * width + x) * 3];
  }
};

// Writes `image` to `path`. Returns an empty string on success, otherwise what
// went wrong, naming the file.
std::string WritePng(const std::string& path, const RgbImage& image);
