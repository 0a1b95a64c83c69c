// Draws lines in every direction, frames, fills and centre marks into the sketch
// raster, composites it as black ink over a gradient and writes the PNG.

#include <cmath>
#include <cstdio>
#include <string>

#include "OsPlatformHost.h"
#include "PngFile.h"
#include "raster/SketchRaster.h"

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 320;

void DrawScene() {
  // A fan of lines through every octant, drawn outward from the centre.
  const OsImgPoint centre{120, 160};
  for (int degrees = 0; degrees < 360; degrees += 15) {
    const double a = degrees * M_PI / 180.0;
    const OsImgPoint end{centre.x + static_cast<int>(100 * std::cos(a)),
                         centre.y + static_cast<int>(100 * std::sin(a))};
    SketchDrawLine(centre, end);
  }
  // Lines leaving the raster on every side are clipped.
  SketchDrawLine({-60, 310}, {540, 10});
  SketchDrawLine({470, -40}, {430, 400});

  // Nested frames and a staircase of fills with edges on odd bit positions.
  for (int i = 0; i < 5; ++i) SketchFrameRect({250 + 6 * i, 20 + 6 * i, 460 - 6 * i, 140 - 6 * i});
  for (int i = 0; i < 8; ++i) SketchFillRect({250 + 25 * i, 160 + 5 * i, 250 + 25 * i + 3 + 2 * i, 230});

  // Rotation-centre marks: the ring with its cross, as the container draws it.
  for (int i = 0; i < 8; ++i) {
    const OsImgPoint p{262 + 25 * i, 270};
    SketchDrawLine({p.x - 5, p.y}, {p.x + 5, p.y});
    SketchDrawLine({p.x, p.y - 5}, {p.x, p.y + 5});
    SketchDrawCenterMark(p);
  }
  SketchDrawCenterMark({1, 1});  // clipped at the top-left corner
}

RgbImage Composite() {
  RgbImage out(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y) {
    const BYTE* row = gSketchRaster->GetPixelAddress(0, y, 1);
    for (int x = 0; x < kWidth; ++x) {
      std::uint8_t* px = out.At(x, y);
      const bool ink = (row[x / 8] & (0x80 >> (x % 8))) != 0;
      px[0] = ink ? 0 : static_cast<std::uint8_t>(150 + 100 * x / kWidth);
      px[1] = ink ? 0 : static_cast<std::uint8_t>(170 + 80 * y / kHeight);
      px[2] = ink ? 0 : 230;
    }
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
    return 2;
  }
  OsSetScreenSize(kWidth, kHeight);
  if (SketchCreateRaster() == 0) {
    std::fprintf(stderr, "cannot create the sketch raster\n");
    return 1;
  }
  DrawScene();
  const RgbImage image = Composite();
  SketchDeleteRaster();
  if (const std::string error = WritePng(argv[1], image); !error.empty()) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  std::printf("%s\n", argv[1]);
  return 0;
}
