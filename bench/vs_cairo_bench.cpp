// Our sketch against the same work done by cairo and pixman, in one run, on one
// workload (Workload.h) of N = 100, 1,000, 10,000 and 100,000 figures on a
// 1920 x 1080 view.
//
// Per N: drawing every figure into the one-bit raster, the composition over the
// frame (inverted and solid), clearing the raster, a whole repaint (draw,
// composite inverted, clear), a click test per press point, a drag step with the
// selected tenth and a rectangle-drawing step (each with the repaint it causes:
// the picture copied into the frame, then the sketch over it).
//
// After Google Benchmark's own output, one line per measure:
//   ratio NAME N OURS_MS CAIRO_MS SPEEDUP        (SPEEDUP = CAIRO_MS / OURS_MS)
// and the floors, where the third number is the floor instead of cairo's time:
//   ratio clear_vs_memset N OURS_MS FLOOR_MS FLOOR/OURS
//   ratio composite_*_vs_rmw N OURS_MS FLOOR_MS FLOOR/OURS
// (memset of the raster; one read-modify-write pass over a 32-bit frame).

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "BDocument.h"
#include "BView.h"
#include "BenchTable.h"
#include "BenchView.h"
#include "CairoSketch.h"
#include "OsPlatformHost.h"
#include "Workload.h"
#include "container/TObjectContainer.h"
#include "model/TDCheck.h"
#include "module/CSketchDocument.h"
#include "module/CSketchInterface.h"
#include "raster/SketchDisplay.h"
#include "raster/SketchRaster.h"
#include "trackers/TDCDrag.h"
#include "trackers/TDCGrow.h"

namespace {

using workload::kViewHeight;
using workload::kViewWidth;
constexpr int kW = kViewWidth, kH = kViewHeight;
static_assert(kW == bench::kViewW && kH == bench::kViewH, "the workload fills the benchmark view");
constexpr OsImgRect kWhole{0, 0, kW, kH};

struct Scene : bench::BenchView {
  std::vector<std::uint32_t> picture32 = std::vector<std::uint32_t>(static_cast<std::size_t>(kW) * kH, 0xFFB4B4B4u);
  std::vector<OsImgPoint> presses;
  std::unique_ptr<CairoSketch> cairo;

  explicit Scene(int n) {
    workload::AddFigures(*container, n);
    presses = workload::PressPoints(*container);
    cairo = std::make_unique<CairoSketch>(*container, kW, kH);
  }

  void Activate() { gModuleInterface.SetActiveView(&view); }

  // The cairo frame gets the picture as ours does, at its own 4 bytes a pixel.
  void CairoRepaint(const CairoSketch::Figure* extra) {
    std::memcpy(cairo->Frame().data(), picture32.data(), picture32.size() * 4);
    cairo->Clear();
    cairo->Draw(extra);
    cairo->CompositeInverted();
  }
};

// The first figure whose segments the click test hits, as the container's click
// does it but without touching the selection; -1 when none.
int HitTest(const TObjectContainer& c, OsImgPoint p, const BZoom& zoom) {
  TDCheck check;
  check.fFlags = TDCheck::kSegments;
  check.fTolerance = 4.0f;
  int i = 0;
  for (BPosition pos = c.GetHeadPosition(); pos != nullptr; ++i) {
    auto* s = static_cast<TDShape*>(c.GetNext(pos));
    if (s->CheckSegments(p.x, p.y, &check, &zoom)) return i;
  }
  return -1;
}

struct Measure {
  std::string name;
  int n;
  std::string ours, other;
};

double Millis(const CollectingReporter& r, const std::string& name) { return r.Nanos(name) / 1e6; }

}  // namespace

