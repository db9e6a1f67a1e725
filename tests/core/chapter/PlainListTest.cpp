// Plain lists of names: what is taken, what is left out and why, and the
// chapter they load as.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "catalogue/ChapterTitles.h"
#include "core/Vael.h"
#include "support/TestSupport.h"

namespace vael {
namespace {

using Names = std::vector<std::string>;

TEST(ReadPlainList, TrimsSkipsAndKeepsTheOrder) {
  PlainList list = ReadPlainList(
      "# elves, from the old tales\r\n"
      "  Aranel \t\r\n"
      "\r\n"
      "Belegorn\n"
      "\t# not a name either\n"
      "Celebr\xED" "an\rDar-Omir\n"
      "   \n"
      "Jeanne d'Arc");
  EXPECT_EQ(list.fault, "");
  EXPECT_EQ(list.names, (Names{"Aranel", "Belegorn", "Celebr\xED" "an", "Dar-Omir", "Jeanne d'Arc"}));
  EXPECT_TRUE(list.refusals.empty());
  EXPECT_EQ(list.refusedCount, 0u);
}

TEST(ReadPlainList, Utf8ListsAreTakenIntoTheCodePage) {
  PlainList list = ReadPlainList("\xEF\xBB\xBF" "Bj\xC3\xB6rn\n\xC3\x89owyn\nJeanne d\xE2\x80\x99" "Arc\n");
  EXPECT_EQ(list.fault, "");
  EXPECT_EQ(list.names, (Names{"Bj\xF6rn", "\xC9owyn", "Jeanne d'Arc"}));
}

TEST(ReadPlainList, NamesAChapterCannotHoldAreLeftOutOneLineEach) {
  PlainList list = ReadPlainList(
      "Aranel\n"
      "\xC5\x81ukasz\n"                 // Ł: not in the code page
      "Jean (the elder)\n"
      "Dar-O-Mir\n"                     // a part of one letter group
      "Belegorn\n" +
      std::string(101, 'a') + "\n" +
      std::string(64, 'a') + "b\n" +    // a run of one letter is one group
      "abababababababababababababababab\n"  // 32 groups
      "Idril\xE2\x80\x8B\n");           // a zero-width space
  EXPECT_EQ(list.fault, "");
  EXPECT_EQ(list.names, (Names{"Aranel", "Belegorn", std::string(64, 'a') + "b"}));
  EXPECT_EQ(list.refusedCount, 6u);
  EXPECT_EQ(list.refusals,
            (Names{
                "line 2: \"\xC5\x81ukasz\" left out: the chapter alphabet has no \"\xC5\x81\" (U+0141)",
                "line 3: \"Jean (the elder)\" left out: a name cannot hold \"(\" (U+0028)",
                "line 4: \"Dar-O-Mir\" left out: each part of a name needs a vowel and a consonant",
                "line 6: \"" + std::string(40, 'a') + "\xE2\x80\xA6\" left out: longer than 100 characters",
                "line 8: \"abababababababababababababababab\" left out: a part of more than 31 letter groups",
                "line 9: \"Idril\xE2\x80\x8B\" left out: the chapter alphabet has no \"\xE2\x80\x8B\" (U+200B)",
            }));
}

TEST(ReadPlainList, ReportsStopAtTheirLimitButTheCountGoesOn) {
  std::string text = "Aranel\nBelegorn\n";
  for (std::size_t i = 0; i < kMaxRefusalReports + 5; ++i) text += "x!\n";
  PlainList list = ReadPlainList(text);
  EXPECT_EQ(list.names.size(), 2u);
  EXPECT_EQ(list.refusals.size(), kMaxRefusalReports);
  EXPECT_EQ(list.refusedCount, kMaxRefusalReports + 5);
}

TEST(ReadPlainList, ListsThatCannotBeUsedFailWithACause) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", "Fewer than two usable names in the list"},
      {"# only a comment\n\nAranel\nO\n", "Fewer than two usable names in the list"},
      {std::string("Aranel\nBele\0gorn\nIdril\n", 23), "Not a text file"},
      {"Aranel\nBele\x1Bgorn\nIdril\n", "Not a text file"},
      {"\xFF\xFE" "A\0r\0a\0n\0", "UTF-16 text: save the list as UTF-8"},
      {"\xEF\xBB\xBF" "Aranel\nBj\xF6rn\nIdril\n", "Invalid UTF-8 text in line 2"},
  };
  for (const auto& [bytes, fault] : cases) EXPECT_EQ(ReadPlainList(bytes).fault, fault) << bytes;
  std::string many;
  for (std::size_t i = 0; i < kMaxListNames; ++i) many += "Aranel\n";
  EXPECT_EQ(ReadPlainList(many).fault, "");
  EXPECT_EQ(ReadPlainList(many + "Idril\n").fault, "More than 100000 names in the list");
  // Bytes the code page leaves undefined are not a fault of the list.
  PlainList undefined = ReadPlainList("Aranel\nIdril\nAb\x81\n");
  EXPECT_EQ(undefined.fault, "");
  EXPECT_EQ(undefined.refusedCount, 1u);
}

