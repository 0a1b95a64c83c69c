// Figures and the container at the sizes a busy sketch reaches: click tests over
// 1,000 and 10,000 figures, redrawing 1,000 mixed figures into a 1920 x 1080
// raster, and the active region of 100 selected figures.
//
// Baselines, measured in the same run: for a click, a scan that only compares
// the point with every figure's bounds (the least any click test must do); for
// drawing and the region, memset of the whole raster (touching every byte of
// the screen once).

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "BView.h"
#include "BenchTable.h"
#include "OsPlatformHost.h"
#include "container/TObjectContainer.h"
#include "model/TDOval.h"
#include "model/TDPolygon.h"
#include "model/TDRectangle.h"
#include "raster/SketchRaster.h"

namespace {

constexpr int kW = 1920;
constexpr int kH = 1080;

// A deterministic scatter of rectangles, ovals, pentagons and three-point
// curves over the picture, leaving the bottom-right corner free.
std::unique_ptr<TObjectContainer> MakeSketch(BView& view, int count) {
  auto c = std::make_unique<TObjectContainer>();
  c->IObjectContainer();
  c->AttachView(&view);
  unsigned seed = 12345;
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
        r->Begin(c.get(), press.x, press.y);
        s = r;
        break;
      }
      case 1: {
        auto* o = new TDOval;
        o->Begin(c.get(), press.x, press.y);
        s = o;
        break;
      }
      case 2: {
        auto* p = new TDPolygon;
        p->Begin(c.get(), press.x, press.y, 5);
        s = p;
        break;
      }
      default: {
        s = new TDShape;
        s->SetContainer(c.get());
        s->AddUnit(press.x, press.y, press.x, press.y + 60, press.x, press.y, 1, 0, 20, 0);
        s->AddUnit(current.x, current.y, current.x, current.y, current.x - 60, current.y, 1, 0, 20, 0);
        s->AddUnit(current.x + 40, press.y, current.x + 40, press.y, current.x + 40, press.y, 1, 0, 0, 0);
        break;
      }
    }
    s->Track(1, &press, &current);
    s->SetSelect(0, 1, 0);
    s->SetBusy(0);
    c->AddObject(s);
  }
  c->CalcActArea();  // computes every figure's bounds
  return c;
}

struct Sketches {
  BView view1, view4;
  std::unique_ptr<TObjectContainer> small, large, draw1, draw4;

  Sketches() {
    view4.GetZoom() = BZoom(4.0f, 4.0f, 0.0f, 0.0f);
    small = MakeSketch(view1, 1000);
    large = MakeSketch(view1, 10000);
    draw1 = MakeSketch(view1, 1000);
    draw4 = MakeSketch(view4, 1000);
    // A last figure alone in the free corner: a click on it tests every other
    // figure first.
    for (TObjectContainer* c : {small.get(), large.get()}) {
      auto* r = new TDRectangle;
      r->Begin(c, kW - 200, kH - 200);
      OsImgPoint press{kW - 200, kH - 200}, current{kW - 100, kH - 100};
      r->Track(1, &press, &current);
      c->AddObject(r);
      OsImgRect b;
      r->CalcBounds(b);
    }
  }
};

void ScanBounds(const TObjectContainer& c, OsImgPoint p) {
  int inside = 0;
  for (BPosition pos = c.GetHeadPosition(); pos != nullptr;) {
    const auto* s = static_cast<const TDShape*>(c.GetNext(pos));
    const OsImgRect& b = s->fBounds;
    inside += p.x >= b.left && p.x < b.right && p.y >= b.top && p.y < b.bottom;
  }
  benchmark::DoNotOptimize(inside);
}

}  // namespace

int main(int argc, char** argv) {
  OsSetScreenSize(kW, kH);
  if (SketchCreateRaster() == 0) return 1;
  const std::size_t rasterBytes = static_cast<std::size_t>(gSketchRaster->GetRowBytes()) * kH;
  std::vector<unsigned char> scratch(rasterBytes);
  Sketches sk;

  const OsImgPoint hit{kW - 200, kH - 150};  // on the lone rectangle's left edge
  const OsImgPoint miss{kW - 20, kH - 20};
  std::vector<TableRow> rows;
  for (auto [name, c] : {std::pair{"1000", sk.small.get()}, std::pair{"10000", sk.large.get()}}) {
    for (auto [what, p] : {std::pair{"hit", hit}, std::pair{"miss", miss}}) {
      const std::string base = std::string("scan bounds ") + name + " " + what;
      const std::string bench = std::string("Check ") + name + " figures, " + what;
      benchmark::RegisterBenchmark(bench.c_str(), [c, p](benchmark::State& st) {
        for (auto _ : st) benchmark::DoNotOptimize(c->Check(p, TObjectContainer::kClickAdd));
        SketchResetDirty();
      });
      benchmark::RegisterBenchmark(base.c_str(), [c, p](benchmark::State& st) {
        for (auto _ : st) ScanBounds(*c, p);
      });
      rows.push_back({bench, base, "hit test on every figure's segments"});
    }
  }

  const auto memsetRaster = [&scratch, rasterBytes](benchmark::State& st) {
    for (auto _ : st) {
      std::memset(scratch.data(), 0xFF, rasterBytes);
      benchmark::ClobberMemory();
    }
  };
  benchmark::RegisterBenchmark("memset raster", memsetRaster);
  for (auto [name, c, rect] :
       {std::tuple{"Draw 1000 figures, zoom 1", sk.draw1.get(), OsImgRect{0, 0, kW, kH}},
        std::tuple{"Draw 1000 figures, zoom 4", sk.draw4.get(), OsImgRect{0, 0, kW / 4, kH / 4}}}) {
    benchmark::RegisterBenchmark(name, [c, rect](benchmark::State& st) {
      for (auto _ : st) {
        c->Draw(rect);
        benchmark::ClobberMemory();
      }
      SketchResetDirty();
    });
    rows.push_back({name, "memset raster", "figures meeting the view, into the raster"});
  }

  TObjectContainer* regionSketch = sk.draw1.get();
  int selected = 0;
  for (BPosition pos = regionSketch->GetHeadPosition(); pos != nullptr && selected < 100; ++selected) {
    static_cast<TDShape*>(regionSketch->GetNext(pos))->fSelected = 1;
  }
  benchmark::RegisterBenchmark("CalcActRgn 100 selected", [regionSketch](benchmark::State& st) {
    for (auto _ : st) regionSketch->CalcActRgn();
  });
  rows.push_back({"CalcActRgn 100 selected", "memset raster", "XOR of 100 polygon regions"});

  benchmark::Initialize(&argc, argv);
  CollectingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintTable(reporter, rows);
  SketchDeleteRaster();
  benchmark::Shutdown();
  return 0;
}