int main(int argc, char** argv) {
  OsSetScreenSize(kW, kH);
  gModuleInterface.IModuleInterface(nullptr);
  gCurrentTool = 4;
  std::vector<std::unique_ptr<Scene>> scenes;
  std::vector<Measure> measures;
  std::vector<Measure> floors;

  const std::size_t rasterBytes = static_cast<std::size_t>(gSketchRaster->GetRowBytes()) * kH;
  std::vector<unsigned char> scratch(rasterBytes);
  std::vector<std::uint32_t> frame32(static_cast<std::size_t>(kW) * kH, 0xFFB4B4B4u);
  benchmark::RegisterBenchmark("floor/memset raster", [&](benchmark::State& st) {
    for (auto _ : st) {
      std::memset(scratch.data(), 0, rasterBytes);
      benchmark::ClobberMemory();
    }
  });
  benchmark::RegisterBenchmark("floor/rmw 32-bit frame", [&](benchmark::State& st) {
    for (auto _ : st) {
      for (std::uint32_t& px : frame32) px ^= 0x00FFFFFFu;
      benchmark::ClobberMemory();
    }
  });

  for (int n : {100, 1000, 10000, 100000}) {
    scenes.push_back(std::make_unique<Scene>(n));
    Scene* s = scenes.back().get();
    const std::string tag = "N=" + std::to_string(n) + "/";
    const auto pair = [&](const std::string& what, auto ours, auto cairo) {
      benchmark::RegisterBenchmark((tag + "ours/" + what).c_str(), ours);
      benchmark::RegisterBenchmark((tag + "cairo/" + what).c_str(), cairo);
      measures.push_back({what, n, tag + "ours/" + what, tag + "cairo/" + what});
    };

    pair(
        "draw",
        [s](benchmark::State& st) {
          s->Activate();
          for (auto _ : st) {
            s->container->Draw(kWhole);
            benchmark::ClobberMemory();
          }
          SketchClearRect(gSketchRaster, kWhole);
          SketchResetDirty();
        },
        [s](benchmark::State& st) {
          for (auto _ : st) s->cairo->Draw();
          s->cairo->Clear();
        });
    for (int display : {ID_DISPLAY_INVERTED, ID_DISPLAY_BLACK}) {
      const bool inverted = display == ID_DISPLAY_INVERTED;
      pair(
          inverted ? "composite_inverted" : "composite_solid",
          [s, display](benchmark::State& st) {
            s->Activate();
            s->container->Draw(kWhole);
            CDC dc;
            dc.Attach(OsCreateBufferDC(s->frame.data(), kW, kH, kW * 3));
            gRepaintDC = &dc;
            const int kept = gModuleInterface.fDispColor;
            gModuleInterface.fDispColor = display;
            for (auto _ : st) SketchComposite(&s->view, gSketchRaster);
            gModuleInterface.fDispColor = kept;
            gRepaintDC = nullptr;
            SketchClearRect(gSketchRaster, kWhole);
            SketchResetDirty();
          },
          [s, inverted](benchmark::State& st) {
            s->cairo->Clear();
            s->cairo->Draw();
            for (auto _ : st) inverted ? s->cairo->CompositeInverted() : s->cairo->CompositeSolid();
            s->cairo->Clear();
          });
    }
    pair(
        "clear",
        [](benchmark::State& st) {
          for (auto _ : st) {
            SketchClearRect(gSketchRaster, kWhole);
            benchmark::ClobberMemory();
          }
        },
        [s](benchmark::State& st) {
          for (auto _ : st) s->cairo->Clear();
        });
    pair(
        "repaint",
        [s](benchmark::State& st) {
          s->Activate();
          CDC dc;
          dc.Attach(OsCreateBufferDC(s->frame.data(), kW, kH, kW * 3));
          for (auto _ : st) gModuleInterface.RepaintRequest(&dc, &s->view);
        },
        [s](benchmark::State& st) {
          for (auto _ : st) {
            s->cairo->Clear();
            s->cairo->Draw();
            s->cairo->CompositeInverted();
          }
        });
    pair(
        "hit",
        [s](benchmark::State& st) {
          const BZoom zoom = s->view.GetZoom();
          std::size_t i = 0;
          for (auto _ : st) {
            benchmark::DoNotOptimize(HitTest(*s->container, s->presses[i], zoom));
            i = (i + 1) % s->presses.size();
          }
        },
        [s](benchmark::State& st) {
          std::size_t i = 0;
          for (auto _ : st) {
            benchmark::DoNotOptimize(s->cairo->Hit(s->presses[i]));
            i = (i + 1) % s->presses.size();
          }
        });
    // The drag starts on the first selected figure's first vertex.
    const auto* first = static_cast<const TDShape*>(s->container->GetItem(s->container->GetHeadPosition()));
    const OsImgPoint grip =
        static_cast<const TDUnit*>(first->fUnits.GetItem(first->fUnits.GetHeadPosition()))->fAnchor.ToImgPoint();
    pair(
        "drag_step",
        [s, grip](benchmark::State& st) {
          s->Activate();
          bench::RunGesture<TDCDrag>(
              st, grip, [s](TDCDrag& t, OsImgPoint& p) { t.IDCDrag(s->container, &s->view, &s->document, p); });
        },
        [s](benchmark::State& st) {
          int k = 0, x = 0, y = 0;
          for (auto _ : st) {
            ++k;
            s->cairo->MoveSelected(bench::Offset(k) - x, bench::Offset(k) / 2 - y);
            x = bench::Offset(k);
            y = bench::Offset(k) / 2;
            s->CairoRepaint(nullptr);
          }
          s->cairo->MoveSelected(-x, -y);
        });
    pair(
        "rectangle_step",
        [s](benchmark::State& st) {
          s->Activate();
          bench::RunGesture<TDCGrow>(st, {kW - 260, 10}, [s](TDCGrow& t, OsImgPoint& p) {
            t.IDCGrow(s->container, &s->view, &s->document, p);
          });
        },
        [s](benchmark::State& st) {
          std::vector<bool> kept;
          for (const CairoSketch::Figure& f : s->cairo->Figures()) kept.push_back(f.selected);
          s->cairo->Deselect();
          int k = 0;
          for (auto _ : st) {
            ++k;
            const double x0 = kW - 260, y0 = 10, x1 = x0 + bench::Offset(k), y1 = y0 + bench::Offset(k) / 2;
            CairoSketch::Figure r;
            r.closed = true;
            r.points = {x0, y0, x0, y0, x1, y0, x1, y0, x1, y0, x1, y1, x1, y1,
                        x1, y1, x0, y1, x0, y1, x0, y1, x0, y0, x0, y0, x0, y0};
            r.anchors = {x0, y0, x1, y0, x1, y1, x0, y1};
            s->CairoRepaint(&r);
          }
          for (std::size_t i = 0; i < kept.size(); ++i) s->cairo->Figures()[i].selected = kept[i];
        });
    floors.push_back({"clear_vs_memset", n, tag + "ours/clear", "floor/memset raster"});
    floors.push_back({"composite_inverted_vs_rmw", n, tag + "ours/composite_inverted", "floor/rmw 32-bit frame"});
    floors.push_back({"composite_solid_vs_rmw", n, tag + "ours/composite_solid", "floor/rmw 32-bit frame"});
  }

  benchmark::Initialize(&argc, argv);
  CollectingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\n");
  for (const std::vector<Measure>* list : {&measures, &floors}) {
    for (const Measure& m : *list) {
      const double ours = Millis(reporter, m.ours), other = Millis(reporter, m.other);
      if (ours <= 0.0 || other <= 0.0) continue;  // filtered out on the command line
      std::printf("ratio %s %d %.6f %.6f %.2f\n", m.name.c_str(), m.n, ours, other, other / ours);
    }
  }
  scenes.clear();
  benchmark::Shutdown();
  return 0;
}
