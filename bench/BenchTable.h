#pragma once
// Runs Google Benchmark with a reporter that keeps each benchmark's mean time,
// then prints a table of cases against the baselines they were paired with.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

class CollectingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.run_type == Run::RT_Iteration && r.iterations > 0 && fMedians.count(r.run_name.str()) == 0) {
        fNanos[r.benchmark_name()] = r.GetAdjustedRealTime();  // ns, the default unit
      } else if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median") {
        // With repetitions, the median of the repetitions stands for the case.
        fNanos[r.run_name.str()] = r.GetAdjustedRealTime();
        fMedians.insert(r.run_name.str());
      }
    }
  }
  double Nanos(const std::string& name) const {
    auto it = fNanos.find(name);
    return it == fNanos.end() ? 0.0 : it->second;
  }

 private:
  std::map<std::string, double> fNanos;
  std::set<std::string> fMedians;
};

struct TableRow {
  std::string name;      // the benchmark measured
  std::string baseline;  // the benchmark it is compared with
  std::string note;      // what the row's size is, for the reader
};

inline void PrintTable(const CollectingReporter& reporter, const std::vector<TableRow>& rows) {
  std::printf("\n%-44s %14s %14s %10s  %s\n", "case", "ns/op", "baseline ns", "ratio", "");
  for (const TableRow& row : rows) {
    const double ns = reporter.Nanos(row.name);
    const double base = reporter.Nanos(row.baseline);
    if (ns <= 0.0) continue;  // filtered out on the command line
    std::printf("%-44s %14.1f %14.1f %10.2f  %s\n", row.name.c_str(), ns, base, base > 0.0 ? ns / base : 0.0,
                row.note.c_str());
  }
}
