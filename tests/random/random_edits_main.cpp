// Long random editing runs on demand, beyond what the test suite runs:
//   random_edits [--seeds N] [--events N] [--first SEED] [--out DIR] [--shrink TRIALS] [--replay SCRIPT]
// Prints the figures of the run; each failing seed is shrunk, with at most
// TRIALS replays (0: not at all), and written to DIR as a replay script.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "EditRun.h"

int main(int argc, char** argv) {
  // A run of 10,000 events needs a few thousand replays to come down to the
  // few lines that matter.
  long seeds = 1000, events = 10000, first = 0, shrink = 4000;
  std::string out = std::filesystem::temp_directory_path().string(), replay;
  const std::map<std::string, long*> numbers{
      {"--seeds", &seeds}, {"--events", &events}, {"--first", &first}, {"--shrink", &shrink}};
  const std::map<std::string, std::string*> words{{"--out", &out}, {"--replay", &replay}};
  for (int k = 1; k < argc; k += 2) {
    if (k + 1 < argc && numbers.count(argv[k]) != 0) {
      *numbers.at(argv[k]) = std::atol(argv[k + 1]);
    } else if (k + 1 < argc && words.count(argv[k]) != 0) {
      *words.at(argv[k]) = argv[k + 1];
    } else {
      std::fprintf(stderr,
                   "usage: random_edits [--seeds N] [--events N] [--first SEED] [--out DIR] [--shrink TRIALS] "
                   "[--replay SCRIPT]\n");
      return 2;
    }
  }
  EditRunConfig config;
  config.modulePath = SKETCH_MODULE_PATH;
  config.events = static_cast<int>(events);
  if (!replay.empty()) {
    // A script, one event a line, checked as the runs check theirs.
    std::ifstream in(replay);
    std::vector<EditEvent> lines;
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line[0] != '#') lines.push_back({{line}});
    }
    const EditRunResult run = ReplayEvents(lines, config);
    std::printf("%s\n", run.failure ? run.failure->message.c_str() : "no failure");
    return run.failure ? 1 : 0;
  }
  const auto start = std::chrono::steady_clock::now();
  long ran = 0, failures = 0;
  for (long s = first; s < first + seeds; ++s) {
    const EditRunResult run = RunSeed(static_cast<std::uint64_t>(s), config);
    ran += static_cast<long>(run.events.size());
    if (!run.failure) continue;
    ++failures;
    std::printf("seed %ld, event %zu: %s\n", s, run.failure->event, run.failure->message.c_str());
    if (shrink != 0) {
      const auto small = ShrinkFailure(run.events, run.failure->kind, config, static_cast<int>(shrink));
      const std::string path = out + "/random-edits-seed-" + std::to_string(s) + ".txt";
      std::ofstream(path) << ScriptOf(small);
      std::printf("  shrunk to %zu events: %s\n", small.size(), path.c_str());
    }
    std::fflush(stdout);
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%ld seeds, %ld events in %.1f s (%.0f events/s), %ld failing\n", seeds, ran, seconds,
              seconds > 0 ? ran / seconds : 0.0, failures);
  return failures == 0 ? 0 : 1;
}
