// vaelgen --write-chapter: a chapter file from a plain list, which then
// loads in vaelgen as it is; the names it cannot hold reported; no file
// from a list too poor to use.

#include <gtest/gtest.h>

#include <filesystem>

#include "VaelgenRun.h"
#include "core/Vael.h"
#include "core/analysis/ListChapter.h"

namespace vael {
namespace {

using test::RunVaelgen;
using test::TempDir;

class WriteChapterRunTest : public ::testing::Test {
 protected:
  test::RunResult Run(const std::vector<std::string>& arguments) { return RunVaelgen(dir_, arguments); }
  bool Exists(const std::string& name) const { return std::filesystem::exists(dir_.File(name)); }
  TempDir dir_;
};

// Forty names in one made-up style, a few the chapter format cannot hold.
std::string HarbourList() {
  std::string list = "# Harbour towns\n\n";
  for (const char* start : {"Sal", "Mor", "Ten", "Val", "Cor", "Bri", "Dal", "Fen"}) {
    for (const char* end : {"ance", "ira", "omble", "eth", "uvel"}) list += std::string("  ") + start + end + "\n";
  }
  return list + "\xC5\x81\xC3\xB3" "dka\nQ\n";
}

TEST_F(WriteChapterRunTest, WritesAChapterThatLoadsAsItIs) {
  test::WriteFile(dir_.File("harbours.txt"), HarbourList());
  auto run = Run({"--write-chapter", "harbours.vel", "--title", "H\xC3\xA4" "fen", "harbours.txt"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("vaelgen: harbours.txt: line 43: \"\xC5\x81\xC3\xB3" "dka\" left out: "),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("vaelgen: harbours.txt: line 44: \"Q\" left out: "), std::string::npos) << run.err;
  EXPECT_EQ(run.out.rfind("harbours.vel: 40 names, GENOPT \"", 0), 0u) << run.out;

  TVaelChapter chapter;
  chapter.Load(dir_.File("harbours.vel"));
  ASSERT_TRUE(chapter.loaded) << chapter.errorText;
  EXPECT_EQ(chapter.title, "H\xE4" "fen");
  EXPECT_EQ(chapter.date, TodayText());
  EXPECT_EQ(chapter.nameCount, 40);
  // Its GENOPT is the one reported, and vaelgen makes names from the file.
  const std::string text = test::ReadFile(dir_.File("harbours.vel"));
  const std::size_t genopt = text.find("GENOPT \"");
  ASSERT_NE(genopt, std::string::npos);
  EXPECT_NE(run.out.find(text.substr(genopt + 7, text.find("\";", genopt) - genopt - 6)), std::string::npos);
  auto names = Run({"-n", "5", "harbours.vel"});
  EXPECT_EQ(names.status, 0) << names.err;
  EXPECT_EQ(test::Lines(names.out).size(), 5u);

  // The same chapter in UTF-8, which loads to the same chapter and names.
  auto utf8 = Run({"--write-chapter", "harbours8.vel", "--encoding", "utf-8", "--title", "H\xC3\xA4" "fen",
                   "harbours.txt"});
  ASSERT_EQ(utf8.status, 0) << utf8.err;
  EXPECT_TRUE(test::ReadFile(dir_.File("harbours8.vel")) == Utf8FromWindows1252(text));
  TVaelChapter fromUtf8;
  fromUtf8.Load(dir_.File("harbours8.vel"));
  ASSERT_TRUE(fromUtf8.loaded) << fromUtf8.errorText;
  EXPECT_EQ(fromUtf8.title, "H\xE4" "fen");
  EXPECT_EQ(Run({"--seed", "3", "-n", "20", "harbours8.vel"}).out, Run({"--seed", "3", "-n", "20", "harbours.vel"}).out);
}

TEST_F(WriteChapterRunTest, NoFileFromAListTooPoorOrOverTheList) {
  test::WriteFile(dir_.File("poor.txt"), "Aranel\n\xC5\x81ukasz\n");
  auto poor = Run({"--write-chapter", "poor.vel", "poor.txt"});
  EXPECT_EQ(poor.status, 1);
  EXPECT_EQ(poor.err,
            "vaelgen: poor.txt: line 2: \"\xC5\x81ukasz\" left out: the chapter alphabet has no "
            "\"\xC5\x81\" (U+0141)\n"
            "vaelgen: poor.txt: Fewer than two usable names in the list\n");
  EXPECT_FALSE(Exists("poor.vel"));

  auto missing = Run({"--write-chapter", "none.vel", "none.txt"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "vaelgen: none.txt: no such file\n");
  EXPECT_FALSE(Exists("none.vel"));

  // A list that happens to be named *.vel is not written over.
  test::WriteFile(dir_.File("list.vel"), HarbourList());
  auto over = Run({"--write-chapter", "list.vel", "list.vel"});
  EXPECT_EQ(over.status, 1);
  EXPECT_EQ(test::ReadFile(dir_.File("list.vel")), HarbourList());

  auto title = Run({"--write-chapter", "t.vel", "--title", "\xD0\x96uk", "poor.txt"});
  EXPECT_EQ(title.status, 1);
  EXPECT_NE(title.err.find("(U+0416)"), std::string::npos) << title.err;
  EXPECT_FALSE(Exists("t.vel"));
}

TEST_F(WriteChapterRunTest, UsageAndHelp) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--write-chapter", "out.txt", "list.txt"}, "--write-chapter writes a chapter file named *.vel"},
      {{"--write-chapter", "out.vel"}, "--write-chapter takes one list of names"},
      {{"--title", "Elves", "list.txt"}, "--title names the chapter --write-chapter writes"},
      {{"--write-chapter", "out.vel", "--title", "", "list.txt"}, "empty title"},
      // Options of a run of names would be dropped without a word.
      {{"--write-chapter", "out.vel", "-o", "names.txt", "list.txt"},
       "--write-chapter takes a list and, at most, --title and --encoding"},
      {{"--write-chapter", "out.vel", "--clean", "list.txt"},
       "--write-chapter takes a list and, at most, --title and --encoding"},
      {{"--write-chapter", "out.vel", "--seed", "3", "list.txt"},
       "--write-chapter takes a list and, at most, --title and --encoding"},
      {{"--fit", "1", "--write-chapter", "out.vel", "list.txt"},
       "--write-chapter takes a list and, at most, --title and --encoding"},
      // Two actions: only the last one was done, and the run called a success.
      {{"--report", "r.html", "--write-chapter", "out.vel", "list.txt"},
       "--report does not go with --write-chapter"},
      {{"--write-chapter", "out.vel", "--report", "r.html", "list.txt"},
       "--write-chapter does not go with --report"},
  };
  test::WriteFile(dir_.File("list.txt"), HarbourList());
  for (const auto& [arguments, problem] : cases) {
    auto run = Run(arguments);
    EXPECT_EQ(run.status, 2) << problem;
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')), "vaelgen: " + problem);
  }
  EXPECT_FALSE(Exists("out.vel"));
  EXPECT_FALSE(Exists("r.html"));
  auto help = Run({"--help"});
  for (const char* option : {"--write-chapter OUT.vel", "--title TEXT"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
}

}  // namespace
}  // namespace vael
