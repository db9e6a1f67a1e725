// Every sample chapter, many seeds and option sets: names are never empty,
// pieces begin with the requested initial letter, and every accepted piece
// passes screening at the val level the log shows in force.

#include "GenerationFixture.h"
#include "LogChecker.h"

namespace vael::test {
namespace {

std::vector<GenerationOptions> OptionSets(const TVaelChapter& chapter) {
  const int val = chapter.valLevel;
  return {
      // Nothing but slot counts: any initial letter of the samples is reachable.
      Options(0, val, false, false, false, false),
      Options(chapter.fitLevel, val, chapter.structGen, chapter.statGen, chapter.prefixOption,
              chapter.suffixOption),
      Options(3, val, true, true, true, true),
      Options(1, 2, true, false, false, true),
      Options(2, -1, false, true, true, false),
  };
}

TEST(GenerationProperties, EverySampleChapterGivesScreenedNamesWithTheirInitialLetter) {
  TempDir dir;
  WorkingFolder folder(dir.path());
  int chapters = 0;
  for (const auto& path : SampleChapters()) {
    auto chapter = LoadCopy(dir, path);
    if (!chapter->loaded) {
      std::cout << "not loaded, skipped: " << path << ": " << chapter->errorText << "\n";
      continue;
    }
    ++chapters;
    const std::string letters = "*" + chapter->initialLetters.substr(0, 6);
    const auto optionSets = OptionSets(*chapter);
    for (std::uint32_t seed = 1; seed <= 2; ++seed) {
      SeedRandom(*chapter, seed);
      for (std::size_t set = 0; set < optionSets.size(); ++set) {
        for (char letter : letters) {
          SCOPED_TRACE(path.filename().string() + " seed " + std::to_string(seed) + " set " +
                       std::to_string(set) + " letter " + letter);
          GenerationOptions options = optionSets[set];
          options.initialLetter = letter;
          options.log = true;
          const std::string name = GenerateName(*chapter, options);
          ASSERT_FALSE(name.empty());
          const LogSummary summary = CheckLog(*chapter, options, ReadFile("!vel_log.txt"));
          EXPECT_EQ(summary.finalName, name);
          ASSERT_FALSE(summary.acceptedPieces.empty());
          if (letter == '*') continue;
          // The first group can always begin with an initial of the samples
          // when only slot counts restrict it; later groups may be of the
          // other kind and give the letter up.
          if (set == 0) {
            EXPECT_FALSE(summary.withoutInitialLetter[0]);
          }
          for (std::size_t i = 0; i < summary.acceptedPieces.size(); ++i) {
            if (!summary.withoutInitialLetter[i]) {
              EXPECT_EQ(summary.acceptedPieces[i][0], letter) << summary.acceptedPieces[i];
            }
          }
          options.log = false;
          for (int i = 0; i < 3; ++i) EXPECT_FALSE(GenerateName(*chapter, options).empty());
        }
      }
    }
  }
  EXPECT_GT(chapters, 0);
}

}  // namespace
}  // namespace vael::test
