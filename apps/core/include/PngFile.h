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
  const std::uint8_t* At(int x, int y) const { return &pixels[(static_cast<std::size_t>(y) * width + x) * 3]; }
};

// The largest picture side a host accepts.
constexpr int kMaxPictureSide = 16384;

// A sample `c` of a pixel of opacity `a` (0 clear, 255 opaque) as it shows
// laid over white, rounded to the nearest value. Both hosts show a picture's
// transparent parts so, whatever reads it.
constexpr std::uint8_t OverWhite(std::uint8_t c, std::uint8_t a) {
  return static_cast<std::uint8_t>((c * a + 255 * (255 - a) + 127) / 255);
}

// `count` pixels of 4 bytes (red, green, blue, opacity) laid over white as 3.
void RgbaOverWhite(const std::uint8_t* rgba, std::size_t count, std::uint8_t* rgb);

// Whether `data` starts as a PNG file does.
bool IsPng(const std::uint8_t* data, std::size_t size);

// Reads an 8-bit RGB picture. Any PNG colour type is converted: 16-bit
// samples to 8, what is transparent laid over white (OverWhite), and the
// samples taken as they are written, whatever gamma the file declares. Returns an
// empty string on success, otherwise what went wrong, naming the file: missing,
// not a PNG, corrupt, larger than kMaxPictureSide on a side, or declaring more
// pixels than its compressed data could hold. `image` is left as it was on
// failure.
std::string ReadPng(const std::string& path, RgbImage& image);

// The same for a PNG file already in memory; `name` stands for it in messages.
std::string ReadPng(const std::uint8_t* data, std::size_t size, const std::string& name, RgbImage& image);

// The built-in picture: 640 x 480, a colour gradient under a grey checker, so
// that ink in every display colour shows on it.
RgbImage DefaultPicture();

// Writes `image` to `path`. Returns an empty string on success, otherwise what
// went wrong, naming the file.
std::string WritePng(const std::string& path, const RgbImage& image);

// Writes an 8-bit grey picture, rows top-down, width * height bytes.
std::string WriteGreyPng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& grey);
