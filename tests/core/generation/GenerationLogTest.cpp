#include "GenerationFixture.h"
#include "LogChecker.h"

namespace vael::test {
namespace {

const std::string kGoldenChapter = VAEL_TEST_DATA "/generation/golden.vel";

TEST(GenerationLog, OneNameIsLoggedByteForByte) {
  TempDir dir;
  WorkingFolder folder(dir.path());
  auto chapter = LoadCopy(dir, kGoldenChapter);
  ASSERT_TRUE(chapter->loaded) << chapter->errorText;
  SeedRandom(*chapter, 3);
  EXPECT_EQ(GenerateName(*chapter, Options(1, 2, false, false, true, true, '*', true)), "Kalangus");
  EXPECT_EQ(ReadFile("!vel_log.txt"), ReadFile(VAEL_TEST_DATA "/generation/golden-seed3.log"));
}

TEST(GenerationLog, LogThatCannotBeWrittenIsReportedAndChangesNoName) {
  TempDir dir;
  WorkingFolder folder(dir.path());
  auto loggedName = [&](bool& written) {
    auto chapter = LoadCopy(dir, kGoldenChapter);
    SeedRandom(*chapter, 3);
    std::string name = GenerateName(*chapter, Options(1, 2, false, false, true, true, '*', true));
    written = chapter->logWritten;
    return name;
  };
  bool written = false;
  // A folder in the log's place cannot be opened as a file, even by root;
  // a full disk takes the file but none of its records.
  std::filesystem::create_directory("!vel_log.txt");
  EXPECT_EQ(loggedName(written), "Kalangus");
  EXPECT_FALSE(written);
  std::filesystem::remove("!vel_log.txt");
  std::filesystem::create_symlink("/dev/full", "!vel_log.txt");
  EXPECT_EQ(loggedName(written), "Kalangus");
  EXPECT_FALSE(written);
  std::filesystem::remove("!vel_log.txt");
  EXPECT_EQ(loggedName(written), "Kalangus");
  EXPECT_TRUE(written);
}

TEST(GenerationLog, RecordsFollowTheirOrderForManySeedsAndOptions) {
  TempDir dir;
  WorkingFolder folder(dir.path());
  auto chapter = LoadCopy(dir, kGoldenChapter);
  ASSERT_TRUE(chapter->loaded) << chapter->errorText;
  int structureLines = 0, failedCalls = 0;
  for (std::uint32_t seed = 1; seed <= 3; ++seed) {
    SeedRandom(*chapter, seed);
    for (int fit = 0; fit <= 3; ++fit) {
      for (int flags = 0; flags < 16; ++flags) {
        for (char letter : {'*', 'T', 'O'}) {
          const GenerationOptions options =
              Options(fit, seed % 4, flags & 1, flags & 2, flags & 4, flags & 8, letter, true);
          const std::string name = GenerateName(*chapter, options);
          const LogSummary summary = CheckLog(*chapter, options, ReadFile("!vel_log.txt"));
          ASSERT_FALSE(::testing::Test::HasFailure())
              << "seed " << seed << " fit " << fit << " flags " << flags;
          EXPECT_EQ(summary.finalName, name);
          EXPECT_GE(summary.structureLines, 1);
          // A template whose only structures cannot begin with the letter
          // (a variant of other letter counts) gives it up, and says so.
          if (letter != '*' && !summary.droppedInitialLetter) {
            EXPECT_EQ(name[0], letter) << name;
          }
          structureLines += summary.structureLines;
          failedCalls += summary.failedCalls;
        }
      }
    }
  }
  // The runs above go through failing builder calls as well as successes.
  EXPECT_GT(failedCalls, 0);
  EXPECT_GT(structureLines, 3 * 4 * 16 * 3);
}

TEST(GenerationLog, ValLevelIsWrittenByItsFirstCharacter) {
  TempDir dir;
  WorkingFolder folder(dir.path());
  ChapterDraft draft;
  draft.names = {"KAKAKAKAKA"};
  auto chapter = LoadWritten(dir, draft);
  SeedRandom(*chapter, 1);
  GenerateName(*chapter, Options(0, 12, false, false, false, false, '*', true));
  const std::string log = ReadFile("!vel_log.txt");
  EXPECT_NE(log.find("Changed \"Val lvl\" to 1.\r\n\r\n"), std::string::npos);  // 11
  EXPECT_NE(log.find("Changed \"Val lvl\" to 9.\r\n\r\n"), std::string::npos);
  EXPECT_EQ(log.find("Changed \"Val lvl\" to 11"), std::string::npos);
}

}  // namespace
}  // namespace vael::test
