// Throughput of screening a piece at the full level and of the word pass
// (accents, harmony and capitals) over typical name words.

#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <string>

#include "core/Vael.h"

namespace {

// Pieces of the lengths the builder produces, some of which fail early.
const std::array<std::string, 8> kPieces{"KALDOR", "EAAN",      "MAARANDIL", "THORIN",
                                         "ABABAB", "SHAAROKAN", "ANAL",      "ELODIENNE"};

std::unique_ptr<vael::TVaelChapter> ScreeningChapter() {
  auto chapter = std::make_unique<vael::TVaelChapter>();
  chapter->minRepeatDistance.fill(3);
  chapter->maxLetterPercent.fill(34);
  chapter->punctLevel = 7;
  return chapter;
}

void BM_CheckCandidateLevel2(benchmark::State& state) {
  auto chapter = ScreeningChapter();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(vael::CheckCandidate(*chapter, kPieces[i++ % kPieces.size()], 2));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CheckCandidateLevel2);

void BM_WordPass(benchmark::State& state) {
  auto chapter = ScreeningChapter();
  std::size_t i = 0;
  for (auto _ : state) {
    std::string word = kPieces[i++ % kPieces.size()];
    vael::AccentWord(*chapter, word);
    vael::CapitaliseWord(*chapter, word);
    benchmark::DoNotOptimize(word);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WordPass);

}  // namespace
