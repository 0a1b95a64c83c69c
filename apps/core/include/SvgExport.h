#pragma once
// A document's sketch as an SVG 1.1 file: one path per figure, in drawing
// order, made of the figure's own cubic segments with every coordinate
// exactly as stored, stroked in the display colour, over the picture's size.
//
// Coordinates are image units and go out unchanged: pixel (i, j) of the
// picture covers [i, i + 1) x [j, j + 1), and the sketch raster lights the
// pixel a coordinate truncates to. A group shifts everything by half a pixel so
// that a one-unit stroke along whole coordinates covers the pixels the raster
// lights instead of straddling two rows.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Host.h"

struct SvgPoint {
  float x = 0.0f, y = 0.0f;
};

// One vertex: its anchor, the control point towards its successor and the one
// from its predecessor.
struct SvgVertex {
  SvgPoint anchor, out, in;
};

struct SvgFigure {
  bool closed = false;
  std::vector<SvgVertex> vertices;
};

struct SvgSketch {
  int width = 0, height = 0;
  std::array<std::uint8_t, 3> stroke{};  // red, green, blue
  std::vector<SvgFigure> figures;
};

// What the host shows of the document: its figures as the dump reads them,
// the picture's size and the colour the display paints the sketch in. The
// inverted display has no colour of its own; over the white page of a viewer
// it shows black, and black is what is written.
SvgSketch SketchOfDocument(Host& host, const HostDocument& doc);

// The SVG text in `text`, or, when a coordinate is not a finite number (which
// no SVG reader would accept), what is wrong in `error` and no text.
struct SvgText {
  std::string text;
  std::string error;
};
SvgText WriteSvgText(const SvgSketch& sketch);

// The document's sketch written to `path` as SVG: empty on success, otherwise
// what went wrong, naming the file.
std::string WriteSvg(Host& host, const HostDocument& doc, const std::string& path);
