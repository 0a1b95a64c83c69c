#pragma once
// The workload of the comparison with a general 2-D library: N figures of every
// kind, made through the kinds' own Begin and Track as the drawing tools make
// them, spread over a 1920 x 1080 view at zoom 1 with every tenth one selected,
// and press points on and near them. A fixed seed and our own generator make
// the same workload on every machine and with every standard library.

#include <cstdint>
#include <vector>

#include "container/TObjectContainer.h"
#include "model/Segment.h"
#include "model/TDFreeLine.h"
#include "model/TDLine.h"
#include "model/TDMuLine.h"
#include "model/TDOval.h"
#include "model/TDPen.h"
#include "model/TDPolygon.h"
#include "model/TDRectangle.h"
#include "raster/SketchRaster.h"

namespace workload {

inline constexpr int kViewWidth = 1920;
inline constexpr int kViewHeight = 1080;
inline constexpr int kPressPoints = 1000;

class Random {
 public:
  explicit Random(std::uint64_t seed) : fState(seed) {}
  // 0 .. range - 1.
  int Below(int range) {
    fState = fState * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<int>((fState >> 33) % static_cast<std::uint64_t>(range));
  }
  int Between(int low, int high) { return low + Below(high - low + 1); }

 private:
  std::uint64_t fState;
};

// A figure of the kinds drawn by one drag from press to current.
template <typename Kind>
TDShape* Dragged(TObjectContainer& c, OsImgPoint press, OsImgPoint current) {
  auto* figure = new Kind;
  figure->Begin(&c, press.x, press.y);
  figure->Track(1, &press, &current);
  return figure;
}

// One figure of kind `kind` (0 .. 6) inside the box at (x, y) of size w x h.
inline TDShape* MakeFigure(TObjectContainer& c, Random& rnd, int kind, int x, int y, int w, int h) {
  OsImgPoint press{x, y}, current{x + w, y + h};
  switch (kind) {
    case 0: return Dragged<TDRectangle>(c, press, current);
    case 1: return Dragged<TDOval>(c, press, current);
    case 2: {
      auto* p = new TDPolygon;
      press = {x + w / 2, y + h / 2};
      p->Begin(&c, press.x, press.y, rnd.Between(3, 8));
      current = {press.x + w / 2, press.y + rnd.Between(-h / 4, h / 4)};
      p->Track(1, &press, &current);
      return p;
    }
    case 3: {  // a free-hand stroke: samples wander right, kept when 21+ pixels apart
      auto* f = new TDFreeLine;
      f->Begin(&c, x, y);
      OsImgPoint p = press;
      const int samples = rnd.Between(5, 10);
      for (int i = 0; i < samples; ++i) {
        p = {p.x + w / samples + 3, y + rnd.Below(h + 1)};
        f->Track(1, &press, &p);
      }
      f->Track(2, &press, &p);
      return f;
    }
    case 4: {  // a pen path: each click dragged out into a pair of handles
      auto* pen = new TDPen;
      pen->Begin(&c, x, y);
      const int clicks = rnd.Between(3, 5);
      for (int i = 0; i < clicks; ++i) {
        OsImgPoint click{x + i * w / (clicks - 1), y + rnd.Below(h + 1)};
        OsImgPoint drag{click.x + rnd.Between(5, 30), click.y + rnd.Between(-30, 30)};
        pen->Track(0, &click, &click);
        pen->Track(1, &click, &drag);
      }
      return pen;
    }
    case 5: return Dragged<TDLine>(c, press, current);
    default: {
      auto* m = new TDMuLine;
      m->Begin(&c, x, y);
      const int clicks = rnd.Between(2, 5);
      for (int i = 1; i <= clicks; ++i) {
        OsImgPoint click{x + i * w / clicks, y + rnd.Below(h + 1)};
        m->Track(0, &click, &click);
      }
      return m;
    }
  }
}

// Appends n figures, kinds in turn, every tenth selected; the container must have
// a view at zoom 1. Leaves the raster clear and clean.
inline void AddFigures(TObjectContainer& c, int n, std::uint64_t seed = 20240611) {
  Random rnd(seed);
  for (int i = 0; i < n; ++i) {
    const int w = rnd.Between(20, 170), h = rnd.Between(20, 170);
    const int x = rnd.Below(kViewWidth - w), y = rnd.Below(kViewHeight - h);
    TDShape* s = MakeFigure(c, rnd, i % 7, x, y, w, h);
    c.Terminate();
    s->SetSelect(0, 1, 0);
    if (i % 10 == 0) s->SetSelect(1, 1, 0);
    s->SetBusy(0);
    c.AddObject(s);
  }
  c.CalcActArea();  // every figure's bounds
  SketchClearRect(gSketchRaster, {0, 0, kViewWidth, kViewHeight});
  SketchResetDirty();
}

// Press points in view pixels: a quarter on a figure's path, the others 5 to 40
// pixels off it, where most clicks that miss land.
inline std::vector<OsImgPoint> PressPoints(const TObjectContainer& c, std::uint64_t seed = 77) {
  std::vector<const TDShape*> shapes;
  for (BPosition pos = c.GetHeadPosition(); pos != nullptr;) {
    shapes.push_back(static_cast<const TDShape*>(c.GetNext(pos)));
  }
  Random rnd(seed);
  std::vector<OsImgPoint> points;
  while (static_cast<int>(points.size()) < kPressPoints && !shapes.empty()) {
    const TDShape& s = *shapes[static_cast<std::size_t>(rnd.Below(static_cast<int>(shapes.size())))];
    const int count = s.fUnits.GetCount();
    if (count < 2) continue;
    const int k = rnd.Below(count - 1);
    // The list counts from 1.
    const auto* a = static_cast<const TDUnit*>(s.fUnits.GetItemFromIndex(k + 1));
    const auto* b = static_cast<const TDUnit*>(s.fUnits.GetItemFromIndex(k + 2));
    const OsImgPoint on = BezierPoint(*a, *b, static_cast<float>(rnd.Below(1001)) / 1000.0f).ToImgPoint();
    if (rnd.Below(4) == 0) {
      points.push_back(on);
    } else {
      const int dx = rnd.Between(5, 40), dy = rnd.Between(5, 40);
      points.push_back({on.x + (rnd.Below(2) ? dx : -dx), on.y + (rnd.Below(2) ? dy : -dy)});
    }
  }
  return points;
}

}  // namespace workload
