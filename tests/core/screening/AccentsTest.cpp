#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/Vael.h"

namespace vael {
namespace {

std::string Accented(int punctLevel, std::string word) {
  auto chapter = std::make_unique<TVaelChapter>();
  chapter->punctLevel = punctLevel;
  AccentWord(*chapter, word);
  return word;
}

std::string Capitalised(std::string word) {
  TVaelChapter chapter;
  CapitaliseWord(chapter, word);
  return word;
}

TEST(AccentWord, LevelZeroChangesNothing) {
  EXPECT_EQ(Accented(0, "KAAREN"), "KAAREN");
  EXPECT_EQ(Capitalised(Accented(0, "KAAREN")), "Kaaren");
  EXPECT_EQ(Accented(0, "EAEO"), "EAEO");
}

TEST(AccentWord, LongVowels) {
  EXPECT_EQ(Accented(1, "KAAREN"), "K\xC1REN");
  EXPECT_EQ(Capitalised(Accented(1, "KAAREN")), "K\xE1ren");
  EXPECT_EQ(Accented(1, "SAAAR"), "S\xC2R");
  // Three-letter patterns win wherever they start; the rest is read again.
  EXPECT_EQ(Accented(1, "AAAA"),
            "\xC2"
            "A");
  EXPECT_EQ(Accented(1, "AAAAA"), "\xC2\xC1");
  EXPECT_EQ(Accented(1, "EEIIOOUUYY"), "\xC9\xCD\xD3\xDA\xDD");
  EXPECT_EQ(Accented(1, "EEEIIIOOOUUUYYY"), "\xCA\xCE\xD4\xDB\xDDY");
  // A pattern at the very end of the word.
  EXPECT_EQ(Accented(1, "KOO"), "K\xD3");
  // Small letters and literals are left alone.
  EXPECT_EQ(Accented(1, "aa-A'A"), "aa-A'A");
}

TEST(AccentWord, Diaeresis) {
  EXPECT_EQ(Accented(2, "LEA"),
            "L\xCB"
            "A");
  EXPECT_EQ(Accented(2, "EAN"), "E\xC4N");
  EXPECT_EQ(Accented(2, "EON"), "E\xD6N");
  EXPECT_EQ(Accented(2, "LEON"), "L\xCBON");
  EXPECT_EQ(Accented(2, "ARTE"), "ART\xCB");
  // The final E rule changes the last character only.
  EXPECT_EQ(Accented(2, "EDEE"), "EDE\xCB");
  EXPECT_EQ(Accented(2, "E"), "\xCB");
  EXPECT_EQ(Accented(2, "EA"), "E\xC4");
}

TEST(AccentWord, VowelHarmony) {
  EXPECT_EQ(Accented(4, "P\xC4IVOLA"), "P\xC4IV\xD6L\xC4");
  EXPECT_EQ(Accented(4, "YLOSA"), "YL\xD6S\xC4");
  EXPECT_EQ(Accented(4, "TUNT\xDCRI"), "TUNTURI");
  // Y turns back into U, and a word without class vowels is unchanged.
  EXPECT_EQ(Accented(4, "KAY\xD6"), "KAUO");
  EXPECT_EQ(Accented(4, "KEIRI"), "KEIRI");
}

TEST(AccentWord, AllBitsTogether) {
  EXPECT_EQ(Accented(7, "MAARA"), "M\xC1RA");
  EXPECT_EQ(Accented(7, "EAAN"), "E\xC4\xC4N");
  // Long vowel first, then the pair rule on what now stands at the position.
  EXPECT_EQ(Accented(3, "EEA"),
            "\xC9"
            "A");
  EXPECT_EQ(Accented(3, "LEEAE"),
            "L\xC9"
            "A\xCB");
}

TEST(AccentWord, EmptyWordIsLeftAlone) {
  for (int level = 0; level < 8; ++level) EXPECT_EQ(Accented(level, ""), "");
}

TEST(CapitaliseWord, FirstLetterCapitalRestSmall) {
  EXPECT_EQ(Capitalised("KALDOR"), "Kaldor");
  EXPECT_EQ(Capitalised("\xC9LODIE"), "\xC9lodie");
  EXPECT_EQ(Capitalised("\xE9LODIE"), "\xC9lodie");
  EXPECT_EQ(Capitalised("\xDF"
                        "AR"),
            "\xDF"
            "ar");  // ß has no capital
  EXPECT_EQ(Capitalised("'ARN\x8A\x9F"), "'arn\x9A\xFF");
  EXPECT_EQ(Capitalised("x"), "X");
  EXPECT_EQ(Capitalised(""), "");
}

TEST(CapitaliseWord, CapitalAfterEveryHyphen) {
  EXPECT_EQ(Capitalised("ANNE-MARIE"), "Anne-Marie");
  EXPECT_EQ(Capitalised("\xD6STER-\xC5S"), "\xD6ster-\xC5s");
  EXPECT_EQ(Capitalised("A-B-C"), "A-B-C");
  EXPECT_EQ(Capitalised("AB-"), "Ab-");
  EXPECT_EQ(Capitalised("AB--C"), "Ab--C");
  // A leading hyphen is the word's first character, not a joint.
  EXPECT_EQ(Capitalised("-AB"), "-ab");
}

}  // namespace
}  // namespace vael

namespace vael {
namespace {

// Whatever AccentWord writes, the plain form is that of the word before it:
// the chapter report compares letter pairs in this form.
TEST(PlainVowels, TakesBackWhatAccentWordWrites) {
  auto chapter = std::make_unique<TVaelChapter>();
  for (int level = 0; level <= 7; ++level) {
    chapter->punctLevel = level;
    for (std::string word : {"KAAREN", "SAAAR", "EAEOLE", "P\xC4IVOLA", "YLOSA", "TUNT\xDCRI",
                             "EEIIOOUUYY", "LEA", "EOL", "KYYR\xC4\xC4", ""}) {
      std::string accented = word;
      AccentWord(*chapter, accented);
      EXPECT_EQ(PlainVowels(*chapter, accented), PlainVowels(*chapter, word))
          << word << " at level " << level;
    }
  }
  chapter->punctLevel = 0;
  EXPECT_EQ(PlainVowels(*chapter, "K\xC1REN"), "K\xC1REN");  // nothing was written
  chapter->punctLevel = 7;
  EXPECT_EQ(PlainVowels(*chapter, "K\xC1R\xCB"), "KAARE");
  EXPECT_EQ(PlainVowels(*chapter, "Y\xD6\xC4"), "UOA");
}

}  // namespace
}  // namespace vael
