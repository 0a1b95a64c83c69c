#pragma once
// What the gesture benchmarks share: a document with a sketch shown in a
// 1920 x 1080 view that repaints into a frame over a grey picture, as a host
// does, and the host's tracking loop driven one step at a time.

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include "BCommand.h"
#include "BDocument.h"
#include "BView.h"
#include "OsPlatformHost.h"
#include "container/TObjectContainer.h"
#include "module/CSketchDocument.h"
#include "module/CSketchInterface.h"

namespace bench {

constexpr int kViewW = 1920;
constexpr int kViewH = 1080;

struct BenchView {
  BDocument document{"bench"};
  BView view;
  std::vector<std::uint8_t> picture = std::vector<std::uint8_t>(static_cast<std::size_t>(kViewW) * kViewH * 3, 180);
  std::vector<std::uint8_t> frame = std::vector<std::uint8_t>(static_cast<std::size_t>(kViewW) * kViewH * 3);
  TObjectContainer* container = nullptr;

  BenchView() {
    view.OsSetDocument(&document);
    view.GetWindow()->OsPlace(0, 0, kViewW, kViewH);
    BModuleDocument* sketch = gModuleInterface.CreateModuleDocument(&document);
    document.SetModuleDocument(1, sketch);
    sketch->InitDocument(&document);
    container = static_cast<CSketchDocument*>(sketch)->fContainer;
    view.OsSetRepaint([this](BView& v) { Repaint(v); });
    gModuleInterface.SetActiveView(&view);
  }
  ~BenchView() { gModuleInterface.SetActiveView(nullptr); }
  BenchView(const BenchView&) = delete;
  BenchView& operator=(const BenchView&) = delete;

  void Repaint(BView& v) {
    std::memcpy(frame.data(), picture.data(), frame.size());
    CDC dc;
    dc.Attach(OsCreateBufferDC(frame.data(), kViewW, kViewH, kViewW * 3));
    gModuleInterface.RepaintRequest(&dc, &v);
  }
};

// One continue step of the host's loop.
inline void Step(BTracker& t, OsImgPoint& anchor, OsImgPoint& previous, OsImgPoint next) {
  t.TrackConstrain(kTrackContinue, anchor, previous, next, 1);
  const int moved = next.x != previous.x || next.y != previous.y;
  t.TrackMouse(kTrackContinue, anchor, previous, next, moved);
  t.TrackFeedback(kTrackContinue, anchor, previous, next, moved, 1);
  previous = next;
}

// Back and forth over 200 pixels, so that the figures stay on the view.
inline int Offset(int k) { return (k / 200) % 2 == 0 ? k % 200 : 200 - k % 200; }

// A gesture from press, one step per iteration (k-th: Offset (k) right and
// half that down), then done and undone, so that the next run finds the
// scene as it was.
template <typename Tracker, typename Init>
void RunGesture(benchmark::State& state, OsImgPoint press, Init init) {
  auto tracker = std::make_unique<Tracker>();
  init(*tracker, press);
  OsImgPoint anchor = tracker->GetAnchor(), previous = anchor, next = anchor;
  tracker->TrackConstrain(kTrackBegin, anchor, previous, next, 1);
  tracker->TrackMouse(kTrackBegin, anchor, previous, next, 1);
  tracker->TrackFeedback(kTrackBegin, anchor, previous, next, 1, 1);
  int k = 0;
  for (auto _ : state) {
    ++k;
    Step(*tracker, anchor, previous, {anchor.x + Offset(k), anchor.y + Offset(k) / 2});
  }
  tracker->TrackMouse(kTrackEnd, anchor, previous, previous, 1);
  tracker->DoIt();
  tracker->UndoIt();
}

}  // namespace bench
