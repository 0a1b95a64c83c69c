// The sketch raster's primitives on a 1920 x 1080 raster, each against memset of
// as many bytes as the primitive writes, measured in the same run.
//
// The bytes a primitive writes are counted by drawing it once into a clear raster
// and counting the bytes that changed; memset of that many contiguous bytes is the
// floor no bit-setting primitive can beat.

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "BenchTable.h"
#include "OsPlatformHost.h"
#include "raster/SketchRaster.h"

namespace {

constexpr int kW = 1920;
constexpr int kH = 1080;

struct Case {
  std::string name;
  std::function<void()> draw;
  std::size_t bytes = 0;  // distinct raster bytes the primitive writes
};

std::size_t RasterBytes() { return static_cast<std::size_t>(gSketchRaster->GetRowBytes()) * kH; }
const BYTE* RasterBase() { return gSketchRaster->GetPixelAddress(0, kH - 1, 1); }  // lowest row in memory

void ClearAll() {
  SketchClearRect(gSketchRaster, {0, 0, kW, kH});
  SketchResetDirty();
}

std::size_t CountWrittenBytes(const std::function<void()>& draw) {
  ClearAll();
  draw();
  const BYTE* p = RasterBase();
  std::size_t n = 0;
  for (std::size_t i = 0; i < RasterBytes(); ++i) n += p[i] != 0;
  ClearAll();
  return n;
}

std::vector<Case> MakeCases() {
  // One case a line: clang-format 14 breaks a one-line lambda holding braces
  // over three lines inside a braced list.
  // clang-format off
  std::vector<Case> cases = {
      {"line short shallow (32 px)", [] { SketchDrawLine({100, 100}, {131, 109}); }},
      {"line long shallow (1900 px)", [] { SketchDrawLine({10, 100}, {1909, 700}); }},
      {"line short steep (32 px)", [] { SketchDrawLine({100, 100}, {109, 131}); }},
      {"line long steep (1060 px)", [] { SketchDrawLine({100, 10}, {700, 1069}); }},
      {"line short diagonal (32 px)", [] { SketchDrawLine({100, 100}, {131, 131}); }},
      {"line long diagonal (1060 px)", [] { SketchDrawLine({10, 10}, {1069, 1069}); }},
      {"line long horizontal (1900 px)", [] { SketchDrawLine({10, 500}, {1909, 500}); }},
      {"line clipped, far outside", [] { SketchDrawLine({-2000000000, -5}, {2000000000, 1500}); }},
      {"frame 200 x 150", [] { SketchFrameRect({300, 300, 500, 450}); }},
      {"fill whole raster", [] { SketchFillRect({0, 0, kW, kH}); }},
      {"clear whole raster", [] { SketchClearRect(gSketchRaster, {0, 0, kW, kH}); }},
      {"centre mark with cross", [] {
         const OsImgPoint p{963, 541};
         SketchDrawLine({p.x - 5, p.y}, {p.x + 5, p.y});
         SketchDrawLine({p.x, p.y - 5}, {p.x, p.y + 5});
         SketchDrawCenterMark(p);
       }},
  };
  // clang-format on
  for (Case& c : cases) {
    // Clearing writes zeros, which the counter cannot see: it covers every byte.
    c.bytes = c.name.rfind("clear", 0) == 0 ? RasterBytes() : CountWrittenBytes(c.draw);
  }
  return cases;
}

}  // namespace

int main(int argc, char** argv) {
  OsSetScreenSize(kW, kH);
  if (SketchCreateRaster() == 0) {
    std::fprintf(stderr, "cannot create the raster\n");
    return 1;
  }
  const std::vector<Case> cases = MakeCases();
  std::vector<BYTE> scratch(RasterBytes());

  for (const Case& c : cases) {
    benchmark::RegisterBenchmark(c.name.c_str(), [&c](benchmark::State& state) {
      for (auto _ : state) {
        c.draw();
        benchmark::ClobberMemory();
      }
      state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * c.bytes));
      SketchResetDirty();
    });
    const std::string baseline = "memset " + std::to_string(c.bytes) + " B";
    benchmark::RegisterBenchmark((baseline + " / " + c.name).c_str(), [&c, &scratch](benchmark::State& state) {
      for (auto _ : state) {
        std::memset(scratch.data(), 0xFF, c.bytes);
        benchmark::DoNotOptimize(scratch.data());
        benchmark::ClobberMemory();
      }
      state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * c.bytes));
    });
  }

  benchmark::Initialize(&argc, argv);
  CollectingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  std::vector<TableRow> rows;
  for (const Case& c : cases) {
    rows.push_back(
        {c.name, "memset " + std::to_string(c.bytes) + " B / " + c.name, std::to_string(c.bytes) + " bytes written"});
  }
  PrintTable(reporter, rows);
  SketchDeleteRaster();
  benchmark::Shutdown();
  return 0;
}
