#pragma once
// Figures in a viewed container on a small raster, and a path's text for one assertion.

#include <charconv>
#include <initializer_list>
#include <string>

#include "BView.h"
#include "RasterFixture.h"
#include "container/TObjectContainer.h"
#include "model/TDShape.h"

inline std::string FloatText(float v) {
  char buf[32];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

inline std::string PointText(const TDFloatPoint& p) { return FloatText(p.x) + "," + FloatText(p.y); }

// "closed (0,25 0,11.19 0,38.8) ...": the handles only when one is off the anchor.
inline std::string PathText(const TDShape& s) {
  std::string out = s.fOpen ? "open" : "closed";
  for (BPosition pos = s.fUnits.GetHeadPosition(); pos != nullptr;) {
    const auto* u = static_cast<const TDUnit*>(s.fUnits.GetNext(pos));
    out += " (" + PointText(u->fAnchor);
    if (u->fDirection1.Differs(u->fAnchor.x, u->fAnchor.y) || u->fDirection2.Differs(u->fAnchor.x, u->fAnchor.y)) {
      out += " " + PointText(u->fDirection1) + " " + PointText(u->fDirection2);
    }
    out += ")";
  }
  return out;
}

// An anchor alone, or an anchor and its two handles.
struct Vertex {
  Vertex(float x, float y) : a(x, y), d1(a), d2(a) {}
  Vertex(TDFloatPoint anchor, TDFloatPoint h1, TDFloatPoint h2) : a(anchor), d1(h1), d2(h2) {}
  TDFloatPoint a, d1, d2;
};

inline TDUnit* Unit(const TDShape& s, int index) { return static_cast<TDUnit*>(s.fUnits.GetItemFromIndex(index + 1)); }

// The marker state of every vertex, one digit each: "232".
inline std::string States(const TDShape& s) {
  std::string out;
  for (int i = 0; i < s.UnitCount(); ++i) out += std::to_string(Unit(s, i)->fState);
  return out;
}

class FigureFixture : public RasterFixture {
 protected:
  void SetUp() override {
    UseScreen(32, 24);
    fContainer.IObjectContainer();
    fContainer.AttachView(&fView);
  }

  void SetZoom(float zoom, float ox = 0.0f, float oy = 0.0f) { fView.GetZoom() = BZoom(zoom, zoom, ox, oy); }

  // Straight vertices, steps 0, marker hidden.
  TDShape* Polyline(std::initializer_list<TDFloatPoint> points, bool closed = false) {
    auto* s = new TDShape;
    s->SetContainer(&fContainer);
    for (const TDFloatPoint& p : points) s->AddUnit(p.x, p.y, p.x, p.y, p.x, p.y, 1, 0, 0, TDUnit::kHidden);
    return Owned(s, closed);
  }
  // An open figure of vertices that are not smooth, with no steps.
  TDShape* Curve(std::initializer_list<Vertex> vertices) {
    auto* s = new TDShape;
    s->SetContainer(&fContainer);
    for (const Vertex& v : vertices) s->AddUnit(v.a.x, v.a.y, v.d1.x, v.d1.y, v.d2.x, v.d2.y, 0, 0, 0, TDUnit::kHidden);
    return Owned(s, false);
  }
  TDShape* Owned(TDShape* s, bool closed) {
    s->fOpen = closed ? 0 : 1;
    s->CalcBounds(s->fBounds);
    fContainer.AddObject(s);
    return s;
  }

  BView fView;
  TObjectContainer fContainer;
};
