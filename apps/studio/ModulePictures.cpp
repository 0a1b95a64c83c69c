#include "ModulePictures.h"

#include <QPixmap>
#include <cstring>

#include "OsResources.h"

QImage BitmapImage(const OsBitmapResource* bitmap) {
  if (bitmap == nullptr) return {};
  QImage image(bitmap->width, bitmap->height, QImage::Format_RGB32);
  const char* chars = bitmap->paletteChars;
  for (int y = 0; y < bitmap->height; ++y) {
    const char* row = bitmap->rows[y];
    for (int x = 0; x < bitmap->width; ++x) {
      const char* found = std::strchr(chars, row[x]);
      const RGBQUAD c = found != nullptr && row[x] != '\0' ? bitmap->palette[found - chars] : RGBQUAD{};
      image.setPixel(x, y, qRgb(c.rgbRed, c.rgbGreen, c.rgbBlue));
    }
  }
  return image;
}

QCursor CursorFromResource(const OsCursorResource& cursor) {
  QImage image(32, 32, QImage::Format_ARGB32);
  for (int y = 0; y < 32; ++y) {
    const char* row = cursor.rows[y];
    for (int x = 0; x < 32; ++x) {
      switch (row[x]) {
        case '#':
        case '^': image.setPixel(x, y, qRgba(0, 0, 0, 255)); break;
        case 'o': image.setPixel(x, y, qRgba(255, 255, 255, 255)); break;
        default: image.setPixel(x, y, qRgba(0, 0, 0, 0));
      }
    }
  }
  return QCursor(QPixmap::fromImage(image), cursor.hotX, cursor.hotY);
}

bool ToRgbImage(QImage picture, RgbImage& out) {
  if (picture.width() > kMaxPictureSide || picture.height() > kMaxPictureSide) return false;
  // In place where Qt can: a picture at the largest size takes a gigabyte.
  picture = std::move(picture).convertToFormat(QImage::Format_RGBA8888);
  out = RgbImage(picture.width(), picture.height());
  const auto width = static_cast<std::size_t>(picture.width());
  for (int y = 0; y < picture.height(); ++y) RgbaOverWhite(picture.constScanLine(y), width, out.At(0, y));
  return true;
}

QImage FrameImage(const RgbImage& frame) {
  return QImage(frame.pixels.data(), frame.width, frame.height, frame.width * 3, QImage::Format_RGB888);
}
