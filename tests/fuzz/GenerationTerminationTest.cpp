// Every chapter that loads must give a non-empty name for every request,
// after a bounded amount of work. A watchdog ends the whole run if one call
// takes longer than a generous bound, naming the chapter and request.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "ChapterCorpus.h"
#include "core/Vael.h"
#include "support/TestSupport.h"
#include "support/Watchdog.h"

namespace vael {
namespace {

using Clock = std::chrono::steady_clock;

TEST(GenerationTermination, EveryRequestOnEveryCorpusChapterEnds) {
  auto chapters = test::CollectCorpusChapters();
  test::TempDir dir;
  test::WorkingFolder cwd(dir.path());  // logged calls write their log here
  test::Watchdog watchdog;
  Clock::duration worst{};
  std::string worstCase;
  int loadedChapters = 0;
  long calls = 0;

  for (std::size_t index = 0; index < chapters.size(); ++index) {
    std::string path = dir.File("chapter" + std::to_string(index) + ".vel");
    test::WriteFile(path, chapters[index].bytes);
    TVaelChapter chapter;
    chapter.Load(path);
    if (!chapter.loaded) continue;
    ++loadedChapters;

    // Any letter, every initial letter of the samples, and two letters the
    // chapter may not be able to begin with at all.
    std::string letters = "*" + chapter.initialLetters + "Y\xC5";
    for (int combination = 0; combination < 64; ++combination) {
      for (char letter : letters) {
        GenerationOptions options;
        options.fit = combination & 3;
        options.structural = combination & 4;
        options.statistical = combination & 8;
        options.prefixes = combination & 16;
        options.suffixes = combination & 32;
        options.val = chapter.valLevel;
        options.initialLetter = letter;
        options.log = (combination == 63);
        SeedRandom(chapter, static_cast<std::uint32_t>(combination * 131 + index));
        std::string what = chapters[index].origin + " combination " +
                           std::to_string(combination) + " letter " + std::string(1, letter);
        for (int repeat = 0; repeat < 2; ++repeat) {
          watchdog.Begin("GenerateName, " + what);
          auto start = Clock::now();
          std::string name = GenerateName(chapter, options);
          auto took = Clock::now() - start;
          watchdog.End();
          ++calls;
          if (took > worst) {
            worst = took;
            worstCase = what;
          }
          ASSERT_FALSE(name.empty()) << what;
        }
      }
    }
  }
  EXPECT_GT(loadedChapters, 0);
  std::printf("[termination] %d chapters, %ld calls, worst call %.3f ms (%s)\n", loadedChapters,
              calls, std::chrono::duration<double, std::milli>(worst).count(), worstCase.c_str());
}

TEST(GenerationTermination, UnloadedChapterGivesNothing) {
  TVaelChapter chapter;
  GenerationOptions options;
  EXPECT_EQ(GenerateName(chapter, options), "");
  EXPECT_EQ(chapter.historyCount, 0);
}

}  // namespace
}  // namespace vael
