// Pages of 1,000 names from the largest sample chapter, under several option
// sets. items_per_second is names per second.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "core/Vael.h"

namespace {

namespace fs = std::filesystem;

constexpr int kPageSize = 1000;

// A chapter of invented names, for when the sample library is missing.
std::string GeneratedChapterText() {
  const char* starts[] = {"K", "T", "M", "DR", "S", "BR", "L", "V", "GR", "N"};
  const char* vowels[] = {"A", "E", "I", "O", "U", "AE", "IA"};
  const char* middles[] = {"L", "R", "ND", "TH", "SS", "RN", "V", "M"};
  std::mt19937 random(42);
  std::string text =
      "TITLE \"Generated\";\r\nLINE1 \"Benchmark\";\r\nLINE2 \"chapter\";\r\nDATE \"now\";\r\n"
      "GENOPT \"STATGEN FIT:2 VAL:2\";\r\nNAMES";
  for (int i = 0; i < 400; ++i) {
    std::string name = starts[random() % 10];
    const int syllables = 1 + static_cast<int>(random() % 3);
    for (int s = 0; s < syllables; ++s) {
      name += vowels[random() % 7];
      name += middles[random() % 8];
    }
    text += " \"" + name + "\"";
  }
  return text + ";\r\n";
}

// Loads from a copy in a temporary folder, so that no compiled chapter is
// written into the library.
struct BenchChapter {
  fs::path folder;
  std::unique_ptr<vael::TVaelChapter> chapter = std::make_unique<vael::TVaelChapter>();
  std::string name;

  BenchChapter() {
    folder = fs::temp_directory_path() / ("vael-bench-" + std::to_string(std::random_device{}()));
    fs::create_directories(folder);
    fs::path best;
    int bestNames = 0;
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(VAEL_LIBRARY_DIR, error)) {
      if (entry.path().extension() != ".vel") continue;
      Load(entry.path());
      if (chapter->loaded && chapter->nameCount > bestNames) {
        bestNames = chapter->nameCount;
        best = entry.path();
      }
    }
    if (!best.empty()) {
      Load(best);
      name = best.filename().string();
    }
    if (!chapter->loaded) {
      const fs::path generated = folder / "generated.vel";
      std::ofstream(generated, std::ios::binary) << GeneratedChapterText();
      chapter->Load(generated.string());
      name = "generated";
    }
  }
  ~BenchChapter() {
    std::error_code error;
    fs::remove_all(folder, error);
  }
  void Load(const fs::path& source) {
    const fs::path copy = folder / source.filename();
    fs::copy_file(source, copy, fs::copy_options::overwrite_existing);
    chapter->Load(copy.string());
  }
};

BenchChapter& Chapter() {
  static BenchChapter bench;
  return bench;
}

void GeneratePages(benchmark::State& state, vael::GenerationOptions options) {
  BenchChapter& bench = Chapter();
  if (!bench.chapter->loaded) {
    state.SkipWithError("no chapter could be loaded");
    return;
  }
  if (options.val < 0) options.val = bench.chapter->valLevel;
  vael::SeedRandom(*bench.chapter, 1);
  for (auto _ : state) {
    for (int i = 0; i < kPageSize; ++i)
      benchmark::DoNotOptimize(vael::GenerateName(*bench.chapter, options));
  }
  state.SetItemsProcessed(state.iterations() * kPageSize);
  state.SetLabel(bench.name + " (" + std::to_string(bench.chapter->nameCount) + " names)");
}

// fit, val (-1: the chapter's), structural, statistical, prefixes, suffixes, initial letter, log
BENCHMARK_CAPTURE(GeneratePages, AllOptionsOff,
                  vael::GenerationOptions{0, 0, false, false, false, false, '*', false})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GeneratePages, Fit3AllOn,
                  vael::GenerationOptions{3, -1, true, true, true, true, '*', false})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GeneratePages, Fit2StatisticalVal,
                  vael::GenerationOptions{2, -1, false, true, false, false, '*', false})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GeneratePages, Fit3AllOnInitialK,
                  vael::GenerationOptions{3, -1, true, true, true, true, 'K', false})
    ->Unit(benchmark::kMillisecond);

}  // namespace
