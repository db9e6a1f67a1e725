// Names per second (items_per_second) and heap allocations per name, for a
// small, a middle-sized and the largest sample chapter under three option
// sets: the chapter's own, all options on (fit 3, statistical, structural,
// prefixes, suffixes), and the chapter's own with initial letter K. Then
// bulk runs in blocks on one and on two threads.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "AllocationCounter.h"
#include "core/Vael.h"

namespace {

namespace fs = std::filesystem;

constexpr int kNamesPerIteration = 1000;

// The chapters, each loaded from a copy in a temporary folder so that no
// compiled chapter is written into the library.
class BenchChapters {
 public:
  BenchChapters() {
    folder_ = fs::temp_directory_path() / ("vael-bench-" + std::to_string(std::random_device{}()));
    fs::create_directories(folder_);
  }
  ~BenchChapters() {
    std::error_code error;
    fs::remove_all(folder_, error);
  }
  vael::TVaelChapter& Get(const std::string& relative) {
    auto& chapter = chapters_[relative];
    if (!chapter) {
      const fs::path source = fs::path(VAEL_LIBRARY_DIR) / relative;
      const fs::path copy = folder_ / source.filename();
      fs::copy_file(source, copy, fs::copy_options::overwrite_existing);
      chapter = std::make_unique<vael::TVaelChapter>();
      chapter->Load(copy.string());
    }
    return *chapter;
  }

 private:
  fs::path folder_;
  std::map<std::string, std::unique_ptr<vael::TVaelChapter>> chapters_;
};

BenchChapters& Chapters() {
  static BenchChapters chapters;
  return chapters;
}

enum class OptionSet { Chapter, AllOn, InitialK };

vael::GenerationOptions OptionsFor(const vael::TVaelChapter& chapter, OptionSet set) {
  vael::GenerationOptions options;
  options.val = chapter.valLevel;
  if (set == OptionSet::AllOn) {
    options.fit = 3;
    options.structural = options.statistical = options.prefixes = options.suffixes = true;
    return options;
  }
  options.fit = chapter.fitLevel;
  options.structural = chapter.structGen;
  options.statistical = chapter.statGen;
  options.prefixes = chapter.prefixOption;
  options.suffixes = chapter.suffixOption;
  if (set == OptionSet::InitialK) options.initialLetter = 'K';
  return options;
}

void GenerateNames(benchmark::State& state, const char* relative, OptionSet set) {
  vael::TVaelChapter& chapter = Chapters().Get(relative);
  if (!chapter.loaded) {
    state.SkipWithError("the chapter did not load");
    return;
  }
  const vael::GenerationOptions options = OptionsFor(chapter, set);
  if (options.initialLetter != '*' &&
      chapter.initialLetters.find(options.initialLetter) == std::string::npos) {
    state.SkipWithError("no sample name begins with K");
    return;
  }
  vael::SeedRandom(chapter, 1);
  std::size_t length = 0;
  const std::uint64_t allocationsBefore = vael::bench::AllocationCount();
  for (auto _ : state) {
    vael::GenerateNames(chapter, options, kNamesPerIteration, [&](std::string_view name) {
      length += name.size();
      return true;
    });
  }
  benchmark::DoNotOptimize(length);
  const auto names = static_cast<double>(state.iterations()) * kNamesPerIteration;
  state.SetItemsProcessed(static_cast<std::int64_t>(names));
  state.counters["allocs/name"] =
      static_cast<double>(vael::bench::AllocationCount() - allocationsBefore) / names;
  state.SetLabel(std::string(relative) + " (" + std::to_string(chapter.nameCount) + " names)");
}

constexpr const char* kSmall = "wild/desert.vel";
constexpr const char* kMiddle = "elder/dwarves.vel";
constexpr const char* kLargest = "northlands/places.vel";

BENCHMARK_CAPTURE(GenerateNames, SmallChapterOptions, kSmall, OptionSet::Chapter);
BENCHMARK_CAPTURE(GenerateNames, SmallAllOn, kSmall, OptionSet::AllOn);
BENCHMARK_CAPTURE(GenerateNames, SmallInitialK, kSmall, OptionSet::InitialK);
BENCHMARK_CAPTURE(GenerateNames, MiddleChapterOptions, kMiddle, OptionSet::Chapter);
BENCHMARK_CAPTURE(GenerateNames, MiddleAllOn, kMiddle, OptionSet::AllOn);
BENCHMARK_CAPTURE(GenerateNames, MiddleInitialK, kMiddle, OptionSet::InitialK);
BENCHMARK_CAPTURE(GenerateNames, LargestChapterOptions, kLargest, OptionSet::Chapter);
BENCHMARK_CAPTURE(GenerateNames, LargestAllOn, kLargest, OptionSet::AllOn);
BENCHMARK_CAPTURE(GenerateNames, LargestInitialK, kLargest, OptionSet::InitialK);

// A run of 100,000 names in blocks, on one thread and on two: handed over
// name by name (range 1 = 0), or as printed lines made on the threads
// (range 1 = 1), as vaelgen prints them.
void GenerateBlocks(benchmark::State& state) {
  vael::TVaelChapter& chapter = Chapters().Get(kSmall);
  const vael::GenerationOptions options = OptionsFor(chapter, OptionSet::Chapter);
  constexpr std::int64_t kNames = 100000;
  const vael::BlockRun run{1, static_cast<int>(state.range(0))};
  const bool lines = state.range(1) != 0;
  std::size_t length = 0;
  for (auto _ : state) {
    if (lines) {
      vael::GenerateNameBlocks(
          chapter, options, kNames, run,
          [](std::string& out, std::string_view name) {
            vael::AppendUtf8FromWindows1252(out, name);
            out += '\n';
          },
          [&](std::string_view text) {
            length += text.size();
            return true;
          });
    } else {
      vael::GenerateNameBlocks(chapter, options, kNames, run, [&](std::string_view name) {
        length += name.size();
        return true;
      });
    }
  }
  benchmark::DoNotOptimize(length);
  state.SetItemsProcessed(state.iterations() * kNames);
}
BENCHMARK(GenerateBlocks)
    ->ArgsProduct({{1, 2}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
