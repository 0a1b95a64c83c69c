#pragma once
// The sketch raster: one screen-sized one-bit image, shared by every document and
// view, into which figures, handles and tracking feedback are drawn in view
// pixels before the display composites it onto a view and clears it again.
//
// Pixel x of a row lives in byte x / 8 under mask 0x80 >> (x % 8). The primitives
// only ever set bits, clip to the raster, and grow the dirty rectangle by exactly
// what they wrote (right and bottom exclusive).

#include "DibImage.h"
#include "OsImgTypes.h"

extern DibImage* gSketchRaster;     // owned by the module interface
extern int gSketchDirty;            // drawn into, or a redraw requested, since the last composition
extern OsImgRect gSketchDirtyRect;  // what was written since the last composition

// Trace capture: while gTraceMode is 1, SketchDrawLine records vertices instead
// of drawing. gTracePoints (not owned) receives them unless it is null.
extern int gTraceMode;
extern OsImgPoint* gTracePoints;
extern int gTraceCount;

// The dirty rectangle of a raster nothing was written to: any write replaces it.
inline constexpr OsImgRect kSketchEmptyDirtyRect{0x7FFFFFFF, 0x7FFFFFFF, static_cast<std::int32_t>(0x80000000u),
                                                 static_cast<std::int32_t>(0x80000000u)};

// Creates gSketchRaster at the platform's screen size, black and white, cleared,
// with the dirty state reset. Returns 1 on success. On failure gSketchRaster is
// null when the image object could not be allocated, or an image without pixels
// when its creation failed; the primitives then draw nothing.
int SketchCreateRaster();
void SketchDeleteRaster();

void SketchDrawLine(const OsImgPoint& p1, const OsImgPoint& p2);
void SketchFrameRect(const OsImgRect& r);
void SketchFillRect(const OsImgRect& r);
// The 7 x 7 ring centred on p. It leaves the dirty state alone: its caller draws
// the cross through p, which covers it, and marks the raster dirty.
void SketchDrawCenterMark(const OsImgPoint& p);
void SketchMarkDirty();
// Clears the whole bytes covering r (limited to the image); the dirty state is
// the caller's business.
void SketchClearRect(DibImage* image, OsImgRect r);
void SketchResetDirty();

// The pieces the line and frame are made of.
void SketchDrawPixel(const OsImgPoint& p);
void SketchDrawVRun(const OsImgPoint& p1, const OsImgPoint& p2);
void SketchDrawHRun(const OsImgPoint& p1, const OsImgPoint& p2);
void SketchDrawDiagonal(const OsImgPoint& p1, const OsImgPoint& p2);
