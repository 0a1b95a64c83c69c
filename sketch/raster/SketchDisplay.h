#pragma once
// Showing the sketch: a change asks for a repaint of the whole view; the host's
// repaint comes back through the interface, which redraws the figures into the
// raster, composites it over the picture in the display colour, and clears it.

#include "BDocument.h"
#include "BRegion.h"
#include "BView.h"
#include "DibImage.h"
#include "OsGdi.h"

extern BView* gActiveView;  // the view the module works in; not owned
extern CDC* gRepaintDC;     // the repaint in progress, or null

// composite 0: the update request every change ends with (nothing when the
// raster is clean). Non-zero: the composition, only from the repaint.
void SketchUpdateView(BView* view, int composite);
void SketchComposite(BView* view, DibImage* raster);

// The selection of a document's sketch as a region in image coordinates at 1:1,
// whatever the view's zoom. Always 1.
extern "C" int SketchCalcActRegion(BRegion* region, BDocument* document);
