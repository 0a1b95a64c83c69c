#include "PngFile.h"

#include <png.h>

#include "Files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {
struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
}  // namespace

std::string WritePng(const std::string& path, const RgbImage& image) {
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 3) {
    return path + ": cannot write an empty or malformed picture";
  }
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) return path + ": cannot write (" + std::strerror(errno) + ")";

  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return path + ": out of memory";
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    return path + ": out of memory";
  }
  // libpng reports errors by longjmp; nothing with a destructor lives between here
  // and the end of the writing below.
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return path + ": write error";
  }
  png_init_io(png, file.get());
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < image.height; ++y) {
    png_write_row(png, const_cast<png_bytep>(image.At(0, y)));
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  if (std::fflush(file.get()) != 0) return path + ": write error";
  return {};
}

namespace {

// deflate never packs more than 1032 bytes into one, so a file smaller than a
// 1032nd of its pixel rows at one bit a pixel (each with its filter byte) is
// lying about its size. Refusing it here keeps a header of a few bytes from
// costing the 768 MB of a full-size picture before the data runs out.
constexpr std::uint64_t kMaxDeflateRatio = 1032;

bool DataCanHold(std::uint64_t width, std::uint64_t height, std::size_t size) {
  const std::uint64_t rows = height * (1 + (width + 7) / 8);
  return rows / kMaxDeflateRatio <= size;
}

}  // namespace

std::string ReadPng(const std::uint8_t* data, std::size_t size, const std::string& name, RgbImage& image) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, data, size)) {
    std::string why = png.message;
    png_image_free(&png);
    return name + ": not a readable PNG picture (" + why + ")";
  }
  if (png.width == 0 || png.height == 0 || png.width > kMaxPictureSide || png.height > kMaxPictureSide) {
    png_image_free(&png);
    return name + ": the picture is " + std::to_string(png.width) + " x " + std::to_string(png.height) +
           " pixels; at most " + std::to_string(kMaxPictureSide) + " a side can be opened";
  }
  if (!DataCanHold(png.width, png.height, size)) {
    png_image_free(&png);
    return name + ": the picture is damaged (" + std::to_string(png.width) + " x " + std::to_string(png.height) +
           " pixels declared in " + std::to_string(size) + " bytes)";
  }
  // Sixteen-bit samples without gamma information are encoded as eight-bit ones
  // are: every painting program writes them so. Read as linear light, a grey
  // ramp would come out far too bright.
  png.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
  png.format = PNG_FORMAT_RGB;
  RgbImage read(static_cast<int>(png.width), static_cast<int>(png.height));
  if (!png_image_finish_read(&png, nullptr, read.pixels.data(), 0, nullptr)) {
    std::string why = png.message;
    png_image_free(&png);
    return name + ": the picture is damaged (" + why + ")";
  }
  image = std::move(read);
  return {};
}

std::string ReadPng(const std::string& path, RgbImage& image) {
  std::string bytes;
  if (std::string error = ReadWholeFile(path, bytes); !error.empty()) return error;
  return ReadPng(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), path, image);
}

RgbImage DefaultPicture() {
  constexpr int kW = 640, kH = 480, kCell = 32;
  RgbImage image(kW, kH);
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      std::uint8_t* px = image.At(x, y);
      const bool dark = ((x / kCell) + (y / kCell)) % 2 == 0;
      // Hue runs left to right, brightness top to bottom; the checker darkens
      // every other cell so that black, white and inverted ink all stand out.
      const int r = 255 * x / (kW - 1);
      const int g = 255 * y / (kH - 1);
      const int b = 255 - r / 2;
      const int shade = dark ? 70 : 100;
      px[0] = static_cast<std::uint8_t>(r * shade / 100);
      px[1] = static_cast<std::uint8_t>(g * shade / 100);
      px[2] = static_cast<std::uint8_t>(b * shade / 100);
    }
  }
  return image;
}

std::string WriteGreyPng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& grey) {
  if (width <= 0 || height <= 0 || grey.size() != static_cast<std::size_t>(width) * height) {
    return path + ": cannot write an empty or malformed picture";
  }
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(width);
  png.height = static_cast<png_uint_32>(height);
  png.format = PNG_FORMAT_GRAY;
  if (!png_image_write_to_file(&png, path.c_str(), 0, grey.data(), 0, nullptr)) {
    std::string why = png.message;
    png_image_free(&png);
    return path + ": cannot write (" + why + ")";
  }
  return {};
}
