// The words --clean leaves out: the rule, on both sides, and the project's
// own list.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/Vael.h"
#include "support/TestSupport.h"

namespace vael::test {
namespace {

namespace fs = std::filesystem;

const std::string kProjectList = std::string(VAEL_LIBRARY_DIR) + "/../dist/offensive-words.txt";

TEST(OffensiveWords, AWordOrAMarkedStemNeverAStringInside) {
  const OffensiveWords words({"ass", "sex", "cunt*", "*shit", "*fuck*", "grim"});
  // Caught: the word alone or among others, any case, any accent, and
  // where a capital after a small letter starts a word.
  for (const char* name : {"Ass", "Kal Ass", "Kal-ass", "D'Ass", "KalAss", "\xC1SS", "Sex", "Cunt", "Cuntar",
                           "Bullshit", "Motherfucker",
                           "F\xFC"
                           "cka",
                           "Grim", "Vel-Grim"}) {
    EXPECT_NE(words.Offence(name), "") << name;
  }
  EXPECT_EQ(words.Offence("Cuntar"), "cunt*");
  EXPECT_EQ(words.Offence("Doro Bullshit"), "*shit");
  // Innocent names that hold those letters inside another word stay.
  for (const char* name : {"Cassandra", "Sussex", "Essex", "Scunthorpe", "Shitara", "Matsushita", "Grimsby",
                           "Bassett", "Assam", "KALASS", "Kalass", "Asse"}) {
    EXPECT_EQ(words.Offence(name), "") << name;
  }
}

TEST(OffensiveWords, EntriesAreOneWordWithMarkedEnds) {
  for (const char* entry : {"word", "stem*", "*stem", "*stem*", "\xC6sir",
                            "Stra\xDF"
                            "e"}) {
    EXPECT_EQ(EntryProblem(entry), "") << entry;
  }
  for (const char* entry : {"*", "**", "two words", "a-b", "f**k", "x*y", "it's", "4chan"}) {
    EXPECT_NE(EntryProblem(entry), "") << entry;
  }
  // A list as a user writes it: UTF-8, comments, CR LF, a line in error.
  const PlainList list = ReadWordList(
      "# mine\r\nGrimble\r\n\r\n  br\xC3\xBCt*  \r\nbad word\r\n\xC5\x81"
      "ajza\r\n");
  EXPECT_EQ(list.fault, "");
  EXPECT_EQ(list.names, (std::vector<std::string>{"Grimble", "br\xFCt*"}));
  ASSERT_EQ(list.refusals.size(), 2u);
  EXPECT_EQ(list.refusals[0],
            "line 5: \"bad word\" left out: an entry is one word of letters, with * before or after it to "
            "mark a stem");
  EXPECT_EQ(list.refusals[1].rfind("line 6: \"\xC5\x81"
                                   "ajza\" left out: ",
                                   0),
            0u)
      << list.refusals[1];
  EXPECT_EQ(ReadWordList(std::string("\xFF\xFEg\0r\0", 6)).fault, "UTF-16 text: save the list as UTF-8");
}

std::vector<std::string> ProjectEntries() {
  const PlainList list = ReadWordList(ReadFile(kProjectList));
  EXPECT_EQ(list.fault, "");
  EXPECT_EQ(list.refusals, std::vector<std::string>{});
  return list.names;
}

// The list the program installs: every line an entry, the names it is
// meant for left out, and innocent names of the library's languages kept
// where a plain search for the letters would lose them.
TEST(OffensiveWords, TheProjectListLeavesOutOffencesAndKeepsNames) {
  const OffensiveWords words(ProjectEntries());
  for (const char* name : {"Fucker", "Kal Cunt", "Nigger", "Bitch", "Whore", "Blyadina", "Pizdets", "Vittu",
                           "Malakas", "Sharmouta", "Kuso", "Ffwcio", "Cunnus", "Fitta"}) {
    EXPECT_NE(words.Offence(name), "") << name;
  }
  for (const char* name :
       {"Cassandra", "Sussex",    "Scunthorpe", "Shitara", "Matsushita", "Pissarro", "Cockburn",
        "Hancock",   "Twatt",     "Wankel",     "Bitche",  "Slutsky",    "Nigg",     "Snigger",
        "Clitheroe", "Penistone", "Arsenal",    "Assam",   "Vittorio",   "Malakai",  "Khuyen",
        "Fukuda",    "Cumbria",   "Sukaru",     "Horace",  "Kukulkan",   "Khara",    "Dickens",
        "Mercedes",  "Merdan",    "Concepta",   "Analise", "Spicer",     "Coca"}) {
    EXPECT_EQ(words.Offence(name), "") << name;
  }
}

// No sample name of the library falls under the list: --clean takes
// nothing from the chapters' own style.
TEST(OffensiveWords, NoSampleNameOfTheLibraryIsLeftOut) {
  const OffensiveWords words(ProjectEntries());
  int samples = 0;
  for (const auto& entry : fs::recursive_directory_iterator(VAEL_LIBRARY_DIR)) {
    if (entry.path().extension() != ".vel") continue;
    std::vector<std::string> names;
    ASSERT_TRUE(ReadSampleNames(entry.path().string(), names)) << entry.path();
    for (const std::string& name : names) {
      ++samples;
      EXPECT_EQ(words.Offence(name), "") << entry.path().filename() << ": " << name;
    }
  }
  EXPECT_GT(samples, 1000);
}

}  // namespace
}  // namespace vael::test
