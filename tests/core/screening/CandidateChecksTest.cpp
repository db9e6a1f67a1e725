#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/Vael.h"

namespace vael {
namespace {

// A chapter whose tables accept everything: every letter may repeat at
// distance 2 and take the whole name. Tests tighten single entries.
std::unique_ptr<TVaelChapter> LenientChapter() {
  auto chapter = std::make_unique<TVaelChapter>();
  chapter->minRepeatDistance.fill(2);
  chapter->maxLetterPercent.fill(100);
  return chapter;
}

int Index(char c) { return NameLetterIndex(c); }

TEST(CandidateChecks, EmptyCandidateIsAcceptedAtEveryLevel) {
  auto chapter = std::make_unique<TVaelChapter>();  // strictest tables: 0 and 255
  chapter->minRepeatDistance.fill(255);
  for (int level : {-3, -1, 0, 1, 2, 3, 9}) EXPECT_EQ(CheckCandidate(*chapter, "", level), "");
}

TEST(CandidateChecks, LevelZeroAcceptsAnything) {
  auto chapter = std::make_unique<TVaelChapter>();
  chapter->minRepeatDistance.fill(255);
  EXPECT_EQ(CheckCandidate(*chapter, "AAAAAAAA", 0), "");
  EXPECT_EQ(CheckCandidate(*chapter, "ANAL", 0), "");
}

TEST(CandidateChecks, LevelsOtherThanZeroAndOneAllBehaveAsLevelTwo) {
  auto chapter = LenientChapter();
  chapter->maxLetterPercent[Index('R')] = 20;
  for (const char* candidate : {"ANAL", "KYRP\xC4", "ARRAR", "ABCDABCDE", "KALDOR", ""}) {
    const std::string atTwo = CheckCandidate(*chapter, candidate, 2);
    EXPECT_EQ(CheckCandidate(*chapter, candidate, 5), atTwo) << candidate;
    EXPECT_EQ(CheckCandidate(*chapter, candidate, -1), atTwo) << candidate;
    EXPECT_EQ(CheckCandidate(*chapter, candidate, -100), atTwo) << candidate;
  }
}

TEST(RepetitionCheck, WindowBounds) {
  auto chapter = LenientChapter();
  // Overlapping windows count: first window 0, second window 1.
  EXPECT_EQ(CheckCandidate(*chapter, "AAAAAA", 1), "!REP");
  // Five letters can never fail.
  EXPECT_EQ(CheckCandidate(*chapter, "AAAAA", 1), "");
  // Second window at L - 4 (ends on the last character) takes no part.
  EXPECT_EQ(CheckCandidate(*chapter, "ABCDABCD", 1), "");
  // Second window at L - 5 is the last one compared.
  EXPECT_EQ(CheckCandidate(*chapter, "ABCDABCDX", 1), "!REP");
  // First window at L - 6 is the last one compared (with the second at L - 5).
  EXPECT_EQ(CheckCandidate(*chapter, "XYABCDABCD", 1), "");
  EXPECT_EQ(CheckCandidate(*chapter, "XABCABCAZ", 1), "!REP");  // windows 1 and 4, L = 9
  // First window would have to start at L - 5: never compared.
  EXPECT_EQ(CheckCandidate(*chapter, "QRSTUAAAAA", 1), "");
  EXPECT_EQ(CheckCandidate(*chapter, "QRSTAAAAAZ", 1), "!REP");
}

TEST(DistanceCheck, AbabFollowsTheTable) {
  auto chapter = LenientChapter();
  chapter->minRepeatDistance[Index('A')] = 3;
  EXPECT_EQ(CheckCandidate(*chapter, "ABAB", 1), "!DIST/A");
  chapter->minRepeatDistance[Index('A')] = 2;
  chapter->minRepeatDistance[Index('B')] = 3;
  EXPECT_EQ(CheckCandidate(*chapter, "ABAB", 1), "!DIST/B");
  chapter->minRepeatDistance[Index('B')] = 2;
  EXPECT_EQ(CheckCandidate(*chapter, "ABAB", 1), "");
}

TEST(DistanceCheck, FiveAsDependOnlyOnTheDistanceOfA) {
  auto chapter = LenientChapter();
  EXPECT_EQ(CheckCandidate(*chapter, "AAAAA", 1), "");
  chapter->minRepeatDistance[Index('A')] = 3;
  EXPECT_EQ(CheckCandidate(*chapter, "AAAAA", 1), "!DIST/A");
}

TEST(DistanceCheck, DoubledLettersAndLaterRepeatsAreIgnored) {
  auto chapter = LenientChapter();
  chapter->minRepeatDistance[Index('N')] = 255;
  EXPECT_EQ(CheckCandidate(*chapter, "ANNA", 1), "");  // N only at distance 1
  chapter->minRepeatDistance[Index('A')] = 4;
  EXPECT_EQ(CheckCandidate(*chapter, "ABBBA", 1), "");  // distance 4 is allowed
  EXPECT_EQ(CheckCandidate(*chapter, "ABBA", 1), "!DIST/A");
  // Only the first repeat after a position is compared: from 0 the A at 4
  // (distance 4) counts, and from 4 the next A is at 8.
  EXPECT_EQ(CheckCandidate(*chapter, "ABCDAEFGA", 1), "");
}

TEST(DistanceCheck, TheFirstFailingPositionGivesTheLetter) {
  auto chapter = LenientChapter();
  // B (positions 1 and 3) repeats closer, but A's position comes first.
  chapter->minRepeatDistance[Index('A')] = 5;
  chapter->minRepeatDistance[Index('B')] = 3;
  EXPECT_EQ(CheckCandidate(*chapter, "ABCBA", 1), "!DIST/A");
  chapter->minRepeatDistance[Index('A')] = 4;
  EXPECT_EQ(CheckCandidate(*chapter, "ABCBA", 1), "!DIST/B");
}

TEST(DistanceCheck, PositionBounds) {
  auto chapter = LenientChapter();
  chapter->minRepeatDistance[Index('X')] = 255;
  // The last position examined is L - 3, and its repeat may be the last character.
  EXPECT_EQ(CheckCandidate(*chapter, "BCXDX", 1), "!DIST/X");
  // A letter at L - 2 has nowhere to repeat at distance 2.
  EXPECT_EQ(CheckCandidate(*chapter, "BCDXX", 1), "");
  EXPECT_EQ(CheckCandidate(*chapter, "XDX", 1), "!DIST/X");
  EXPECT_EQ(CheckCandidate(*chapter, "XX", 1), "");
}

TEST(DistanceCheck, UnknownCharactersAreSkipped) {
  auto chapter = LenientChapter();
  chapter->minRepeatDistance.fill(255);
  EXPECT_EQ(CheckCandidate(*chapter, "!A!A", 1), "!DIST/A");
  EXPECT_EQ(CheckCandidate(*chapter, "!B!", 1), "");
  EXPECT_EQ(CheckCandidate(*chapter, std::string("\x01Q\x01\x81\x90\x81", 6), 2), "");
}

TEST(WordList, HoldsTheThirtyFourWordsInOrder) {
  ASSERT_EQ(badWords.size(), 34u);
  EXPECT_EQ(badWords[0], "Allah");
  EXPECT_EQ(badWords[6], "Ass");
  EXPECT_EQ(badWords[19], "Kyrp\xE4");
  EXPECT_EQ(badWords[21], "Masturbation");
  EXPECT_EQ(badWords[33], "Yehovah");
}

TEST(WordList, WholeWordsMatchIgnoringCase) {
  auto chapter = LenientChapter();
  EXPECT_EQ(CheckCandidate(*chapter, "ANAL", 2), "!BAD");
  EXPECT_EQ(CheckCandidate(*chapter, "ANAL", 1), "");
  EXPECT_EQ(CheckCandidate(*chapter, "ANALS", 2), "");
  EXPECT_EQ(CheckCandidate(*chapter, "ANALIA", 2), "");
  EXPECT_EQ(CheckCandidate(*chapter, "BASS", 2), "");
  EXPECT_EQ(CheckCandidate(*chapter, "KYRP\xC4", 2), "!BAD");
  EXPECT_EQ(CheckCandidate(*chapter, "KYRPA", 2), "");
  EXPECT_EQ(CheckCandidate(*chapter, "yehovah", 2), "!BAD");
  for (std::string_view word : badWords) {
    EXPECT_EQ(CheckCandidate(*chapter, ToUpper(word), 2), "!BAD") << word;
  }
}

TEST(WordList, RunsAfterTheDistanceCheck) {
  auto chapter = LenientChapter();
  chapter->minRepeatDistance[Index('A')] = 3;
  EXPECT_EQ(CheckCandidate(*chapter, "ANAL", 2), "!DIST/A");
}

TEST(ShareCheck, RoundsHalvesUpAndComparesStrictly) {
  auto chapter = LenientChapter();
  chapter->maxLetterPercent[Index('A')] = 29;
  EXPECT_EQ(CheckCandidate(*chapter, "ABCDEFAGHA", 2), "!FREQ/A");  // 3 of 10: 30
  chapter->maxLetterPercent[Index('A')] = 30;
  EXPECT_EQ(CheckCandidate(*chapter, "ABCDEFAGHA", 2), "");
  // 2 of 8 is 25 exactly; 2 of 3 is 66.67, rounded to 67.
  chapter->maxLetterPercent[Index('A')] = 24;
  EXPECT_EQ(CheckCandidate(*chapter, "ABCDEFGA", 2), "!FREQ/A");
  chapter->maxLetterPercent[Index('A')] = 25;
  EXPECT_EQ(CheckCandidate(*chapter, "ABCDEFGA", 2), "");
  chapter->maxLetterPercent[Index('A')] = 66;
  EXPECT_EQ(CheckCandidate(*chapter, "ABA", 2), "!FREQ/A");
  chapter->maxLetterPercent[Index('A')] = 67;
  EXPECT_EQ(CheckCandidate(*chapter, "ABA", 2), "");
}

TEST(ShareCheck, SingleLettersNeverFailAndUnseenLettersFailTwice) {
  auto chapter = LenientChapter();
  chapter->maxLetterPercent.fill(0);
  EXPECT_EQ(CheckCandidate(*chapter, "BO", 2), "");
  EXPECT_EQ(CheckCandidate(*chapter, "Q", 2), "");
  EXPECT_EQ(CheckCandidate(*chapter, "BOB", 2), "!FREQ/B");
}

TEST(ShareCheck, LettersAreTestedInSetOrderAndSeparatorsAreNot) {
  auto chapter = LenientChapter();
  chapter->maxLetterPercent.fill(0);
  // Consonants come before vowels in the set, whatever the candidate's order.
  EXPECT_EQ(CheckCandidate(*chapter, "AARR", 2), "!FREQ/R");
  chapter->maxLetterPercent.fill(100);
  chapter->maxLetterPercent[kSpaceLetterIndex] = 0;
  chapter->maxLetterPercent[kHyphenLetterIndex] = 0;
  EXPECT_EQ(CheckCandidate(*chapter, "A--B  C", 2), "");
}

}  // namespace
}  // namespace vael
