// The two costs a user waits for with every level: decoding a pattern set at
// double size (against copying the same number of output bytes), and loading
// plus saving a level set (against reading 3770 bytes and writing them to a
// temporary file renamed over the target). Each prints its ratio, measured
// in the same run: goals are a decode at 25% of memcpy's speed or better,
// and a load and save within 2 times the raw file work.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "base/file_layer.h"
#include "gfx/ge5.h"
#include "level/level_file.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) {
  return std::chrono::duration<double>(Clock::now() - from).count();
}

// A screen with every pixel in use: the palette varied, the lines a pattern.
std::vector<uint8_t> PatternScreen() {
  std::vector<uint8_t> file(kGe5MinimumBytes);
  for (size_t i = 0; i < file.size(); ++i) file[i] = static_cast<uint8_t>(i * 37 + i / 256);
  file[0] = 0xFE;
  return file;
}

void Ge5DoubleDecodeAgainstMemcpy(benchmark::State& bench) {
  const std::vector<uint8_t> file = PatternScreen();
  const Image sample = DecodeGe5Double(file, false, 128, false);
  const size_t outputBytes = static_cast<size_t>(sample.Width()) * sample.Height() * sizeof(Rgb);
  std::vector<uint8_t> from(outputBytes, 7), to(outputBytes);
  double decoding = 0, copying = 0;
  for (auto _ : bench) {
    Clock::time_point start = Clock::now();
    Image image = DecodeGe5Double(file, false, 128, false);
    benchmark::DoNotOptimize(image);
    decoding += Seconds(start);
    start = Clock::now();
    std::memcpy(to.data(), from.data(), outputBytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
    copying += Seconds(start);
  }
  bench.counters["outputKiB"] = static_cast<double>(outputBytes) / 1024.0;
  bench.counters["speedOfMemcpy"] = copying / decoding;  // goal >= 0.25
}

void LoadAndSaveAgainstRawFileIo(benchmark::State& bench) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "kraxed-io-bench";
  std::filesystem::create_directories(dir);
  const std::string set = (dir / "set.kxl").string(), raw = (dir / "raw.kxl").string();
  LevelSet levels;
  if (!WriteLevelSetFile(SystemFileLayer(), set, levels) ||
      !WriteLevelSetFile(SystemFileLayer(), raw, levels)) {
    bench.SkipWithError("cannot write in the temporary folder");
    return;
  }
  double editor = 0, plain = 0;
  for (auto _ : bench) {
    Clock::time_point start = Clock::now();
    LevelSet loaded;
    const bool read = ReadLevelSetFile(set, loaded).ok;
    const bool written = WriteLevelSetFile(SystemFileLayer(), set, loaded);
    editor += Seconds(start);
    start = Clock::now();
    std::vector<char> bytes(3770);
    {
      std::ifstream in(raw, std::ios::binary);
      in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    {
      std::ofstream out(raw + ".tmp", std::ios::binary);
      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    std::rename((raw + ".tmp").c_str(), raw.c_str());
    plain += Seconds(start);
    if (!read || !written) bench.SkipWithError("load or save failed");
  }
  std::filesystem::remove_all(dir);
  bench.counters["timesRawIo"] = editor / plain;  // goal <= 2
}

}  // namespace

BENCHMARK(Ge5DoubleDecodeAgainstMemcpy)->Unit(benchmark::kMicrosecond);
BENCHMARK(LoadAndSaveAgainstRawFileIo)->Unit(benchmark::kMicrosecond);
