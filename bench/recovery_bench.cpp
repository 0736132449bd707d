// What keeping unsaved work costs: the recovery file written after each of a
// thousand steps (one cell each), as the editor does after every change.
// The median and the slowest write of the thousand are reported.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <vector>

#include "app/recovery.h"
#include "doc/document.h"
#include "doc/edits.h"
#include "quiet_host.h"

namespace {

void RecoveryWriteAfterEachStep(benchmark::State& bench) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "kraxed-recovery-bench";
  std::filesystem::create_directories(folder);
  QuietHost host;
  std::vector<double> micros;
  for (auto _ : bench) {
    Document doc;
    RecoveryKeeper keeper(SystemFileLayer(), (folder / "bench.kxr").string());
    micros.clear();
    for (int step = 0; step < 1000; ++step) {
      Edits::SetGoal(doc, 0, step % 2 + 1);  // a change every time
      const auto start = std::chrono::steady_clock::now();
      keeper.Follow(doc, true, host);
      micros.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    keeper.Discard();
  }
  std::sort(micros.begin(), micros.end());
  bench.counters["medianMicros"] = micros[micros.size() / 2];
  bench.counters["slowestMicros"] = micros.back();
  std::filesystem::remove_all(folder);
}

}  // namespace

BENCHMARK(RecoveryWriteAfterEachStep)->Unit(benchmark::kMillisecond)->Iterations(3);