TEST(ChapterTextForNames, WritesEightNamesToALineInCrLfAndLoads) {
  Names names;
  for (int i = 0; i < 10; ++i) names.push_back("Ar" + std::string(1, static_cast<char>('a' + i)) + "el");
  ChapterHeader header{"Elves", "Line one", "Line two", "Me", "Today", {"what the tags mean"}};
  const std::string text = ChapterTextForNames(header, "STATGEN FIT:1", names);
  EXPECT_EQ(text,
            "// what the tags mean\r\n"
            "TITLE \"Elves\";\r\nLINE1 \"Line one\";\r\nLINE2 \"Line two\";\r\nAUTHOR \"Me\";\r\n"
            "DATE \"Today\";\r\nGENOPT \"STATGEN FIT:1\";\r\nNAMES\r\n"
            "\"Arael\" \"Arbel\" \"Arcel\" \"Ardel\" \"Areel\" \"Arfel\" \"Argel\" \"Arhel\"\r\n"
            "\"Ariel\" \"Arjel\";\r\n");
  TVaelChapter chapter;
  chapter.LoadText(text);
  ASSERT_TRUE(chapter.loaded) << chapter.errorText;
  EXPECT_EQ(chapter.nameCount, 10);
  EXPECT_EQ(chapter.fitLevel, 1);
  EXPECT_EQ(chapter.author, "Me");
}

TEST(ChapterTextForNames, AnyHeaderTextReadsBackAsWritten) {
  // Keywords in capitals, quotes, a quote and semicolon, line breaks, and
  // more than 64 bytes: every value still lands in its own tag.
  ChapterHeader header{"NAMES of the GENOPT \"folk\";", "LINE2 and TITLE", "x\r\nDATE \"y\";",
                       "AUTHOR", std::string(70, 'd'),
                       {"TITLE \"trap\"; LINE1 NAMES", "// nested"}};
  // Names too: a name in the header window may not stand for a tag left out.
  const std::string text =
      ChapterTextForNames(header, "", {"Aranel", "TEMPLATES", "SPCCON", "SPCVOW", "TOPIC", "Idril"});
  TVaelChapter chapter;
  chapter.LoadText(text);
  ASSERT_TRUE(chapter.loaded) << chapter.errorText;
  EXPECT_EQ(chapter.templates, (std::vector<std::string>{"9", "10", "2", "6", "5"}));  // derived
  EXPECT_EQ(chapter.specialConsonantCount, 0);
  EXPECT_FALSE(chapter.multiVowels);
  EXPECT_EQ(chapter.topic, "0");
  EXPECT_EQ(chapter.title, "Names of the Genopt 'folk';");
  EXPECT_EQ(chapter.line1, "Line2 and Title");
  EXPECT_EQ(chapter.line2, "x  Date 'y';");
  EXPECT_EQ(chapter.author, "Author");
  EXPECT_EQ(chapter.date, std::string(64, 'd'));
  EXPECT_EQ(chapter.nameCount, 6);
  EXPECT_EQ(TextChapterTitle(text), chapter.title);  // the chapter list agrees
}

class LoadListTest : public ::testing::Test {
 protected:
  test::TempDir dir_;
};

TEST_F(LoadListTest, LoadsWithTheListOptionsAndCachesNothing) {
  const std::string path = dir_.File("Lowland villages.txt");
  test::WriteFile(path, "Ashby\nBarrowick\nBrockton\nCaldby\n\xC5\x81\xC3\xB3" "d\xC5\xBA\nCranford\n");
  TVaelChapter chapter;
  PlainList list = chapter.LoadList(path);
  ASSERT_TRUE(chapter.loaded) << chapter.errorText;
  EXPECT_EQ(list.names.size(), 5u);
  EXPECT_EQ(list.refusals.size(), 1u);
  EXPECT_EQ(chapter.title, "Lowland villages");
  EXPECT_EQ(chapter.line2, "5 names from Lowland villages.txt");
  EXPECT_EQ(chapter.nameCount, 5);
  EXPECT_TRUE(chapter.statGen);
  EXPECT_EQ(chapter.fitLevel, 2);
  EXPECT_EQ(chapter.valLevel, 2);
  EXPECT_FALSE(chapter.structGen || chapter.prefixOption || chapter.suffixOption);
  std::size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
    ++count;
    EXPECT_EQ(entry.path().filename(), "Lowland villages.txt");
  }
  EXPECT_EQ(count, 1u);

  // The same names as a chapter written by hand make the same names.
  TVaelChapter byHand;
  byHand.Load(test::WriteChapter(dir_, "villages.vel",
                                 test::Draft({"Ashby", "Barrowick", "Brockton", "Caldby", "Cranford"},
                                             std::string(kPlainListOptions))));
  ASSERT_TRUE(byHand.loaded) << byHand.errorText;
  SeedRandom(chapter, 5);
  SeedRandom(byHand, 5);
  GenerationOptions options;
  options.fit = 2;
  options.statistical = true;
  options.val = 2;
  for (int i = 0; i < 20; ++i) EXPECT_EQ(GenerateName(chapter, options), GenerateName(byHand, options));
}

TEST_F(LoadListTest, FailuresAreLoadFailures) {
  TVaelChapter chapter;
  chapter.LoadList(dir_.File("missing.txt"));
  EXPECT_EQ(chapter.errorText, "Couldn't open file");
  test::WriteFile(dir_.File("one.txt"), "Aranel\n");
  chapter.LoadList(dir_.File("one.txt"));
  EXPECT_FALSE(chapter.loaded);
  EXPECT_EQ(chapter.errorText, "Fewer than two usable names in the list");
}

}  // namespace
}  // namespace vael
