#include <regex>
#include <set>
#include <string>

#include "GenerationFixture.h"
#include "core/generation/NameDriver.h"
#include "core/random/WeightedDraw.h"

namespace vael::test {
namespace {

ChapterDraft Samples(std::vector<std::string> names, std::string templates = "",
                    std::string genopt = "") {
  ChapterDraft draft;
  draft.names = std::move(names);
  draft.genopt = std::move(genopt);
  if (!templates.empty()) draft.extraTags.push_back("TEMPLATES " + templates + ";");
  return draft;
}

int Count(const std::string& text, const std::string& what) {
  int count = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

// One chapter in a temporary working folder, so that logs land there.
class Driver : public ::testing::Test {
 protected:
  void Load(const ChapterDraft& draft, std::uint32_t seed = 3) {
    chapter_ = LoadWritten(dir_, draft);
    ASSERT_TRUE(chapter_->loaded) << chapter_->errorText;
    SeedRandom(*chapter_, seed);
  }
  std::string Generate(GenerationOptions options) { return GenerateName(*chapter_, options); }
  // One logged name; its log in `log`.
  std::string GenerateLogged(GenerationOptions options, std::string& log) {
    options.log = true;
    std::string name = GenerateName(*chapter_, options);
    log = ReadFile(dir_.File(kLogName));
    return name;
  }
  std::string TemplateOf(const std::string& log) {
    const auto start = log.find("TEMPLATE:\t") + 10;
    return log.substr(start, log.find("\r\n", start) - start);
  }

  static constexpr const char* kLogName = "!vel_log.txt";
  TempDir dir_;
  WorkingFolder folder_{dir_.path()};
  std::unique_ptr<TVaelChapter> chapter_;
};

TEST_F(Driver, UnloadedChapterGivesNothingAndWritesNothing) {
  TVaelChapter chapter;
  EXPECT_EQ(GenerateName(chapter, Options(3, 2, true, true, true, true, 'K', true)), "");
  EXPECT_EQ(chapter.historyCount, 0);
  EXPECT_FALSE(std::filesystem::exists(dir_.File(kLogName)));
}

TEST_F(Driver, TemplateMustSuitTheInitialLetter) {
  Load(Samples({"KAL", "TOR", "ARN", "ELK", "KALA"}, "\"2|4\" \"3\" \"#\""));
  std::set<std::string> seen;
  for (int i = 0; i < 40; ++i) {
    std::string log;
    const std::string name = GenerateLogged(Options(0, 0, false, false, false, false, 'A'), log);
    seen.insert(TemplateOf(log));
    EXPECT_EQ(name[0], 'A') << name;
  }
  EXPECT_EQ(seen, (std::set<std::string>{"3", "#"}));
}

TEST_F(Driver, ConsonantalYFindsTemplatesThatBeginWithAConsonant) {
  Load(Samples({"YARA", "YOLAN", "ANNA", "KORA"}, "", "Y:CON"));
  for (int i = 0; i < 20; ++i) {
    std::string log;
    const std::string name = GenerateLogged(Options(0, 0, false, false, false, false, 'Y'), log);
    EXPECT_EQ(name[0], 'Y') << name;
    EXPECT_EQ(log.find("Dropped"), std::string::npos);
  }
  // A first group that lists a consonant type after a vowel type ("3|2") can
  // begin with Y too.
  Load(Samples({"YARAN", "YORIK", "ABAR", "ODAN", "BAR", "ELDA"}, "\"3|2\"", "Y:CON"));
  for (int i = 0; i < 20; ++i) {
    std::string log;
    const std::string name = GenerateLogged(Options(0, 0, false, false, false, false, 'Y'), log);
    EXPECT_EQ(name[0], 'Y') << name;
    EXPECT_EQ(log.find("Dropped"), std::string::npos) << log;
  }
}

TEST_F(Driver, SemiConsonantalYStillTakesVowelTemplatesOnly) {
  // Under Y:SEMI a Y is judged by the letter classes, as a vowel: only the
  // template whose first type begins with a vowel is offered.
  Load(Samples({"YARA", "YOLAN", "ANNA", "KORA", "ARKAN"}, "\"2\" \"3\"", "Y:SEMI"));
  for (int i = 0; i < 20; ++i) {
    std::string log;
    GenerateLogged(Options(0, 0, false, false, false, false, 'Y'), log);
    EXPECT_EQ(TemplateOf(log), "3");
  }
}

TEST_F(Driver, DigitsPastSixtyThreeStartANewGroup) {
  // 70 reads as 63 (no structures: every type but 63 is allowed) and then 0.
  Load(Samples({"KA", "KALA"}, "\"70\""));
  for (int i = 0; i < 10; ++i) {
    std::string log;
    GenerateLogged(Options(0, 0, false, false, false, false), log);
    const auto second = log.find("\r\nStructure:\t", log.find("\r\nStructure:\t") + 1);
    ASSERT_NE(second, std::string::npos) << log;
    EXPECT_EQ(log.substr(second, 16), "\r\nStructure:\t0\r\n");
  }
  // 63 itself is one group (type 63 falls back to the types 0 and 4 of the
  // samples); 64 is a type-63 group followed by a type-4 group.
  Load(Samples({"KA", "KALA"}, "\"63\""));
  for (int i = 0; i < 20; ++i) {
    const std::string name = Generate(Options(0, 0, false, false, false, false));
    EXPECT_TRUE(std::regex_match(name, std::regex("[KL]a([kl]a)?"))) << name;
  }
  Load(Samples({"KA", "KALA"}, "\"64\""));
  for (int i = 0; i < 20; ++i) {
    const std::string name = Generate(Options(0, 0, false, false, false, false));
    EXPECT_TRUE(std::regex_match(name, std::regex("[KL]a([kl]a)?[kl]a[kl]a"))) << name;
  }
}

TEST_F(Driver, LiteralRepeatingTheLastLetterIsNotDoubled) {
  Load(Samples({"AH", "OH", "UH"}, "\"1h\" \"1a\""));
  for (int i = 0; i < 30; ++i) {
    const std::string name = Generate(Options(0, 0, false, false, false, false));
    EXPECT_TRUE(std::regex_match(name, std::regex("[AOU]h(a)?"))) << name;
  }
}

TEST_F(Driver, UnderscoreJoinsWordsAndSpaceKeepsThemApart) {
  Load(Samples({"KAL", "DOR", "MIN"}, "\"2_2\""));
  for (int i = 0; i < 20; ++i) {
    const std::string name = Generate(Options(0, 0, false, false, false, false));
    EXPECT_TRUE(std::regex_match(name, std::regex("[KDM][aoi][lrn][KDM][aoi][lrn]"))) << name;
  }
  Load(Samples({"KAL", "DOR", "MIN"}, "\"2 2\""));
  for (int i = 0; i < 20; ++i) {
    const std::string name = Generate(Options(0, 0, false, false, false, false));
    EXPECT_TRUE(std::regex_match(name, std::regex("[KDM][aoi][lrn] [KDM][aoi][lrn]"))) << name;
  }
}

TEST_F(Driver, EveryGroupBeginsWithTheInitialLetter) {
  Load(Samples({"KAL", "TOR", "KALA", "TORA"}, "\"2 4\""));
  for (int i = 0; i < 20; ++i) {
    const std::string name = Generate(Options(0, 0, false, false, false, false, 'K'));
    EXPECT_TRUE(std::regex_match(name, std::regex("K[a-z]+ K[a-z]+"))) << name;
  }
}

TEST_F(Driver, RejectionsLowerTheValLevelStepByStep) {
  // The only piece repeats a four-letter sequence.
  Load(Samples({"KAKAKAKAKA"}));
  std::string log;
  EXPECT_EQ(GenerateLogged(Options(0, 2, false, false, false, false), log), "Kakakakaka");
  const std::string fail = "\r\nFail: !REP\r\n\r\n";
  std::string expected;
  for (int i = 0; i < 5; ++i) expected += fail;
  expected += "Changed \"Val lvl\" to 1.\r\n\r\n" + expected + "Changed \"Val lvl\" to 0.\r\n\r\n";
  std::string records;
  const std::regex record("\r\nFail: !REP\r\n\r\n|Changed \"Val lvl\" to \\d.\r\n\r\n");
  for (std::sregex_iterator it(log.begin(), log.end(), record), end; it != end; ++it)
    records += it->str();
  EXPECT_EQ(records, expected);
  // The level change follows the builder's result record directly.
  EXPECT_TRUE(log.ends_with(
      "-> KAKAKAKAKA -> KAKAKAKAKAChanged \"Val lvl\" to 0.\r\n\r\n\r\n\r\n-> Kakakakaka"));
}

TEST_F(Driver, NegativeValLevelGivesUpScreeningAfterManyRejections) {
  Load(Samples({"KAKAKAKAKA"}));
  std::string log;
  EXPECT_EQ(GenerateLogged(Options(0, -1, false, false, false, false), log), "Kakakakaka");
  EXPECT_EQ(Count(log, "Fail: !REP"), 1000);
  EXPECT_EQ(Count(log, "Changed \"Val lvl\" to 0.\r\n\r\n"), 1);
}

TEST_F(Driver, HistoryConflictsAreRejectedFiveTimesThenIgnored) {
  Load(Samples({"KALA"}));
  EXPECT_EQ(Generate(Options(0, 0, false, false, false, false)), "Kala");
  std::string log;
  EXPECT_EQ(GenerateLogged(Options(0, 0, false, false, false, false), log), "Kala");
  EXPECT_EQ(Count(log, "Fail: !HIST\r\n\r\n"), 5);
  EXPECT_EQ(Count(log, "Ignored history conflict.\r\n\r\n"), 1);
  EXPECT_TRUE(log.ends_with("Ignored history conflict.\r\n\r\n\r\n-> Kala"));
  // Above level 0 the pass after the fifth conflict lowers the level and
  // clears the count, so five more conflicts are rejected.
  EXPECT_EQ(GenerateLogged(Options(0, 1, false, false, false, false), log), "Kala");
  EXPECT_EQ(Count(log, "Fail: !HIST\r\n\r\n"), 10);
  EXPECT_EQ(Count(log, "Changed \"Val lvl\" to 0.\r\n\r\n"), 1);
  EXPECT_EQ(Count(log, "Ignored history conflict."), 1);
  EXPECT_EQ(chapter_->historyCount, 3);
}

// Every name of a one-sample chapter is the same, so each one conflicts with
// the history however often the ring has been overwritten, and none does
// with the history of an earlier load.
TEST_F(Driver, HistoryConflictsSurviveTheRingWrappingAndEndWithALoad) {
  Load(Samples({"KALA"}));
  const GenerationOptions options = Options(0, 0, false, false, false, false);
  for (int i = 0; i < 250; ++i) ASSERT_EQ(Generate(options), "Kala");
  std::string log;
  GenerateLogged(options, log);
  EXPECT_EQ(Count(log, "Fail: !HIST\r\n\r\n"), 5);
  Load(Samples({"KALA"}));
  GenerateLogged(options, log);
  EXPECT_EQ(Count(log, "!HIST"), 0);
  GenerateLogged(options, log);
  EXPECT_EQ(Count(log, "Fail: !HIST\r\n\r\n"), 5);
}

TEST_F(Driver, HistoryKeepsTheLastHundredNames) {
  Load(Samples({"KALADOR", "BERUNAT", "MIRONEL", "TAVISH", "OLWEN", "ARKADY"}));
  EXPECT_EQ(HistoryEntry(*chapter_, 0), "");
  std::vector<std::string> names;
  for (int i = 0; i < 101; ++i)
    names.push_back(Generate(Options(0, 0, false, false, false, false)));
  EXPECT_EQ(chapter_->historyCount, 100);
  EXPECT_EQ(chapter_->historyNext, 1);
  EXPECT_EQ(chapter_->history[0], names[100]);
  EXPECT_EQ(HistoryEntry(*chapter_, 0), names[100]);
  EXPECT_EQ(HistoryEntry(*chapter_, 1), names[99]);
  EXPECT_EQ(HistoryEntry(*chapter_, 99), names[1]);
  EXPECT_EQ(HistoryEntry(*chapter_, 100), "");
  EXPECT_EQ(HistoryEntry(*chapter_, -1), "");
  // A new load starts a fresh history.
  Load(Samples({"KALA"}));
  EXPECT_EQ(HistoryEntry(*chapter_, 0), "");
}

TEST_F(Driver, InitialLetterNoTemplateCanBeginWithIsGivenUp) {
  Load(Samples({"KALA", "TORO"}));
  std::string log;
  const std::string name = GenerateLogged(Options(0, 0, false, false, false, false, 'A'), log);
  EXPECT_FALSE(name.empty());
  EXPECT_TRUE(
      log.starts_with("Vael log file\r\n\r\nTEMPLATE:\t4\r\nDropped \"Initial letter\".\r\n\r\n"));
}

TEST_F(Driver, LaterGroupOfTheOtherKindDropsTheLetterForItselfOnly) {
  Load(Samples({"KAL", "TOR", "ARA", "ELO"}, "\"2 3\""));
  for (int i = 0; i < 10; ++i) {
    std::string log;
    const std::string name = GenerateLogged(Options(0, 0, false, false, false, false, 'K'), log);
    EXPECT_TRUE(std::regex_match(name, std::regex("K[a-z]+ [AE][a-z]+"))) << name;
    EXPECT_LE(Count(log, "Dropped \"Initial letter\".\r\n\r\n"), 1);
  }
}

TEST_F(Driver, UnreachableInitialLetterEndsAfterBoundedRetries) {
  // Z is a consonant, so templates and types accept it, but no element begins with it.
  Load(Samples({"KALA", "TORO"}));
  std::string log;
  const std::string name = GenerateLogged(Options(2, 0, true, true, true, true, 'Z'), log);
  EXPECT_TRUE(std::regex_match(name, std::regex("(Kala|Kalo|Kora|Koro|Tala|Talo|Tora|Toro)")))
      << name;
  EXPECT_GE(Count(log, "Dropped \"Structure\".\r\n\r\n"), 1);
  EXPECT_EQ(Count(log, "Dropped \"Initial letter\".\r\n\r\n"), 1);
}

TEST_F(Driver, TemplateWeightsThatAddUpToNothingStillDraw) {
  Load(Samples({"KALA", "KAL"}, "\"4:-3\" \"2:-1\""));
  ASSERT_EQ(chapter_->templateWeights, (std::vector<int>{-3, -1}));
  std::set<std::size_t> lengths;
  for (int i = 0; i < 40; ++i)
    lengths.insert(Generate(Options(0, 0, false, false, false, false)).size());
  EXPECT_EQ(lengths, (std::set<std::size_t>{3, 4}));
}

TEST_F(Driver, TemplateOfUnderscoresAloneIsReplaced) {
  Load(Samples({"KALA"}, "\"__\""));
  std::string log;
  EXPECT_EQ(GenerateLogged(Options(0, 0, false, false, false, false), log), "Kala");
  EXPECT_NE(log.find("TEMPLATE:\t__\r\nDropped \"Template\".\r\n\r\n"), std::string::npos) << log;
}

TEST_F(Driver, UnloggedCallsLeaveTheLastLogAlone) {
  Load(Samples({"KALADOR", "BERUNAT"}));
  std::string log;
  GenerateLogged(Options(0, 0, false, false, false, false), log);
  for (int i = 0; i < 5; ++i) Generate(Options(0, 0, false, false, false, false));
  EXPECT_EQ(ReadFile(dir_.File(kLogName)), log);
}

TEST_F(Driver, LogThatCannotBeCreatedChangesNothing) {
  Load(Samples({"KALADOR", "BERUNAT"}), 11);
  std::filesystem::create_directory(dir_.File(kLogName));
  const std::string name = Generate(Options(0, 0, false, false, false, false, '*', true));
  Load(Samples({"KALADOR", "BERUNAT"}), 11);
  EXPECT_EQ(Generate(Options(0, 0, false, false, false, false)), name);
}

TEST(RandomDraws, WeightedDrawStaysInRange) {
  MersenneTwister32 random(5);
  const std::vector<int> none{0, 0, 0}, negative{-2, -1}, mixed{-5, 3, 4}, single{0, 7, 0};
  EXPECT_EQ(WeightedDraw(random, none), -1);
  EXPECT_EQ(WeightedDraw(random, negative), -1);
  EXPECT_EQ(WeightedDraw(random, std::span<const int>()), -1);
  for (int i = 0; i < 200; ++i) {
    EXPECT_EQ(WeightedDraw(random, single), 1);
    EXPECT_EQ(WeightedDraw(random, mixed), 2);  // running sums -5, -2, 2 over r in {0, 1}
  }
  EXPECT_EQ(RandomBelow(random, 0), 0);
  EXPECT_EQ(RandomBelow(random, -4), 0);
  const std::vector<int> big{2'000'000'000, 2'000'000'000};
  for (int i = 0; i < 50; ++i) EXPECT_GE(WeightedDraw(random, big), 0);
}

// Without accents the words are capitalised where they stand and the
// underscores closed up afterwards; with them each word is rewritten on its
// own. Both must find the same words.
TEST(FinishWords, WordsEndAtSpacesAndUnderscoresInBothPasses) {
  auto chapter = std::make_unique<TVaelChapter>();
  const auto finish = [&](int punctLevel, std::string name) {
    chapter->punctLevel = punctLevel;
    chapter->name = std::move(name);
    FinishWords(*chapter, *chapter);
    return chapter->name;
  };
  for (int level : {0, 2}) {
    EXPECT_EQ(finish(level, "AL_FARZ BEN-ALI"), "AlFarz Ben-Ali") << level;
    EXPECT_EQ(finish(level, "_AB__CD_"), "AbCd") << level;
    EXPECT_EQ(finish(level, " -AB  X"), " -ab  X") << level;
    EXPECT_EQ(finish(level, ""), "") << level;
  }
  // Only the accented pass changes letters: a final E takes the diaeresis.
  EXPECT_EQ(finish(0, "RENE_DE"), "ReneDe");
  EXPECT_EQ(finish(2, "RENE_DE"), "Ren\xEB" "D\xEB");
}

}  // namespace
}  // namespace vael::test
