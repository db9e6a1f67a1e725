// Every chapter that loads must give a non-empty name for every request,
// after a bounded amount of work. A watchdog thread ends the whole run if one
// call takes longer than a generous bound, naming the chapter and request,
// since a call that never returns cannot be failed from inside.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

#include "ChapterCorpus.h"
#include "core/Vael.h"
#include "support/TestSupport.h"

namespace vael {
namespace {

using Clock = std::chrono::steady_clock;

// Sanitizer builds run several times slower; the bound stays generous there.
constexpr auto kCallBound = std::chrono::seconds(20);

class Watchdog {
 public:
  Watchdog() : thread_([this] { Watch(); }) {}
  ~Watchdog() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }
  void Begin(std::string what) {
    std::lock_guard<std::mutex> lock(mutex_);
    what_ = std::move(what);
    started_ = Clock::now();
    busy_ = true;
  }
  void End() {
    std::lock_guard<std::mutex> lock(mutex_);
    busy_ = false;
  }

 private:
  void Watch() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stop_) {
      wake_.wait_for(lock, std::chrono::milliseconds(200));
      if (busy_ && Clock::now() - started_ > kCallBound) {
        std::fprintf(stderr, "GenerateName did not return within the bound: %s\n", what_.c_str());
        std::fflush(stderr);
        std::_Exit(3);
      }
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;
  bool busy_ = false;
  std::string what_;
  Clock::time_point started_;
  std::thread thread_;
};

TEST(GenerationTermination, EveryRequestOnEveryCorpusChapterEnds) {
  auto chapters = test::CollectCorpusChapters();
  test::TempDir dir;
  test::WorkingFolder cwd(dir.path());  // logged calls write their log here
  Watchdog watchdog;
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
          watchdog.Begin(what);
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
