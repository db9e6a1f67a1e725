#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Vael.h"

namespace vael {
namespace {

std::vector<std::string> Sorted(std::vector<std::string> texts) {
  SortByTitle(texts, [](const std::string& text) -> const std::string& { return text; });
  return texts;
}

TEST(Collation, AccentedLettersSortWithTheirBaseLetter) {
  // \xC9 = É, \x8A = Š, \x8E = Ž, \xD6 = Ö, \xE9 = é.
  EXPECT_EQ(Sorted({"Zeta", "\xC9" "lan", "Ebon", "Falk", "\x8A" "ar", "Sorn", "\x8E" "ala", "\xD6" "rn", "Oak"}),
            (std::vector<std::string>{"Ebon", "\xC9" "lan", "Falk", "Oak", "\xD6" "rn", "\x8A" "ar", "Sorn",
                                      "\x8E" "ala", "Zeta"}));
  // Case is ignored too, small accented letters included.
  EXPECT_EQ(Sorted({"northern", "Elves", "\xE9" "mber", "Unbound"}),
            (std::vector<std::string>{"Elves", "\xE9" "mber", "northern", "Unbound"}));
  // Ligatures and the sharp s count as their two letters.
  EXPECT_EQ(Sorted({"Af", "\xC6" "on", "Ad", "Stra\xDF" "e", "Strat"}),
            (std::vector<std::string>{"Ad", "\xC6" "on", "Af", "Stra\xDF" "e", "Strat"}));
}

TEST(Collation, EqualTextsKeepTheirOrder) {
  EXPECT_FALSE(CollatesBefore("\xC9" "lan", "elan"));
  EXPECT_FALSE(CollatesBefore("elan", "\xC9" "LAN"));
  EXPECT_EQ(Sorted({"Elan", "b", "\xC9" "lan", "ELAN", "a", "\xE9" "lan"}),
            (std::vector<std::string>{"a", "b", "Elan", "\xC9" "lan", "ELAN", "\xE9" "lan"}));
}

TEST(Collation, SignsThenDigitsThenLetters) {
  // The initial-letter list: "*" leads the letters and digits, the
  // apostrophe (a vowel in names) keeps its place before it.
  EXPECT_EQ(Sorted({"B", "7", "*", "\xC1", "'", "0", "a"}),
            (std::vector<std::string>{"'", "*", "0", "7", "\xC1", "a", "B"}));
  // The digits at both ends of their block.
  EXPECT_EQ(Sorted({"9", "0", "*", "8"}), (std::vector<std::string>{"*", "0", "8", "9"}));
  EXPECT_TRUE(CollatesBefore("", "A"));
  EXPECT_TRUE(CollatesBefore("Elf", "Elf lord"));
  EXPECT_TRUE(CollatesBefore("Elf lord", "Elfin"));
  EXPECT_TRUE(CollatesBefore("[old]", "0"));
  EXPECT_TRUE(CollatesBefore("\x80", "0"));  // the euro sign is a sign, not a letter
}

}  // namespace
}  // namespace vael
