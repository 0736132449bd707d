// What the history costs: the memory of 1000 steps (strokes of five cells,
// each on its own level in turn) and the time of undoing and redoing all of
// them.
#include <benchmark/benchmark.h>

#include "doc/document.h"
#include "doc/edits.h"

namespace {

Document ThousandSteps() {
  Document doc;
  Selection pattern;
  for (int step = 0; step < 1000; ++step) {
    pattern.selectionValue = step % 13 + 1;  // never what the cells hold already
    doc.OpenStep(step % kLevelCount);
    for (int k = 0; k < 5; ++k)
      Edits::ApplyLeft(doc, step % kLevelCount, pattern, 18 + (step * 5 + k) % 180);
    doc.CloseStep();
  }
  return doc;
}

void HistoryOfAThousandSteps(benchmark::State& bench) {
  Document doc = ThousandSteps();
  for (auto _ : bench) {
    while (doc.Undo() >= 0) {
    }
    while (doc.Redo() >= 0) {
    }
  }
  bench.counters["steps"] = static_cast<double>(doc.GetHistory().UndoCount());
  bench.counters["historyKiB"] = static_cast<double>(doc.GetHistory().Bytes()) / 1024.0;
  bench.counters["undoRedoPairs"] =
      benchmark::Counter(1000.0 * static_cast<double>(bench.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(HistoryOfAThousandSteps)->Unit(benchmark::kMillisecond);
