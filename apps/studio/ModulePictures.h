#pragma once
// The module's bitmaps and cursors as Qt pictures.

#include <QCursor>
#include <QImage>

#include "PngFile.h"

struct OsBitmapResource;
struct OsCursorResource;

// A null image for a null resource.
QImage BitmapImage(const OsBitmapResource* bitmap);

// '.' transparent, '#' black, 'o' white; the screen inversion '^' has no
// counterpart in a pixmap cursor and shows as black.
QCursor CursorFromResource(const OsCursorResource& cursor);

// The picture in the host's pixel layout, what is transparent laid over white
// as a PNG's is; false when the picture is larger than the host accepts.
bool ToRgbImage(QImage picture, RgbImage& out);
// A view of the frame's pixels: valid while the frame is unchanged.
QImage FrameImage(const RgbImage& frame);
