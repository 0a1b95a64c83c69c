// One step of a mouse gesture as the host runs it, with the repaint it causes:
// dragging 1,000 selected figures, and drawing a rectangle over 1,000 unselected
// ones, on a 1920 x 1080 view. Each step is constrain, mouse, feedback, and the
// repaint the feedback asks for (the picture copied into the view, then the
// module redraws the figures into the raster, composites it and clears it).
//
// The parts of a step are measured on their own in the same run: drawing the
// figures, the composition, and the clearing; their share of a step is printed
// with the median step time. The baseline is memcpy of the view's pixels, the
// least a repaint costs.

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "BDocument.h"
#include "BView.h"
#include "BenchTable.h"
#include "BenchView.h"
#include "OsPlatformHost.h"
#include "ScatteredFigures.h"
#include "container/TObjectContainer.h"
#include "model/TDOval.h"
#include "model/TDPolygon.h"
#include "model/TDRectangle.h"
#include "module/CSketchDocument.h"
#include "module/CSketchInterface.h"
#include "raster/SketchDisplay.h"
#include "raster/SketchRaster.h"
#include "trackers/TDCDrag.h"
#include "trackers/TDCGrow.h"

namespace {

constexpr int kW = bench::kViewW;
constexpr int kH = bench::kViewH;
constexpr int kFigures = 1000;

// A view of 1,000 scattered figures, all selected or none.
struct Scene : bench::BenchView {
  explicit Scene(bool selected) {
    AddScatteredFigures(*container, kFigures, 4242, 6, selected);
    SketchResetDirty();
  }
};

}  // namespace

int main(int argc, char** argv) {
  OsSetScreenSize(kW, kH);
  gModuleInterface.IModuleInterface(nullptr);
  Scene dragScene(true);
  Scene growScene(false);
  gCurrentTool = 4;

  std::vector<std::uint8_t> scratch(static_cast<std::size_t>(kW) * kH * 3);
  benchmark::RegisterBenchmark("memcpy view pixels", [&](benchmark::State& st) {
    for (auto _ : st) {
      std::memcpy(scratch.data(), dragScene.picture.data(), scratch.size());
      benchmark::ClobberMemory();
    }
  });
  benchmark::RegisterBenchmark("drag step, 1000 selected", [&](benchmark::State& st) {
    gModuleInterface.SetActiveView(&dragScene.view);
    bench::RunGesture<TDCDrag>(st, {400, 300}, [&](TDCDrag& t, OsImgPoint& p) {
      t.IDCDrag(dragScene.container, &dragScene.view, &dragScene.document, p);
    });
  });
  benchmark::RegisterBenchmark("rectangle step, 1000 unselected", [&](benchmark::State& st) {
    gModuleInterface.SetActiveView(&growScene.view);
    bench::RunGesture<TDCGrow>(st, {kW - 260, 10}, [&](TDCGrow& t, OsImgPoint& p) {
      t.IDCGrow(growScene.container, &growScene.view, &growScene.document, p);
    });
  });
  // The parts of a repaint, on the drag scene.
  benchmark::RegisterBenchmark("part: draw 1000 figures", [&](benchmark::State& st) {
    gModuleInterface.SetActiveView(&dragScene.view);
    for (auto _ : st) {
      dragScene.container->Draw({0, 0, kW, kH});
      benchmark::ClobberMemory();
    }
    SketchClearRect(gSketchRaster, {0, 0, kW, kH});
    SketchResetDirty();
  });
  benchmark::RegisterBenchmark("part: composite", [&](benchmark::State& st) {
    CDC dc;
    dc.Attach(OsCreateBufferDC(dragScene.frame.data(), kW, kH, kW * 3));
    gRepaintDC = &dc;
    for (auto _ : st) SketchComposite(&dragScene.view, gSketchRaster);
    gRepaintDC = nullptr;
  });
  benchmark::RegisterBenchmark("part: clear", [&](benchmark::State& st) {
    for (auto _ : st) {
      SketchClearRect(gSketchRaster, {0, 0, kW, kH});
      benchmark::ClobberMemory();
    }
  });

  // Medians of nine repetitions unless the command line says otherwise.
  std::vector<char*> args(argv, argv + argc);
  char repetitions[] = "--benchmark_repetitions=9";
  char aggregates[] = "--benchmark_report_aggregates_only=true";
  args.insert(args.begin() + 1, {repetitions, aggregates});
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  CollectingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintTable(reporter,
             {
                 {"drag step, 1000 selected", "memcpy view pixels", "one tracking step with its repaint"},
                 {"rectangle step, 1000 unselected", "memcpy view pixels", "one tracking step with its repaint"},
                 {"part: draw 1000 figures", "drag step, 1000 selected", "share of a drag step"},
                 {"part: composite", "drag step, 1000 selected", "share of a drag step"},
                 {"part: clear", "drag step, 1000 selected", "share of a drag step"},
             });
  benchmark::Shutdown();
  return 0;
}
