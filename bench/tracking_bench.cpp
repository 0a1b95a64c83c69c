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
#include "ScatteredFigures.h"
#include "OsPlatformHost.h"
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

constexpr int kW = 1920;
constexpr int kH = 1080;
constexpr int kFigures = 1000;

struct Scene {
  BModuleInterfaces links;
  BDocument document{"bench"};
  BView view;
  std::vector<std::uint8_t> picture = std::vector<std::uint8_t>(static_cast<std::size_t>(kW) * kH * 3, 180);
  std::vector<std::uint8_t> frame = std::vector<std::uint8_t>(static_cast<std::size_t>(kW) * kH * 3);
  TObjectContainer* container = nullptr;

  explicit Scene(bool selected) {
    view.OsSetDocument(&document);
    view.GetWindow()->OsPlace(0, 0, kW, kH);
    BModuleDocument* sketch = gModuleInterface.CreateModuleDocument(&document);
    document.SetModuleDocument(1, sketch);
    sketch->InitDocument(&document);
    container = static_cast<CSketchDocument*>(sketch)->fContainer;
    view.OsSetRepaint([this](BView& v) { Repaint(v); });
    gModuleInterface.SetActiveView(&view);
    AddScatteredFigures(*container, kFigures, 4242, 6, selected);
    SketchResetDirty();
  }
  ~Scene() { gModuleInterface.SetActiveView(nullptr); }

  void Repaint(BView& v) {
    std::memcpy(frame.data(), picture.data(), frame.size());
    CDC dc;
    dc.Attach(OsCreateBufferDC(frame.data(), kW, kH, kW * 3));
    gModuleInterface.RepaintRequest(&dc, &v);
  }
};

// One continue step of the host's loop.
void Step(BTracker& t, OsImgPoint& anchor, OsImgPoint& previous, OsImgPoint next) {
  t.TrackConstrain(kTrackContinue, anchor, previous, next, 1);
  const int moved = next.x != previous.x || next.y != previous.y;
  t.TrackMouse(kTrackContinue, anchor, previous, next, moved);
  t.TrackFeedback(kTrackContinue, anchor, previous, next, moved, 1);
  previous = next;
}

template <typename Tracker, typename Init>
void RunGesture(benchmark::State& state, Scene& scene, OsImgPoint press, Init init) {
  auto tracker = std::make_unique<Tracker>();
  init(*tracker, press);
  OsImgPoint anchor = tracker->GetAnchor(), previous = anchor, next = anchor;
  tracker->TrackConstrain(kTrackBegin, anchor, previous, next, 1);
  tracker->TrackMouse(kTrackBegin, anchor, previous, next, 1);
  tracker->TrackFeedback(kTrackBegin, anchor, previous, next, 1, 1);
  int k = 0;
  for (auto _ : state) {
    ++k;
    // Back and forth over 200 pixels, so the figures stay on the view.
    const int offset = (k / 200) % 2 == 0 ? k % 200 : 200 - k % 200;
    Step(*tracker, anchor, previous, {anchor.x + offset, anchor.y + offset / 2});
  }
  tracker->TrackMouse(kTrackEnd, anchor, previous, previous, 1);
  tracker->DoIt();
  tracker->UndoIt();  // the scene as it was, for the next run
  (void)scene;
}

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
    RunGesture<TDCDrag>(st, dragScene, {400, 300}, [&](TDCDrag& t, OsImgPoint& p) {
      t.IDCDrag(dragScene.container, &dragScene.view, &dragScene.document, p);
    });
  });
  benchmark::RegisterBenchmark("rectangle step, 1000 unselected", [&](benchmark::State& st) {
    gModuleInterface.SetActiveView(&growScene.view);
    RunGesture<TDCGrow>(st, growScene, {kW - 260, 10}, [&](TDCGrow& t, OsImgPoint& p) {
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
  PrintTable(reporter, {
                           {"drag step, 1000 selected", "memcpy view pixels", "one tracking step with its repaint"},
                           {"rectangle step, 1000 unselected", "memcpy view pixels", "one tracking step with its repaint"},
                           {"part: draw 1000 figures", "drag step, 1000 selected", "share of a drag step"},
                           {"part: composite", "drag step, 1000 selected", "share of a drag step"},
                           {"part: clear", "drag step, 1000 selected", "share of a drag step"},
                       });
  benchmark::Shutdown();
  return 0;
}
