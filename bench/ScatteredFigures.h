#pragma once
// A deterministic scatter of figures over a 1920 x 1080 picture for the
// benchmarks: rectangles, ovals, polygons and three-point curves in turn,
// leaving the bottom-right corner free. Bounds are computed.

#include "container/TObjectContainer.h"
#include "model/TDOval.h"
#include "model/TDPolygon.h"
#include "model/TDRectangle.h"

inline void AddScatteredFigures(TObjectContainer& c, int count, unsigned seed, int polygonCorners,
                                bool selected = false) {
  constexpr int kW = 1920, kH = 1080;
  const auto next = [&seed](int range) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<int>((seed >> 8) % static_cast<unsigned>(range));
  };
  for (int i = 0; i < count; ++i) {
    OsImgPoint press{next(kW - 300), next(kH - 300)};
    OsImgPoint current{press.x + 20 + next(150), press.y + 20 + next(150)};
    TDShape* s = nullptr;
    switch (i % 4) {
      case 0: {
        auto* r = new TDRectangle;
        r->Begin(&c, press.x, press.y);
        s = r;
        break;
      }
      case 1: {
        auto* o = new TDOval;
        o->Begin(&c, press.x, press.y);
        s = o;
        break;
      }
      case 2: {
        auto* p = new TDPolygon;
        p->Begin(&c, press.x, press.y, polygonCorners);
        s = p;
        break;
      }
      default:
        s = new TDShape;
        s->SetContainer(&c);
        s->AddUnit(press.x, press.y, press.x, press.y + 60, press.x, press.y, 1, 0, 20, 0);
        s->AddUnit(current.x, current.y, current.x, current.y, current.x - 60, current.y, 1, 0, 20, 0);
        s->AddUnit(current.x + 40, press.y, current.x + 40, press.y, current.x + 40, press.y, 1, 0, 0, 0);
        break;
    }
    s->Track(1, &press, &current);
    s->SetSelect(0, 1, 0);
    if (selected) s->SetSelect(1, 1, 0);
    s->SetBusy(0);
    c.AddObject(s);
  }
  c.CalcActArea();  // computes every figure's bounds
}
