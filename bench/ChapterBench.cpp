// Loading a large chapter: the full analysis of 5,000 sample names (which
// also writes the compiled chapter) against reading that compiled chapter.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "core/Vael.h"

namespace {

namespace fs = std::filesystem;

constexpr int kSampleNames = 5000;

// Names from a fixed seed: syllables of onset, vowel and coda, now and then
// two parts, so that the analysis meets a realistic spread of elements.
std::string LargeChapterText() {
  static const char* onsets[] = {"B", "D", "G", "K", "L", "M", "N", "R", "S", "T", "V", "Z",
                                 "TH", "DR", "KR", "SH", "BR", "GL", "F", "H"};
  static const char* vowels[] = {"A", "E", "I", "O", "U", "AE", "IA", "OU", "Y", "EI"};
  static const char* codas[] = {"", "", "", "N", "R", "L", "S", "TH", "RN", "ND"};
  std::mt19937 random(20261208);
  auto pick = [&](const auto& list) {
    return std::string(list[random() % (sizeof(list) / sizeof(list[0]))]);
  };
  auto part = [&] {
    std::string text;
    int syllables = 1 + static_cast<int>(random() % 3);
    for (int s = 0; s < syllables; ++s) text += pick(onsets) + pick(vowels) + pick(codas);
    return text;
  };
  std::string text =
      "TITLE \"Bench\";\r\nLINE1 \"Five thousand names\";\r\nLINE2 \"Generated\";\r\n"
      "DATE \"2026\";\r\nGENOPT \"STATGEN FIT:1\";\r\nNAMES";
  for (int n = 0; n < kSampleNames; ++n) {
    std::string name = part();
    if (random() % 5 == 0) name += (random() % 2 ? " " : "-") + part();
    text += (n % 8 == 0 ? "\r\n  \"" : " \"") + name + "\"";
  }
  return text + ";\r\n";
}

class LargeChapter : public benchmark::Fixture {
 public:
  void SetUp(const benchmark::State&) override {
    folder = fs::temp_directory_path() / "vael-chapter-bench";
    fs::create_directories(folder);
    textPath = (folder / "large.vel").string();
    compiledPath = (folder / "large.qch").string();
    std::ofstream(textPath, std::ios::binary) << LargeChapterText();
  }
  void TearDown(const benchmark::State&) override {
    std::error_code error;
    fs::remove_all(folder, error);
  }

  fs::path folder;
  std::string textPath, compiledPath;
};

BENCHMARK_F(LargeChapter, AnalyseAndCompile)(benchmark::State& state) {
  vael::TVaelChapter chapter;
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove(compiledPath);
    state.ResumeTiming();
    chapter.Load(textPath);
  }
  if (!chapter.loaded) state.SkipWithError(chapter.errorText.c_str());
  int structures = 0;
  for (int count : chapter.structureTypeCounts) structures += count;
  state.counters["structures"] = structures;
  state.counters["consonantElements"] = chapter.consonantElementCount;
}

// Only a load from the compiled chapter moves the gauge to its end.
class CompiledLoadSeen : public vael::LoadProgress {
 public:
  void StepProgress() override {}
  void SetProgressPosition(int position) override { seen = position == vael::kProgressSteps; }
  bool seen = false;
};

BENCHMARK_F(LargeChapter, LoadCompiled)(benchmark::State& state) {
  vael::TVaelChapter chapter;
  chapter.Load(textPath);
  if (!fs::exists(compiledPath)) {
    state.SkipWithError("the chapter was not compiled");
    return;
  }
  state.counters["compiledBytes"] = static_cast<double>(fs::file_size(compiledPath));
  CompiledLoadSeen progress;
  vael::TVaelChapter reader(&progress);
  for (auto _ : state) reader.Load(textPath);
  if (!reader.loaded || !progress.seen) state.SkipWithError("not loaded from the compiled chapter");
}

}  // namespace
