// What a sketch costs in memory: the heap taken by N figures of the benchmark
// workload (every kind, a tenth selected) in a document's container, per figure
// and per vertex, and the process's peak resident size, for N = 1,000, 10,000
// and 100,000 (or the counts given as arguments).
//
//   build/release/bin/bench_memory [N...]
//
// One line per N:
//   memory N FIGURES VERTICES HEAP_BYTES BYTES_PER_FIGURE BYTES_PER_VERTEX PEAK_RSS_KB

#include <malloc.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "BView.h"
#include "OsPlatformHost.h"
#include "Workload.h"
#include "container/TObjectContainer.h"
#include "module/CSketchInterface.h"
#include "raster/SketchRaster.h"

namespace {

std::size_t HeapInUse() { return mallinfo2().uordblks; }

long PeakRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
  OsSetScreenSize(workload::kViewWidth, workload::kViewHeight);
  gModuleInterface.IModuleInterface(nullptr);
  std::vector<int> counts{1000, 10000, 100000};
  if (argc > 1) {
    counts.clear();
    for (int i = 1; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
  }
  for (const int n : counts) {
    BView view;
    view.GetWindow()->OsPlace(0, 0, workload::kViewWidth, workload::kViewHeight);
    const std::size_t before = HeapInUse();
    {
      TObjectContainer container;
      container.IObjectContainer();
      container.AttachView(&view);
      workload::AddFigures(container, n);
      const std::size_t heap = HeapInUse() - before;
      long vertices = 0;
      for (BPosition pos = container.GetHeadPosition(); pos != nullptr;) {
        vertices += static_cast<const TDShape*>(container.GetNext(pos))->UnitCount();
      }
      std::printf("memory %d %d %ld %zu %.1f %.1f %ld\n", n, container.GetCount(), vertices, heap,
                  static_cast<double>(heap) / n, static_cast<double>(heap) / static_cast<double>(vertices),
                  PeakRssKb());
      container.DeleteAll();
    }
  }
  return 0;
}
