#include "PngFile.h"

#include <png.h>

#include "Files.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// What libpng said when it gave up; a fixed buffer, as its error handler must
// not throw through libpng's C frames.
struct PngFailure {
  char message[160] = "";
};

void OnPngError(png_structp png, png_const_charp message) {
  auto* failure = static_cast<PngFailure*>(png_get_error_ptr(png));
  std::snprintf(failure->message, sizeof failure->message, "%s", message);
  png_longjmp(png, 1);
}

// A warning is about a part that is skipped; the picture is whole.
void OnPngWarning(png_structp, png_const_charp) {}

void OnPngWrite(png_structp png, png_bytep data, png_size_t size) {
  auto* file = static_cast<ReplacingFile*>(png_get_io_ptr(png));
  file->Write({reinterpret_cast<const char*>(data), size});
  // The rest of a picture that cannot be stored is not worth compressing.
  if (!file->Ok()) png_error(png, "the file cannot be written");
}

void OnPngFlush(png_structp) {}

// Encodes rows of `channels` bytes a pixel (1: grey, 3: RGB) into `file`; false
// with libpng's reason when it gave up. The file lives in the caller's frame:
// nothing that changes after the setjmp below is local to this function.
bool EncodePng(ReplacingFile& file, int width, int height, int channels, const std::uint8_t* pixels,
               PngFailure& failure) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &failure, OnPngError, OnPngWarning);
  if (png == nullptr) {
    std::snprintf(failure.message, sizeof failure.message, "out of memory");
    return false;
  }
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    std::snprintf(failure.message, sizeof failure.message, "out of memory");
    return false;
  }
  // libpng reports errors by longjmp; nothing with a destructor lives between
  // here and the end of the writing below.
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &file, OnPngWrite, OnPngFlush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               channels == 1 ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  const std::size_t stride = static_cast<std::size_t>(width) * static_cast<std::size_t>(channels);
  for (int y = 0; y < height; ++y) {
    png_write_row(png, pixels + static_cast<std::size_t>(y) * stride);
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

// Writes the picture through a new file that replaces `path` only once whole.
std::string WritePicture(const std::string& path, int width, int height, int channels, const std::uint8_t* pixels) {
  ReplacingFile file(path);
  PngFailure failure;
  // A write that failed says why through the file; libpng's own failures
  // (memory) through its message.
  if (file.Ok() && !EncodePng(file, width, height, channels, pixels, failure) && file.Ok()) {
    return path + ": cannot write (" + failure.message + ")";
  }
  return file.Commit();
}

}  // namespace

std::string WritePng(const std::string& path, const RgbImage& image) {
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 3) {
    return path + ": cannot write an empty or malformed picture";
  }
  return WritePicture(path, image.width, image.height, 3, image.pixels.data());
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

// libpng reports an error by longjmp. The reading is done in stages that hold
// nothing with a destructor, so that the jump skips none; what they need is
// made between them.
struct PngSource {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t at;
  PngFailure failure;
};

void OnPngRead(png_structp png, png_bytep out, png_size_t n) {
  auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
  if (source->size - source->at < n) png_error(png, "the file ends early");
  std::memcpy(out, source->data + source->at, n);
  source->at += n;
}

bool ReadPngHeader(png_structp png, png_infop info) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_info(png, info);
  return true;
}

// Every kind of PNG comes out as 8-bit RGBA rows: a palette, grey and a
// transparent colour expanded, 16-bit samples scaled, an opaque picture given
// an opaque alpha. No gamma is applied: the samples are taken as sRGB, as
// painting programs show them whatever the file declares, so that a picture
// looks in the hosts as it looked where it was made. A row is laid over white
// once it is whole, which for an interlaced picture is in its last pass, after
// the earlier ones filled `rgba` (a whole picture then, otherwise one row).
bool DecodePngRows(png_structp png, png_infop info, std::uint8_t* rgba, bool whole, RgbImage& image) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_expand(png);
  png_set_scale_16(png);
  png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER);
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const std::size_t stride = static_cast<std::size_t>(image.width) * 4;
  if (png_get_rowbytes(png, info) != stride) png_error(png, "unexpected row layout");
  for (int pass = 0; pass < passes; ++pass) {
    for (int y = 0; y < image.height; ++y) {
      std::uint8_t* row = rgba + (whole ? static_cast<std::size_t>(y) * stride : 0);
      png_read_row(png, row, nullptr);
      if (pass == passes - 1) RgbaOverWhite(row, static_cast<std::size_t>(image.width), image.At(0, y));
    }
  }
  return true;
}

struct PngReader {
  png_structp png = nullptr;
  png_infop info = nullptr;
  ~PngReader() { png_destroy_read_struct(&png, &info, nullptr); }
};

}  // namespace

void RgbaOverWhite(const std::uint8_t* rgba, std::size_t count, std::uint8_t* rgb) {
  for (std::size_t k = 0; k < count; ++k, rgba += 4, rgb += 3) {
    rgb[0] = OverWhite(rgba[0], rgba[3]);
    rgb[1] = OverWhite(rgba[1], rgba[3]);
    rgb[2] = OverWhite(rgba[2], rgba[3]);
  }
}

bool IsPng(const std::uint8_t* data, std::size_t size) { return size >= 8 && png_sig_cmp(data, 0, 8) == 0; }

std::string ReadPng(const std::uint8_t* data, std::size_t size, const std::string& name, RgbImage& image) {
  PngSource source{data, size, 0, {}};
  PngReader reader;
  reader.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &source.failure, OnPngError, OnPngWarning);
  if (reader.png != nullptr) reader.info = png_create_info_struct(reader.png);
  if (reader.info == nullptr) return name + ": not enough memory to read the picture";
  png_set_read_fn(reader.png, &source, OnPngRead);
  if (!ReadPngHeader(reader.png, reader.info)) {
    return name + ": not a readable PNG picture (" + source.failure.message + ")";
  }
  const png_uint_32 width = png_get_image_width(reader.png, reader.info);
  const png_uint_32 height = png_get_image_height(reader.png, reader.info);
  if (width > kMaxPictureSide || height > kMaxPictureSide) {
    return name + ": the picture is " + std::to_string(width) + " x " + std::to_string(height) + " pixels; at most " +
           std::to_string(kMaxPictureSide) + " a side can be opened";
  }
  if (!DataCanHold(width, height, size)) {
    return name + ": the picture is damaged (" + std::to_string(width) + " x " + std::to_string(height) +
           " pixels declared in " + std::to_string(size) + " bytes)";
  }
  RgbImage read(static_cast<int>(width), static_cast<int>(height));
  const bool whole = png_get_interlace_type(reader.png, reader.info) != PNG_INTERLACE_NONE;
  std::vector<std::uint8_t> rgba((whole ? std::size_t{height} : 1) * width * 4);
  if (!DecodePngRows(reader.png, reader.info, rgba.data(), whole, read)) {
    return name + ": the picture is damaged (" + source.failure.message + ")";
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
  return WritePicture(path, width, height, 1, grey.data());
}
