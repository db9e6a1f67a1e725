#include <gtest/gtest.h>

#include "core/Vael.h"

namespace vael {
namespace {

TEST(LetterClasses, SetsHaveTheirSizesAndNoByteTwice) {
  EXPECT_EQ(consonantSet.size(), 63u);
  EXPECT_EQ(vowelSet.size(), 63u);
  ASSERT_EQ(nameLetterSet.size(), 128u);
  for (int i = 0; i < 128; ++i) EXPECT_EQ(NameLetterIndex(nameLetterSet[i]), i) << i;
  EXPECT_EQ(NameLetterIndex(' '), kSpaceLetterIndex);
  EXPECT_EQ(NameLetterIndex('-'), kHyphenLetterIndex);
}

TEST(LetterClasses, MembershipFollowsTheTableOrder) {
  EXPECT_EQ(ConsonantIndex('B'), 0);
  EXPECT_EQ(ConsonantIndex('b'), 20);
  EXPECT_EQ(ConsonantIndex('\xDF'), 50);  // sharp s closes the accented run
  EXPECT_EQ(ConsonantIndex('0'), 51);
  EXPECT_EQ(ConsonantIndex('y'), 61);
  EXPECT_EQ(ConsonantIndex('u'), 62);
  EXPECT_TRUE(IsVowel('\''));
  EXPECT_TRUE(IsVowel('Y'));
  EXPECT_FALSE(IsConsonant('Y'));
  EXPECT_FALSE(IsVowel('a'));  // small plain vowels never occur in coded names
  EXPECT_FALSE(IsConsonant(' '));
  EXPECT_FALSE(IsConsonant('-'));
  EXPECT_EQ(NameLetterIndex('!'), -1);
  EXPECT_EQ(NameLetterIndex('\0'), -1);
}

TEST(CaseMapping, AsciiAndAccentPairsOnly) {
  EXPECT_EQ(ToUpper("abz\xE4\xFF\x9C\x9A"), "ABZ\xC4\x9F\x8C\x8A");
  EXPECT_EQ(ToLower("ABZ\xC4\x9F\x8C\x8A"), "abz\xE4\xFF\x9C\x9A");
  // Sharp s, digits, apostrophe and hyphen have no other case.
  EXPECT_EQ(ToUpper("\xDF" "09'-"), "\xDF" "09'-");
  EXPECT_TRUE(EqualsIgnoreCase("KYRP\xC4", "Kyrp\xE4"));
  EXPECT_FALSE(EqualsIgnoreCase("KYRPA", "Kyrp\xE4"));
  EXPECT_FALSE(EqualsIgnoreCase("ANAL", "ANALS"));
}

}  // namespace
}  // namespace vael

namespace vael {
namespace {

TEST(CodePage, EveryByteHasOneCodePointAndBack) {
  for (int b = 0; b < 256; ++b) {
    EXPECT_EQ(ByteOfCodePoint(CodePointOfByte(static_cast<char>(b))), b) << b;
  }
  EXPECT_EQ(CodePointOfByte('\x85'), U'\u2026');  // the fill byte of saved forms
  EXPECT_EQ(CodePointOfByte('\x8A'), U'\u0160');
  EXPECT_EQ(CodePointOfByte('\xE4'), U'\u00E4');
  EXPECT_EQ(ByteOfCodePoint(U'\u0100'), -1);
  EXPECT_EQ(ByteOfCodePoint(U'\u0080'), -1);  // the euro sign took its place
}

}  // namespace
}  // namespace vael
