#include <gtest/gtest.h>

#include <filesystem>

#include "VaelgenRun.h"

namespace vael {
namespace {

namespace fs = std::filesystem;
using test::Lines;
using test::TempDir;

// vaelgen installed under a prefix of its own with a sample library beside
// it, a home folder without a library yet, and empty working folders.
class TitleLookupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root_.path() / "usr/bin");
    fs::copy_file(VAELGEN, program_);
    Book(installed_ / "northlands", "Northlands\r\n");
    Chapter(installed_ / "northlands/finnish.vel", "Finnish given names", {"Aino", "Eero", "Eino", "Ilmari"});
    Chapter(installed_ / "northlands/norse.vel", "Norse names", {"Bjorn", "Sigrid", "Ragnar", "Astrid"});
    Book(installed_ / "elder", "Elder Realms\r\n");
    Chapter(installed_ / "elder/elves.vel", "Elves", {"Aranel", "Elrond", "Legolas", "Idril"});
    Chapter(installed_ / "goblins.vel", "Goblins", {"Snaga", "Grishnak", "Ugluk", "Gorbag"});
    fs::create_directories(home_);
    fs::create_directories(work_);
  }

  static void Book(const fs::path& folder, const std::string& bookDat) {
    fs::create_directories(folder);
    test::WriteFile((folder / "book.dat").string(), bookDat);
  }
  static void Chapter(const fs::path& path, const std::string& title, std::vector<std::string> names) {
    test::ChapterDraft draft = test::Draft(std::move(names), "STATGEN");
    draft.title = title;
    test::WriteFile(path.string(), test::ChapterText(draft));
  }
  test::RunResult Run(const fs::path& folder, const std::vector<std::string>& arguments) {
    return test::RunProgram(folder, program_.string(),
                            {"-u", "XDG_DATA_HOME", test::ShellQuoted("HOME=" + home_.string())}, arguments);
  }

  TempDir root_;
  fs::path program_ = root_.path() / "usr/bin/vaelgen";
  fs::path installed_ = root_.path() / "usr/share/vael/library";
  fs::path home_ = root_.path() / "home";
  fs::path user_ = home_ / ".local/share/vael/library";
  fs::path work_ = root_.path() / "work";
};

TEST_F(TitleLookupTest, TitleOrBookAndTitleNamesAChapterOfTheUsersLibrary) {
  auto byTitle = Run(work_, {"--seed", "5", "Finnish given names"});
  ASSERT_EQ(byTitle.status, 0) << byTitle.err;
  EXPECT_EQ(byTitle.err, "");
  EXPECT_EQ(Lines(byTitle.out).size(), 10u);
  // The library was made on the way, and the name came from it.
  ASSERT_TRUE(fs::exists(user_ / "northlands/finnish.vel"));
  EXPECT_TRUE(fs::exists(user_ / "northlands/finnish.qch"));
  EXPECT_FALSE(fs::exists(installed_ / "northlands/finnish.qch"));
  EXPECT_EQ(Run(work_, {"--seed", "5", (user_ / "northlands/finnish.vel").string()}).out, byTitle.out);
  EXPECT_EQ(Run(work_, {"--seed", "5", "northlands/FINNISH given names"}).out, byTitle.out);
  EXPECT_EQ(Run(work_, {"--seed", "5", "goblins"}).status, 0);
}

TEST_F(TitleLookupTest, CurrentFolderComesFirst) {
  const fs::path own = root_.path() / "own";
  fs::create_directories(own);
  Chapter(own / "finnish.vel", "Finnish given names", {"Kalle", "Pekka", "Matti", "Ville"});
  auto run = Run(own, {"--seed", "5", "Finnish given names"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, Run(own, {"--seed", "5", "finnish.vel"}).out);
  // The user's library is not needed, so not made.
  EXPECT_FALSE(fs::exists(user_));
}

TEST_F(TitleLookupTest, UnknownOrAmbiguousTitlesNameTheCandidates) {
  auto typo = Run(work_, {"Finish given names"});
  EXPECT_EQ(typo.status, 1);
  EXPECT_EQ(typo.out, "");
  EXPECT_EQ(typo.err,
            "vaelgen: no chapter file or title \"Finish given names\"; the closest titles:\n"
            "  Northlands/Finnish given names\n");
  // A misspelt beginning of titles is close to each of them.
  EXPECT_EQ(Run(work_, {"norce"}).err,
            "vaelgen: no chapter file or title \"norce\"; the closest titles:\n"
            "  Northlands/Norse names\n");
  // A missing file is reported by the loader, not taken for a title.
  for (const char* file : {"elves.vel", "elves.qch", "villages.txt"}) {
    EXPECT_EQ(Run(work_, {file}).err, "vaelgen: " + std::string(file) + ": no such file\n");
  }
  auto nothing = Run(work_, {"Xyzzy plugh"});
  EXPECT_EQ(nothing.status, 1);
  EXPECT_EQ(nothing.err, "vaelgen: no chapter file or title \"Xyzzy plugh\" (vaelgen --list shows the chapters)\n");

  const fs::path own = root_.path() / "own";
  Book(own / "a", "Book A\r\n");
  Book(own / "b", "Book B\r\n");
  Chapter(own / "a/elves.vel", "Elves", {"Aranel", "Elrond", "Legolas", "Idril"});
  Chapter(own / "b/elves.vel", "elves", {"Aranel", "Elrond", "Legolas", "Idril"});
  auto both = Run(own, {"Elves"});
  EXPECT_EQ(both.status, 1);
  EXPECT_EQ(both.err,
            "vaelgen: more than one chapter is titled \"Elves\"; name one by book and title, or by file:\n"
            "  Book A/Elves  (a/elves.vel)\n"
            "  Book B/elves  (b/elves.vel)\n");
  EXPECT_EQ(Run(own, {"Book B/Elves"}).status, 0);
}

TEST_F(TitleLookupTest, ListAndTitlesWithoutAFolderShowTheUsersLibrary) {
  auto list = Run(work_, {"--list"});
  ASSERT_EQ(list.status, 0) << list.err;
  EXPECT_EQ(list.out, "Elder Realms  (" + user_.string() + "/elder/)\n"
                      "  Elves  " + user_.string() + "/elder/elves.vel\n"
                      "Northlands  (" + user_.string() + "/northlands/)\n"
                      "  Finnish given names  " + user_.string() + "/northlands/finnish.vel\n"
                      "  Norse names          " + user_.string() + "/northlands/norse.vel\n"
                      "Unbound\n"
                      "  Goblins  " + user_.string() + "/goblins.vel\n");
  auto titles = Run(work_, {"--titles"});
  EXPECT_EQ(titles.out, "Elves\nFinnish given names\nGoblins\nNorse names\n");
}

TEST_F(TitleLookupTest, LibraryThatCannotBeMadeIsAFailure) {
  fs::remove(home_);
  test::WriteFile(home_.string(), "not a folder");
  auto list = Run(work_, {"--list"});
  EXPECT_EQ(list.status, 1);
  EXPECT_EQ(list.err, "vaelgen: Couldn't create your library (Not a directory). " + user_.string() + "\n");
  auto title = Run(work_, {"Goblins"});
  EXPECT_EQ(title.status, 1);
  EXPECT_EQ(Lines(title.err).front(), "vaelgen: Couldn't create your library (Not a directory). " + user_.string());
}

}  // namespace
}  // namespace vael
