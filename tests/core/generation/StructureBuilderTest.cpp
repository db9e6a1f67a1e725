#include <regex>
#include <set>
#include <string>

#include "GenerationFixture.h"
#include "core/generation/StructureBuilder.h"

namespace vael::test {
namespace {

ChapterDraft Samples(std::vector<std::string> names, std::string genopt = "") {
  ChapterDraft draft;
  draft.names = std::move(names);
  draft.genopt = std::move(genopt);
  return draft;
}

// Builder calls for a group that allows every type, the way the driver
// prepares a '#' group.
struct Builder {
  explicit Builder(TVaelChapter& c, std::uint32_t seed = 1) : chapter(c) {
    chapter.allowedTypeWeights = chapter.structureTypeCounts;
    SeedRandom(chapter, seed);
  }
  std::string Build(int fit, bool structural, bool statistical, bool prefixes, bool suffixes,
                    char letter = '*', bool log = false) {
    return BuildCandidate(chapter, fit, 0, structural, statistical, prefixes, suffixes, letter,
                          log);
  }
  // Pieces of `count` successful calls (failed calls are retried).
  std::set<std::string> Pieces(int count, int fit, bool structural = false, bool prefixes = false,
                               bool suffixes = false) {
    std::set<std::string> pieces;
    for (int i = 0; i < count;) {
      std::string piece = Build(fit, structural, false, prefixes, suffixes);
      if (!piece.empty()) {
        pieces.insert(piece);
        ++i;
      }
    }
    return pieces;
  }
  TVaelChapter& chapter;
};

// The builder's own records for calls made while `body` runs.
template <typename Body>
std::string CaptureLog(const TempDir& dir, TVaelChapter& chapter, Body body) {
  const std::string path = dir.File("builder.log");
  chapter.logFile.open(path, std::ios::binary | std::ios::trunc);
  body();
  chapter.logFile.close();
  return ReadFile(path);
}

int Count(const std::string& text, const std::string& what) {
  int count = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

TEST(StructureBuilder, RelaxesOneOptionEveryFifthRetry) {
  TempDir dir;
  // No element begins with Z, so every call on a structure fails at position 0.
  auto chapter = LoadWritten(dir, Samples({"KALADOR", "BERUNAT", "MIRONEL"}));
  ASSERT_TRUE(chapter->loaded) << chapter->errorText;
  Builder builder(*chapter);
  std::string log = CaptureLog(dir, *chapter, [&] {
    for (int call = 0; call <= 30; ++call) {
      EXPECT_EQ(builder.Build(1, false, false, true, true, 'Z', true), "");
      const int retry = chapter->retryCount;
      EXPECT_EQ(retry, call);
      EXPECT_EQ(chapter->keepPrefixes, retry < 5) << retry;
      EXPECT_EQ(chapter->keepSuffixes, retry < 10) << retry;
      EXPECT_EQ(chapter->keepFit1, retry < 15) << retry;
      EXPECT_FALSE(chapter->keepFit2);
      EXPECT_FALSE(chapter->keepFit3);
    }
  });
  EXPECT_EQ(Count(log, "\r\nStructure:\t"), 1);
  const auto prefix = log.find("Dropped \"Prefix\".\r\n\r\n");
  const auto suffix = log.find("Dropped \"Suffix\".\r\n\r\n");
  const auto fit0 = log.find("Changed \"Fit lvl\" to 0.\r\n\r\n");
  ASSERT_NE(fit0, std::string::npos);
  EXPECT_LT(prefix, suffix);
  EXPECT_LT(suffix, fit0);
  EXPECT_EQ(Count(log, "Changed \"Fit lvl\""), 1);
  // Prefixes are in force for the first five calls: their failure is the start pair's.
  EXPECT_EQ(Count(log, "!PRE/NOOPT\r\n\r\n"), 5);
}

TEST(StructureBuilder, FitThreeRelaxesThroughEveryLevel) {
  TempDir dir;
  auto chapter = LoadWritten(dir, Samples({"KALADOR", "BERUNAT"}));
  Builder builder(*chapter);
  std::string log = CaptureLog(dir, *chapter, [&] {
    for (int call = 0; call <= 40; ++call) builder.Build(3, false, false, true, true, 'Z', true);
  });
  const std::vector<std::string> order{"Changed \"Fit lvl\" to 2.", "Dropped \"Prefix\".",
                                       "Dropped \"Suffix\".", "Changed \"Fit lvl\" to 1.",
                                       "Changed \"Fit lvl\" to 0."};
  std::size_t at = 0;
  for (const auto& record : order) {
    at = log.find(record + "\r\n\r\n", at);
    ASSERT_NE(at, std::string::npos) << record;
  }
}

TEST(StructureBuilder, RetriesOnOneStructureAreBounded) {
  TempDir dir;
  auto chapter = LoadWritten(dir, Samples({"KALA", "TORO"}));
  Builder builder(*chapter);
  std::string log = CaptureLog(dir, *chapter, [&] {
    builder.Build(0, false, false, false, false, 'Z', true);
    chapter->retryCount = kStructureRetryCap - 2;
    builder.Build(0, false, false, false, false, 'Z', true);
    EXPECT_EQ(chapter->retryCount, kStructureRetryCap - 1);
    builder.Build(0, false, false, false, false, 'Z', true);
  });
  EXPECT_EQ(chapter->retryCount, 0);
  EXPECT_EQ(Count(log, "Dropped \"Structure\".\r\n\r\n"), 1);
  EXPECT_EQ(Count(log, "\r\nStructure:\t"), 2);
}

TEST(StructureBuilder, ConsonantalYFailsTheCallThatChoosesTheStructure) {
  TempDir dir;
  auto chapter = LoadWritten(dir, Samples({"YARA", "YOLAN", "YSKA"}, "Y:CON"));
  ASSERT_TRUE(chapter->loaded) << chapter->errorText;
  Builder builder(*chapter);
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(builder.Build(0, false, false, false, false, 'Y'), "");
    EXPECT_FALSE(chapter->newStructure);
    const std::string piece = builder.Build(0, false, false, false, false, 'Y');
    ASSERT_FALSE(piece.empty());
    EXPECT_EQ(piece[0], 'Y');
    EXPECT_EQ(chapter->currentType % 2, 0);  // Y:CON: a consonant begins the structure
  }
}

TEST(StructureBuilder, VowelYChoosesOnlyStructuresThatBeginWithAVowel) {
  TempDir dir;
  auto chapter = LoadWritten(dir, Samples({"YLVA", "KARA", "ANNA"}));
  Builder builder(*chapter);
  for (int i = 0; i < 30; ++i) {
    const std::string piece = builder.Build(0, false, false, false, false, 'Y');
    EXPECT_EQ(chapter->currentType % 2, 1);
    if (!piece.empty()) {
      EXPECT_EQ(piece[0], 'Y');
    }
  }
}

TEST(StructureBuilder, PairsOpenAndCloseLongStructures) {
  TempDir dir;
  auto chapter = LoadWritten(dir, Samples({"KALADOR", "BERUNAT", "MIRONEL"}));
  Builder builder(*chapter);
  for (const std::string& piece : builder.Pieces(200, 0, false, true, true)) {
    const std::string start = piece.substr(0, 2), end = piece.substr(piece.size() - 2);
    EXPECT_TRUE(start == "KA" || start == "BE" || start == "MI") << piece;
    EXPECT_TRUE(end == "OR" || end == "AT" || end == "EL") << piece;
  }
  // Without pairs the elements mix freely.
  bool mixed = false;
  for (const std::string& piece : builder.Pieces(200, 0)) {
    const std::string start = piece.substr(0, 2);
    mixed |= start != "KA" && start != "BE" && start != "MI";
  }
  EXPECT_TRUE(mixed);
}

TEST(StructureBuilder, ShortStructuresUseNoStartPairs) {
  TempDir dir;
  // Type 4 (four elements) may close with an end pair but never opens with a start pair.
  auto chapter = LoadWritten(dir, Samples({"KALA", "TORO"}));
  Builder builder(*chapter);
  std::string log = CaptureLog(dir, *chapter, [&] {
    for (int i = 0; i < 20; ++i) builder.Build(0, false, false, true, true, '*', true);
  });
  // A pair line ends ": FIRST.SECOND \r\n"; the one pair of each call closes it.
  const std::regex pairLine(": [^ .\r\n]+\\.[^ \r\n]+ \r\n");
  EXPECT_EQ(
      std::distance(std::sregex_iterator(log.begin(), log.end(), pairLine), std::sregex_iterator()),
      20);
  const std::regex closingPair(": [^ .\r\n]+\\.[^ \r\n]+ \r\n\r\n-> ");
  EXPECT_EQ(std::distance(std::sregex_iterator(log.begin(), log.end(), closingPair),
                          std::sregex_iterator()),
            20);
  EXPECT_EQ(Count(log, "\r\nStructure:\t4\r\n\r\n"), 20);
}

TEST(StructureBuilder, FitLevelsFollowTheNeighbourhoodTables) {
  TempDir dir;
  // Fit 1: vowel after consonant and consonant after vowel.
  auto first = LoadWritten(dir, Samples({"KALA", "TORO"}), "a.vel");
  Builder one(*first);
  EXPECT_EQ(one.Pieces(100, 1), (std::set<std::string>{"KALA", "TORO"}));
  EXPECT_GT(one.Pieces(200, 0).size(), 2u);
  // Fit 2 adds the consonants on both sides of a vowel.
  auto second = LoadWritten(dir, Samples({"KALO", "TARE"}), "b.vel");
  Builder two(*second);
  EXPECT_EQ(two.Pieces(100, 2), (std::set<std::string>{"KALO", "TARE"}));
  EXPECT_GT(two.Pieces(200, 1).size(), 2u);
  // Fit 3 adds the vowels on both sides of a consonant.
  auto third = LoadWritten(dir, Samples({"KALO", "TILE"}), "c.vel");
  Builder three(*third);
  EXPECT_EQ(three.Pieces(100, 3), (std::set<std::string>{"KALO", "TILE"}));
  EXPECT_GT(three.Pieces(200, 2).size(), 2u);
}

TEST(StructureBuilder, StructuralKeepsTheLetterCountsOfTheSamples) {
  TempDir dir;
  auto chapter = LoadWritten(dir, Samples({"STRALA", "KOBIN", "ARREK", "SAALO"}));
  Builder builder(*chapter);
  // Variants: 3111 and 1211 (type 4), 1211 (type 5), 11111 (type 6).
  for (const std::string& piece : builder.Pieces(200, 0, true)) {
    EXPECT_TRUE(piece.size() == 6 || piece.size() == 5) << piece;
    if (piece.size() == 6) {
      EXPECT_EQ(piece.substr(0, 3), "STR") << piece;
    }
  }
  // Without the variants, STR meets AA (STRAALA).
  bool longer = false;
  for (const std::string& piece : builder.Pieces(300, 0)) longer |= piece.size() > 6;
  EXPECT_TRUE(longer);
}

TEST(StructureBuilder, SoftAndSpecialConsonantsAreSpelledOut) {
  TempDir dir;
  ChapterDraft draft = Samples({"THANGA", "THONGO", "\xC7HANGO"});
  draft.extraTags.push_back("SPCCON \"<NG> SOFT\";");
  auto chapter = LoadWritten(dir, draft);
  ASSERT_TRUE(chapter->loaded) << chapter->errorText;
  Builder builder(*chapter);
  for (const std::string& piece : builder.Pieces(100, 0)) {
    EXPECT_TRUE(piece.starts_with("TH") || piece.starts_with("\xC7H")) << piece;
    EXPECT_NE(piece.find("NG"), std::string::npos) << piece;
    EXPECT_EQ(piece, ToUpper(piece));
    EXPECT_EQ(piece.find_first_of("0123456789"), std::string::npos) << piece;
  }
}

TEST(StructureBuilder, InitialLetterOfASpecialConsonantIsItsSpelling) {
  TempDir dir;
  ChapterDraft draft = Samples({"SHALA", "SHORO", "KALA"});
  draft.extraTags.push_back("SPCCON \"<SH>\";");
  auto chapter = LoadWritten(dir, draft);
  Builder builder(*chapter);
  for (int i = 0; i < 50; ++i) {
    const std::string piece = builder.Build(0, false, false, false, false, 'S');
    if (!piece.empty()) {
      EXPECT_TRUE(piece.starts_with("SH")) << piece;
    }
  }
  // A start pair compares the coded text, whose first character is a digit.
  ChapterDraft longer = Samples({"SHALADOR", "SHORONEL"});
  longer.extraTags.push_back("SPCCON \"<SH>\";");
  auto pairs = LoadWritten(dir, longer, "pairs.vel");
  Builder pairBuilder(*pairs);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(pairBuilder.Build(0, false, false, true, false, 'S'), "");
}

TEST(StructureBuilder, NothingToDrawFailsWithoutLooping) {
  TempDir dir;
  auto chapter = LoadWritten(dir, Samples({"KALA"}));
  Builder builder(*chapter);
  chapter->allowedTypeWeights.fill(0);
  EXPECT_EQ(builder.Build(0, false, false, false, false), "");
  EXPECT_TRUE(chapter->newStructure);
}

}  // namespace
}  // namespace vael::test
