// Random editing runs from fixed seeds, and the checker itself: that it notices
// a state broken behind the host's back.

#include <gtest/gtest.h>

#include "BList.h"
#include "EditRun.h"
#include "Host.h"
#include "HostDump.h"
#include "container/TObjectContainer.h"
#include "model/TDShape.h"
#include "model/TDUnit.h"

namespace {

EditRunConfig Config(int events) {
  EditRunConfig config;
  config.modulePath = SKETCH_MODULE_PATH;
  config.events = events;
  return config;
}

// Each shard of the ctest run covers SKETCH_RANDOM_SEEDS seeds (25) of
// SKETCH_RANDOM_EVENTS events (2000) from seed SKETCH_RANDOM_FIRST on; the
// smoke run takes fewer of both, random-edits-long many more.
const int kSeedsPerShard = EnvNumber("SKETCH_RANDOM_SEEDS", 25);
const int kEvents = EnvNumber("SKETCH_RANDOM_EVENTS", 2000);

class RandomEdits : public ::testing::TestWithParam<int> {};

TEST_P(RandomEdits, KeepEveryInvariantAfterEveryEvent) {
  const EditRunConfig config = Config(kEvents);
  for (int k = 0; k < kSeedsPerShard; ++k) {
    const std::uint64_t seed =
        static_cast<std::uint64_t>(EnvNumber("SKETCH_RANDOM_FIRST", 0) + GetParam() * kSeedsPerShard + k);
    const EditRunResult run = RunSeed(seed, config);
    EXPECT_FALSE(run.failure) << "seed " << seed << ", event " << run.failure->event << ": " << run.failure->message
                              << "\nrun it alone with: SKETCH_RANDOM_FIRST=" << seed
                              << " SKETCH_RANDOM_SEEDS=1 test_random --gtest_filter=*/0";
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomEdits, ::testing::Range(0, 8));

TEST(RandomEditRuns, AreTheSameForTheSameSeedAndBytes) {
  const EditRunConfig config = Config(300);
  const EditRunResult a = RunSeed(7, config), b = RunSeed(7, config), c = RunSeed(8, config);
  EXPECT_EQ(ScriptOf(a.events), ScriptOf(b.events));
  EXPECT_NE(ScriptOf(a.events), ScriptOf(c.events));
  const std::vector<std::uint8_t> bytes(600, 0x5a);
  const EditRunResult d = RunEditEvents(bytes.data(), bytes.size(), config);
  EXPECT_FALSE(d.failure) << d.failure->message;
  EXPECT_EQ(ScriptOf(d.events), ScriptOf(RunEditEvents(bytes.data(), bytes.size(), config).events));
}

// The first vertex of the active document's first figure, once it has one.
TDUnit* FirstVertex(Host& host) {
  TObjectContainer* sketch = host.Active() != nullptr ? SketchOf(host.Active()->document) : nullptr;
  if (sketch == nullptr || sketch->GetCount() == 0) return nullptr;
  const BList& units = static_cast<TDShape*>(sketch->GetItem(sketch->GetHeadPosition()))->fUnits;
  return units.GetCount() > 0 ? static_cast<TDUnit*>(units.GetItem(units.GetHeadPosition())) : nullptr;
}

struct Breakage {
  const char* name;
  const char* trigger;  // the line after which the state is broken
  const char* kind;     // what the checker must call it
  void (*breakIt)(Host&);
};

const Breakage kBreakages[] = {
    {"AFigureMovedWithoutAStep", "tool", "unrecorded", [](Host& h) { FirstVertex(h)->fAnchor.x += 1; }},
    {"AnUndoThatMovesAFigure", "undo", "undo", [](Host& h) { FirstVertex(h)->fAnchor.y -= 1; }},
    {"AHoleInTheDrawingOrder", "click", "ownership", [](Host& h) { SketchOf(h.Active()->document)->AddTail(nullptr); }},
};

class CheckerTest : public ::testing::TestWithParam<Breakage> {};

TEST_P(CheckerTest, NamesTheBreach) {
  const Breakage& b = GetParam();
  EditRunConfig config = Config(2000);
  config.tamper = [&b](Host& host, const std::string& line) {
    if (line.rfind(b.trigger, 0) == 0 && FirstVertex(host) != nullptr) b.breakIt(host);
  };
  const EditRunResult run = RunSeed(3, config);
  ASSERT_TRUE(run.failure);
  EXPECT_EQ(run.failure->kind, b.kind) << run.failure->message;
}

INSTANTIATE_TEST_SUITE_P(Breakages, CheckerTest, ::testing::ValuesIn(kBreakages),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
