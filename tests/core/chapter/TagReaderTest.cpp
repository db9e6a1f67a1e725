#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Vael.h"
#include "core/chapter/ChapterTags.h"

namespace vael {
namespace {

std::string Tag(std::string_view window, std::string_view keyword, std::size_t maxLength = 64) {
  std::string value = "untouched";
  return ReadTag(window, keyword, value, maxLength) ? value : "<missing>";
}

TEST(TagReader, ValueEndsAtTheFirstQuoteFollowedBySemicolon) {
  EXPECT_EQ(Tag("TITLE \"Elves\";", "TITLE"), "Elves");
  EXPECT_EQ(Tag("TITLE\r\n  \"Elves\"  ;", "TITLE"), "<missing>");  // ; must follow directly
  EXPECT_EQ(Tag("TITLE \"Say \"hi\" now\";", "TITLE"), "Say \"hi\" now");
  EXPECT_EQ(Tag("TITLE \"\";", "TITLE"), "");
  EXPECT_EQ(Tag("TITLE \"a;b\"; LINE1 \"x\";", "TITLE"), "a;b");
  EXPECT_EQ(Tag("TITLE \"Elves\"", "TITLE"), "<missing>");
  EXPECT_EQ(Tag("TITLE Elves;", "TITLE"), "<missing>");
  EXPECT_EQ(Tag("", "TITLE"), "<missing>");
  EXPECT_EQ(Tag("title \"Elves\";", "TITLE"), "<missing>");  // keywords are exact
}

TEST(TagReader, FirstOccurrenceOfTheKeywordWins) {
  // DATE is found inside LINE1's value; its value starts at LINE1's closing
  // quote and runs to the next closing pair.
  EXPECT_EQ(Tag("LINE1 \"no DATE\";\r\nDATE \"1999\";", "DATE"), ";\r\nDATE \"1999");
  // SUBTITLE holds TITLE.
  EXPECT_EQ(Tag("SUBTITLE \"a\"; TITLE \"b\";", "TITLE"), "a");
  // The quote may be far after the keyword, past other text.
  EXPECT_EQ(Tag("TOPIC is here: \"7\";", "TOPIC", 16), "7");
}

TEST(TagReader, ValuesAreCutToTheirLength) {
  EXPECT_EQ(Tag("TOPIC \"12345678901234567890\";", "TOPIC", 16), "1234567890123456");
  EXPECT_EQ(Tag("TITLE \"abc\";", "TITLE", 0), "");
}

TEST(TagReader, TheClosingPairMustLieInTheWindow) {
  std::string file = "TITLE \"Elves\";";
  EXPECT_EQ(Tag(std::string_view(file).substr(0, file.size() - 1), "TITLE"), "<missing>");
  EXPECT_EQ(FindQuoteSemicolon("\"", 0), std::string_view::npos);
  EXPECT_EQ(FindQuoteSemicolon("ab\";", 0), 2u);
  EXPECT_EQ(FindQuoteSemicolon("ab\";", 3), std::string_view::npos);
}

TEST(HeaderWindow, IsTheFirst2048Bytes) {
  std::string file(3000, 'x');
  EXPECT_EQ(HeaderWindow(file).size(), 2048u);
  EXPECT_EQ(HeaderWindow("short").size(), 5u);
}

TEST(BlankComments, RunToTheEndOfTheirLine) {
  std::string window = "A // x \"q\";\r\nB// y\nC\r\nD // z\rE //";
  BlankComments(window);
  EXPECT_EQ(window, "A          \r\nB    \nC\r\nD     \rE   ");
  std::string plain = "A / B";
  BlankComments(plain);
  EXPECT_EQ(plain, "A / B");
}

std::vector<std::string> Names(std::string_view file) {
  return ReadNameList(file, file.find("NAMES"));
}

TEST(NameList, QuotedNamesUntilTheClosingPair) {
  EXPECT_EQ(Names("NAMES \"Ana\", \"Bo Ri\"\r\n\"Ce-Da\";\"Not\";"),
            (std::vector<std::string>{"Ana", "Bo Ri", "Ce-Da"}));
  EXPECT_EQ(Names("NAMES \"\";"), (std::vector<std::string>{""}));
  // Text between the quotes of two names, even quoted in a comment, is skipped
  // or read by the same rule.
  EXPECT_EQ(Names("NAMES \"A\" // \"B\"\r\n \"C\";"), (std::vector<std::string>{"A", "B", "C"}));
}

TEST(NameList, AnUnclosedListEndsWithAnEmptyName) {
  EXPECT_EQ(Names("NAMES \"Ana\" \"Bo\"\r\n"), (std::vector<std::string>{"Ana", "Bo", ""}));
  // ...unless its last quote is the last byte of the file.
  EXPECT_EQ(Names("NAMES \"Ana\" \"Bo\""), (std::vector<std::string>{"Ana", "Bo"}));
  EXPECT_EQ(Names("NAMES"), (std::vector<std::string>{""}));
  EXPECT_EQ(Names("NAMES;"), (std::vector<std::string>{""}));
}

TEST(NameList, NeverReadsPastTheEnd) {
  // No closing quote: the rest of the file is the last name.
  EXPECT_EQ(Names("NAMES \"Ana\" \"Bo"), (std::vector<std::string>{"Ana", "Bo"}));
  EXPECT_EQ(Names("NAMES \""), (std::vector<std::string>{""}));
  EXPECT_EQ(Names("NAMES \"Ana\" \""), (std::vector<std::string>{"Ana", ""}));
  EXPECT_EQ(ReadNameList("", 0), (std::vector<std::string>{}));
}

TEST(ReadInteger, DecimalWithOptionalSign) {
  long long n = 99;
  EXPECT_TRUE(ReadInteger("12", n));
  EXPECT_EQ(n, 12);
  EXPECT_TRUE(ReadInteger("-3", n));
  EXPECT_EQ(n, -3);
  EXPECT_TRUE(ReadInteger(" 7 ", n));
  EXPECT_EQ(n, 7);
  EXPECT_FALSE(ReadInteger("", n));
  EXPECT_FALSE(ReadInteger("-", n));
  EXPECT_FALSE(ReadInteger("x", n));
  EXPECT_FALSE(ReadInteger("1x", n));
  EXPECT_FALSE(ReadInteger("99999999999", n));
}

}  // namespace
}  // namespace vael
