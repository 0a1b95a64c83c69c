#include "SvgExport.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "BList.h"
#include "Files.h"
#include "HostDump.h"
#include "container/TObjectContainer.h"
#include "model/TDShape.h"

namespace {

SvgPoint Point(const TDFloatPoint& p) { return {p.x, p.y}; }

SvgFigure FigureOf(const TDShape& shape) {
  SvgFigure figure;
  figure.closed = shape.fOpen == 0;
  for (BPosition pos = shape.fUnits.GetHeadPosition(); pos != nullptr;) {
    const auto* u = static_cast<const TDUnit*>(shape.fUnits.GetNext(pos));
    figure.vertices.push_back({Point(u->fAnchor), Point(u->fDirection1), Point(u->fDirection2)});
  }
  return figure;
}

std::array<std::uint8_t, 3> StrokeColour(Host& host) {
  const BModuleInterface* module = host.Module();
  const auto entry = [&host](int index) -> std::array<std::uint8_t, 3> {
    const OsImgPaletteEntry e = host.GetPaletteEntry(index);
    return {e.c1, e.c2, e.c3};
  };
  // The palette entries each display colour blends in, as the module paints.
  switch (module != nullptr ? module->fDispColor : ID_DISPLAY_INVERTED) {
    case ID_DISPLAY_BLACK: return entry(255);
    case ID_DISPLAY_TRANSPARENT: return entry(0);
    case ID_DISPLAY_PALETTE: return entry(module->fPaletteIndex);
    default: return {0, 0, 0};
  }
}

// The shortest text that reads back as the same float, whatever the locale.
bool AppendNumber(std::string& out, float value) {
  if (!std::isfinite(value)) return false;
  char text[32];
  out.append(text, std::to_chars(text, text + sizeof text, value).ptr);
  return true;
}

bool AppendPoint(std::string& out, const SvgPoint& p) {
  out += ' ';
  if (!AppendNumber(out, p.x)) return false;
  out += ' ';
  return AppendNumber(out, p.y);
}

// The segment A -> B is the cubic A.anchor, A.out, B.in, B.anchor.
bool AppendSegment(std::string& out, const SvgVertex& a, const SvgVertex& b) {
  out += " C";
  return AppendPoint(out, a.out) && AppendPoint(out, b.in) && AppendPoint(out, b.anchor);
}

bool AppendPathData(std::string& out, const SvgFigure& figure) {
  const std::vector<SvgVertex>& v = figure.vertices;
  if (v.empty()) return true;
  out += 'M';
  if (!AppendPoint(out, v.front().anchor)) return false;
  for (std::size_t k = 1; k < v.size(); ++k) {
    if (!AppendSegment(out, v[k - 1], v[k])) return false;
  }
  if (!figure.closed) return true;
  // The closing segment is a curve like any other; Z only joins its ends.
  if (!AppendSegment(out, v.back(), v.front())) return false;
  out += " Z";
  return true;
}

std::string ColourText(const std::array<std::uint8_t, 3>& rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb[0], rgb[1], rgb[2]);
  return text;
}

std::string Failure(const std::string& path, const std::string& reason) {
  return path + ": cannot write (" + reason + ")";
}

}  // namespace

SvgSketch SketchOfDocument(Host& host, const HostDocument& doc) {
  SvgSketch sketch;
  sketch.width = doc.picture.width;
  sketch.height = doc.picture.height;
  sketch.stroke = StrokeColour(host);
  if (const TObjectContainer* container = host.Module() != nullptr ? SketchOf(doc.document) : nullptr) {
    for (BPosition pos = container->GetHeadPosition(); pos != nullptr;) {
      const CObject* item = container->GetNext(pos);
      if (item != nullptr) sketch.figures.push_back(FigureOf(*static_cast<const TDShape*>(item)));
    }
  }
  return sketch;
}

SvgText WriteSvgText(const SvgSketch& sketch) {
  const std::string w = std::to_string(sketch.width), h = std::to_string(sketch.height);
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
      w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h + "\">\n" +
      "<g transform=\"translate(0.5 0.5)\" fill=\"none\" stroke=\"" + ColourText(sketch.stroke) +
      "\" stroke-width=\"1\">\n";
  for (std::size_t k = 0; k < sketch.figures.size(); ++k) {
    out += "<path d=\"";
    if (!AppendPathData(out, sketch.figures[k])) {
      return {{}, "figure " + std::to_string(k + 1) + " has a coordinate that is not a finite number"};
    }
    out += "\"/>\n";
  }
  out += "</g>\n</svg>\n";
  return {std::move(out), {}};
}

std::string WriteSvg(Host& host, const HostDocument& doc, const std::string& path) {
  const SvgText svg = WriteSvgText(SketchOfDocument(host, doc));
  if (!svg.error.empty()) return Failure(path, svg.error);
  return ReplaceFile(path, svg.text);
}
