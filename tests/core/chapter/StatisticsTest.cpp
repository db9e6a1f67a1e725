#include <gtest/gtest.h>

#include <numeric>

#include "StatisticsTestChapter.h"
#include "core/Vael.h"

namespace vael {
namespace {

using test::Part;
using test::StartAnalysis;

int Letter(char c) { return NameLetterIndex(c); }
int Con(char c) { return ConsonantIndex(c); }

template <typename Table>
int FlagsSet(const Table& table) {
  int set = 0;
  for (const auto& row : table) set += std::accumulate(row.begin(), row.end(), 0);
  return set;
}

TEST(LetterStatistics, RepeatDistanceIgnoresDoubledLettersAndKeepsTheSmallest) {
  TVaelChapter chapter;
  StartAnalysis(chapter, 3);
  GatherLetterStatistics(chapter, {"ANNA", "ARAXA", "BOB"});
  EXPECT_EQ(chapter.minRepeatDistance[Letter('A')], 2);  // ARAXA beats ANNA's 3
  EXPECT_EQ(chapter.minRepeatDistance[Letter('N')], 255);
  EXPECT_EQ(chapter.minRepeatDistance[Letter('B')], 2);
  EXPECT_EQ(chapter.minRepeatDistance[Letter('O')], 255);

  TVaelChapter anna;
  StartAnalysis(anna, 1);
  GatherLetterStatistics(anna, {"ANNA"});
  EXPECT_EQ(anna.minRepeatDistance[Letter('A')], 3);
}

TEST(LetterStatistics, ShareRoundsHalfUpAndCountsSeparators) {
  TVaelChapter chapter;
  StartAnalysis(chapter, 4);
  GatherLetterStatistics(chapter, {"BO", "ABC", "ABCDEFGH", "ANNA"});
  EXPECT_EQ(chapter.maxLetterPercent[Letter('O')], 50);
  EXPECT_EQ(chapter.maxLetterPercent[Letter('C')], 33);
  EXPECT_EQ(chapter.maxLetterPercent[Letter('H')], 13);  // 12.5 rounds up
  EXPECT_EQ(chapter.maxLetterPercent[Letter('A')], 50);
  EXPECT_EQ(chapter.maxLetterPercent[Letter('Z')], 0);

  TVaelChapter parts;
  StartAnalysis(parts, 1);
  GatherLetterStatistics(parts, {"EL-DA MOR"});  // nine characters with the separators
  EXPECT_EQ(parts.maxLetterPercent[kHyphenLetterIndex], 11);
  EXPECT_EQ(parts.maxLetterPercent[kSpaceLetterIndex], 11);
  EXPECT_EQ(parts.maxLetterPercent[Letter('E')], 11);
}

TEST(StructureTables, PairsKeepFirstAppearanceOrderAndWeights) {
  TVaelChapter chapter;
  StartAnalysis(chapter, 6);
  std::vector<Structure> parts = {
      Part(chapter, {"T", "A", "R", "O", "N"}), Part(chapter, {"T", "A", "L"}),
      Part(chapter, {"E", "L", "A"}),           Part(chapter, {"T", "A"}),
      Part(chapter, {"M", "I", "L", "O", "N"}), Part(chapter, {"A", "RN", "I", "SK", "E"})};
  BuildStructureTables(chapter, parts);

  const int t = 100, a = 0, o = 1, n = 102, l = 103, e = 2, m = 104, i = 3;
  const int rn = 105, sk = 106;
  EXPECT_EQ(chapter.startPairs,
            (std::vector<ElementPair>{{t, a}, {e, l}, {m, i}, {a, rn}}));
  EXPECT_EQ(chapter.startPairWeights, (std::vector<int>{3, 1, 1, 1}));
  EXPECT_EQ(chapter.startPairCount, 4);
  EXPECT_EQ(chapter.endPairs,
            (std::vector<ElementPair>{{o, n}, {a, l}, {l, a}, {t, a}, {sk, e}}));
  EXPECT_EQ(chapter.endPairWeights, (std::vector<int>{2, 1, 1, 1, 1}));
  EXPECT_EQ(chapter.endPairCount, 5);
  ASSERT_EQ(chapter.endPairBefore1.size(), 5u);
  ASSERT_EQ(chapter.endPairBefore2.size(), 5u);

  // Vowel elements are flagged by code, consonant elements by their last letter.
  const auto& before1 = chapter.endPairBefore1;
  const auto& before2 = chapter.endPairBefore2;
  EXPECT_EQ(before1[0][100 + Con('R')], 1);  // TARON
  EXPECT_EQ(before1[0][100 + Con('L')], 1);  // MILON
  EXPECT_EQ(before2[0][a], 1);
  EXPECT_EQ(before2[0][i], 1);
  EXPECT_EQ(before1[1][100 + Con('T')], 1);  // TAL: nothing two places back
  EXPECT_EQ(before1[2][e], 1);               // ELA ends in a consonant-vowel pair
  EXPECT_EQ(before1[4][i], 1);               // ARNISKE
  EXPECT_EQ(before2[4][100 + Con('N')], 1);  // RN ends in N
  EXPECT_EQ(FlagsSet(before1), 5);
  EXPECT_EQ(FlagsSet(before2), 3);           // TA, a two-element part, records nothing
}

TEST(StructureTables, AdjacencyIndexesByTheRightLetters) {
  TVaelChapter chapter;
  StartAnalysis(chapter, 1);
  BuildStructureTables(chapter, {Part(chapter, {"ST", "O", "RN", "E"})});
  const int o = 0, e = 1;
  EXPECT_EQ(chapter.vowelAfterConsonant[o][Con('T')], 1);
  EXPECT_EQ(chapter.vowelAfterConsonant[e][Con('N')], 1);
  EXPECT_EQ(chapter.consonantAfterVowel[Con('R')][o], 1);
  EXPECT_EQ(chapter.consonantAcrossVowel[Con('R')][Con('T')], 1);
  EXPECT_EQ(chapter.vowelAcrossConsonant[e][o], 1);
  EXPECT_EQ(FlagsSet(chapter.vowelAfterConsonant), 2);
  EXPECT_EQ(FlagsSet(chapter.consonantAfterVowel), 1);
  EXPECT_EQ(FlagsSet(chapter.consonantAcrossVowel), 1);
  EXPECT_EQ(FlagsSet(chapter.vowelAcrossConsonant), 1);
}

TEST(StructureTables, SpreadVowelBlocksTheAcrossFlagAndCountsAsZero) {
  TVaelChapter chapter;
  StartAnalysis(chapter, 1);
  chapter.multiVowels = true;
  BuildStructureTables(chapter, {Part(chapter, {"L", "ALA", "N"})});
  EXPECT_EQ(chapter.consonantAfterVowel[Con('N')][0], 1);
  EXPECT_EQ(FlagsSet(chapter.consonantAcrossVowel), 0);
  EXPECT_EQ(chapter.structureVariants[2], (std::vector<std::string>{"101"}));
}

TEST(StructureTables, VariantsMeasureSpecialConsonantsAsSpelled) {
  TVaelChapter chapter;
  StartAnalysis(chapter, 4);
  chapter.specialConsonants[0] = "TH";
  chapter.specialConsonantCount = 1;
  // 0R is TH then R; t is a soft consonant; 5 is a digit written in a name.
  std::vector<Structure> parts = {
      Part(chapter, {"0R", "A", "t"}), Part(chapter, {"0R", "A", "t"}),
      Part(chapter, {"AI", "5"}), Part(chapter, {"K", "OU", "L", "A"})};
  BuildStructureTables(chapter, parts);
  EXPECT_EQ(chapter.structureTypeCounts[2], 2);
  EXPECT_EQ(chapter.structureTypeCounts[1], 1);
  EXPECT_EQ(chapter.structureTypeCounts[4], 1);
  EXPECT_EQ(chapter.structureVariants[2], (std::vector<std::string>{"311"}));
  EXPECT_EQ(chapter.structureVariantWeights[2], (std::vector<int>{2}));
  EXPECT_EQ(chapter.structureVariants[1], (std::vector<std::string>{"21"}));
  EXPECT_EQ(chapter.structureVariants[4], (std::vector<std::string>{"1211"}));
  EXPECT_EQ(chapter.structureVariantCounts[2], 1);
  EXPECT_EQ(chapter.structureVariantCounts[0], 0);
}

TEST(StructureTables, PositionSlotsAlignMiddleElementsOnTheLongestPart) {
  TVaelChapter chapter;
  StartAnalysis(chapter, 3);
  std::vector<Structure> parts = {Part(chapter, {"T", "A", "R", "O", "N"}),
                                  Part(chapter, {"B", "E", "L"}),
                                  Part(chapter, {"I", "S", "U", "K"})};
  BuildStructureTables(chapter, parts);
  ASSERT_EQ(chapter.maxElements, 5);
  auto vowel = [&](int code) { return chapter.vowelPositionCounts[code]; };
  auto consonant = [&](int code) { return chapter.consonantPositionCounts[code - 100]; };
  const int t = 100, a = 0, r = 101, o = 1, n = 102, b = 103, e = 2, l = 104;
  const int i = 3, s = 105, u = 4, k = 106;
  EXPECT_EQ(consonant(t)[0], 1);
  EXPECT_EQ(vowel(a)[1], 2);
  EXPECT_EQ(consonant(r)[1], 2);  // i = 2 of a five-element part: slot 1 twice
  EXPECT_EQ(vowel(o)[2], 2);
  EXPECT_EQ(consonant(n)[4], 1);
  EXPECT_EQ(consonant(b)[0], 1);
  EXPECT_EQ(vowel(e)[1], 1);  // three elements, consonant first: offset 1
  EXPECT_EQ(vowel(e)[2], 1);
  EXPECT_EQ(consonant(l)[4], 1);
  EXPECT_EQ(vowel(i)[0], 1);  // four elements, vowel first: offset (5-4-1)/2 = 0
  EXPECT_EQ(consonant(s)[1], 2);
  EXPECT_EQ(vowel(u)[1], 2);
  EXPECT_EQ(consonant(k)[4], 1);
  EXPECT_EQ(FlagsSet(chapter.vowelPositionCounts) + FlagsSet(chapter.consonantPositionCounts),
            1 + 2 + 2 + 2 + 1 + 1 + 2 + 1 + 1 + 2 + 2 + 1);

  TVaelChapter shuffled;
  StartAnalysis(shuffled, 1);
  shuffled.shuffle = true;
  BuildStructureTables(shuffled, {Part(shuffled, {"T", "A", "R", "O", "N"})});
  EXPECT_EQ(shuffled.vowelPositionCounts[0][1], 1);
  EXPECT_EQ(shuffled.consonantPositionCounts[1][1], 1);
  EXPECT_EQ(shuffled.vowelPositionCounts[1][1], 1);
  EXPECT_EQ(shuffled.consonantPositionCounts[2][4], 1);
}

TEST(StructureTables, StructuresTheAnalysisCannotMakeAreIgnored) {
  TVaelChapter chapter;
  StartAnalysis(chapter, 4);
  std::vector<Structure> parts = {Part(chapter, {"T", "A", "R"})};
  TVaelChapter reference;
  StartAnalysis(reference, 4);
  Structure referencePart = Part(reference, {"T", "A", "R"});
  BuildStructureTables(reference, {referencePart});

  Structure single = parts[0];
  single[1] = -1;
  Structure sameKindTwice = parts[0];
  sameKindTwice[1] = 101;
  Structure unknownCode = parts[0];
  unknownCode[1] = 7;
  Structure noEndMark;
  noEndMark.fill(100);
  for (int x = 1; x < kMaxStructureElements + 1; x += 2) noEndMark[x] = 0;
  parts.insert(parts.end(), {single, sameKindTwice, unknownCode, noEndMark});
  BuildStructureTables(chapter, parts);
  test::ExpectSameTables(reference, chapter);
}

TEST(ClearStatistics, LeavesNothingOfALargerChapter) {
  TVaelChapter used;
  StartAnalysis(used, 400);
  used.specialConsonants[0] = "TH";
  used.specialConsonantCount = 1;
  GatherLetterStatistics(used, {"THORIN", "ANNA", "ELDA-MOR"});
  BuildStructureTables(used, {Part(used, {"0", "O", "R", "I", "N"}),
                              Part(used, {"E", "LD", "A", "M", "O", "R"}),
                              Part(used, {"A", "NN", "A"})});
  used.pairCapacity = 256;
  ClearStatistics(used);

  TVaelChapter fresh;
  fresh.pairCapacity = 256;
  ClearStatistics(fresh);
  used.nameCount = fresh.nameCount;
  test::ExpectSameTables(fresh, used);
  EXPECT_EQ(fresh.minRepeatDistance[kHyphenLetterIndex], 255);
  EXPECT_EQ(fresh.maxLetterPercent[kHyphenLetterIndex], 0);
}

}  // namespace
}  // namespace vael
