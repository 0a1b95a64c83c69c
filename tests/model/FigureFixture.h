#pragma once
// Figures on a small raster, with a container and a view to give them a zoom,
// and a compact text form of a path so that one assertion shows all of it.

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

// "closed (0,25 0,11.19 0,38.8) ..." : anchor, then the two control points only
// when one of them is off the anchor.
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

  // A figure of straight vertices (steps 0, marker hidden) through the points,
  // owned by the fixture's container.
  TDShape* Polyline(std::initializer_list<TDFloatPoint> points, bool closed = false) {
    auto* s = new TDShape;
    s->SetContainer(&fContainer);
    for (const TDFloatPoint& p : points) s->AddUnit(p.x, p.y, p.x, p.y, p.x, p.y, 1, 0, 0, TDUnit::kHidden);
    s->fOpen = closed ? 0 : 1;
    s->CalcBounds(s->fBounds);
    fContainer.AddObject(s);
    return s;
  }

  BView fView;
  TObjectContainer fContainer;
};
