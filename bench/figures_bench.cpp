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
#include "ScatteredFigures.h"
#include "container/TObjectContainer.h"
#include "model/TDOval.h"
#include "model/TDPolygon.h"
#include "model/TDRectangle.h"
#include "raster/SketchRaster.h"

namespace {

constexpr int kW = 1920;
constexpr int kH = 1080;

std::unique_ptr<TObjectContainer> MakeSketch(BView& view, int count) {
  auto c = std::make_unique<TObjectContainer>();
  c->IObjectContainer();
  c->AttachView(&view);
  AddScatteredFigures(*c, count, 12345, 5);
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
