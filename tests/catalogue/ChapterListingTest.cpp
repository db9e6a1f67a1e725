#include <gtest/gtest.h>

#include <filesystem>

#include "CatalogueFolders.h"
#include "support/ChildProcess.h"
#include "catalogue/Catalogue.h"

namespace vael {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::WriteCompiledChapter;
using test::WriteTextChapter;

std::vector<std::string> Rows(const std::vector<ChapterEntry>& rows) {
  std::vector<std::string> texts;
  for (const ChapterEntry& row : rows) texts.push_back(row.fileName + "=" + row.title);
  return texts;
}

class ListChaptersTest : public ::testing::Test {
 protected:
  std::vector<std::string> List() { return Rows(ListChapters(book_.string() + "/")); }

  TempDir dir_;
  fs::path book_ = dir_.path() / "elves";
  void SetUp() override { fs::create_directory(book_); }
};

TEST_F(ListChaptersTest, TextChaptersFirstThenCompiledOnesInNameOrder) {
  WriteCompiledChapter(book_, "a-old.qch", "Old elves");
  WriteTextChapter(book_, "wood.vel", "Wood elves");
  WriteTextChapter(book_, "High.VEL", "High elves");
  WriteCompiledChapter(book_, "Sea.Qch", "Sea elves");
  test::WriteFile((book_ / "notes.txt").string(), "TITLE \"Notes\";");
  EXPECT_EQ(List(), (std::vector<std::string>{"High.VEL=High elves", "wood.vel=Wood elves",
                                              "Sea.Qch=Sea elves", "a-old.qch=Old elves"}));
}

TEST_F(ListChaptersTest, TextChapterHidesCompiledChaptersItsNameStartsWith) {
  WriteTextChapter(book_, "elves.vel", "Elves");
  WriteCompiledChapter(book_, "elves.qch", "Elves, compiled");
  WriteTextChapter(book_, "elvishkin.vel", "Elvish kin");
  WriteCompiledChapter(book_, "elvish.qch", "Elvish");
  WriteCompiledChapter(book_, "Elvish2.qch", "Capital");  // prefix test is case-sensitive
  EXPECT_EQ(List(), (std::vector<std::string>{"elves.vel=Elves", "elvishkin.vel=Elvish kin",
                                              "Elvish2.qch=Capital"}));
}

TEST_F(ListChaptersTest, CompiledChapterWithAListedTitleIsDropped) {
  WriteTextChapter(book_, "elves.vel", "Elves");
  WriteTextChapter(book_, "more.vel", "Elves");  // equal text titles are all listed
  WriteCompiledChapter(book_, "other.qch", "Elves");
  WriteCompiledChapter(book_, "x1.qch", "Twin");
  WriteCompiledChapter(book_, "x2.qch", "Twin");
  WriteCompiledChapter(book_, "x3.qch", "");  // an empty compiled title is still listed
  EXPECT_EQ(List(), (std::vector<std::string>{"elves.vel=Elves", "more.vel=Elves", "x1.qch=Twin",
                                              "x3.qch="}));
}

TEST_F(ListChaptersTest, ChaptersWithoutTitleAreNotListed) {
  using namespace std::string_literals;
  test::WriteFile((book_ / "untitled.vel").string(), "LINE1 \"x\";");
  test::WriteFile((book_ / "late.vel").string(), std::string(2100, ' ') + "TITLE \"Late\";");
  test::WriteFile((book_ / "broken.qch").string(), "\0\x01\x01Vael 3.0"s);
  test::WriteFile((book_ / "tiny.qch").string(), "\0\x01"s);
  test::WriteFile((book_ / "empty.qch").string(), "");
  EXPECT_TRUE(List().empty());
}

TEST_F(ListChaptersTest, OddEntriesAreSkippedQuietly) {
  WriteTextChapter(book_, "good.vel", "Good");
  fs::create_directory(book_ / "folder.vel");
  WriteTextChapter(book_ / "folder.vel", "inner.vel", "Inner");
  fs::create_directory(book_ / "folder.qch");
  fs::create_symlink(book_ / "nowhere.vel", book_ / "broken.vel");
  fs::create_symlink(book_ / "nowhere.qch", book_ / "broken.qch");
  fs::create_symlink(book_ / "good.vel", book_ / "linked.vel");
  ASSERT_EQ(::mkfifo((book_ / "pipe.vel").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo((book_ / "pipe.qch").c_str(), 0600), 0);
  EXPECT_EQ(List(), (std::vector<std::string>{"good.vel=Good", "linked.vel=Good"}));
  EXPECT_TRUE(ListChapters((dir_.path() / "missing/").string()).empty());
}

TEST_F(ListChaptersTest, UnreadableChaptersAreNotListed) {
  WriteTextChapter(book_, "locked.vel", "Locked");
  WriteCompiledChapter(book_, "shut.qch", "Shut");
  WriteTextChapter(book_, "open.vel", "Open");
  fs::permissions(dir_.path(), fs::perms::all);
  fs::permissions(book_ / "locked.vel", fs::perms::none);
  fs::permissions(book_ / "shut.qch", fs::perms::none);
  // As an ordinary user: file permissions do not bind the superuser.
  EXPECT_EQ(test::InChild({.ordinaryUser = true},
                          [&] {
                            std::string rows;
                            for (const std::string& row : List()) rows += row + ";";
                            return rows;
                          }),
            "open.vel=Open;");
}

TEST_F(ListChaptersTest, ProgressRangeCountsEveryEntryAndStepsPerChapterFile) {
  WriteTextChapter(book_, "a.vel", "A");
  WriteTextChapter(book_, "b.vel", "");  // stepped although not listed
  WriteCompiledChapter(book_, "a.qch", "A");
  test::WriteFile((book_ / "book.dat").string(), "Elves\r\n");
  test::WriteFile((book_ / "chapters.hlp").string(), "");
  fs::create_directory(book_ / "sub");
  // Six entries plus "." and "..": N = 8.
  std::vector<int> start;
  int steps = 0;
  ListProgress progress{[&](int minimum, int maximum, int position) {
                          start = {minimum, maximum, position};
                        },
                        [&] { ++steps; }};
  ListChapters(book_.string() + "/", progress);
  EXPECT_EQ(start, (std::vector<int>{1, 7, 1}));
  EXPECT_EQ(steps, 3);
}

TEST_F(ListChaptersTest, EmptyFolderListsTheWorkingFolder) {
  WriteTextChapter(dir_.path(), "loose.vel", "Loose");
  test::WorkingFolder here(dir_.path());
  EXPECT_EQ(Rows(ListChapters("")), (std::vector<std::string>{"loose.vel=Loose"}));
  EXPECT_EQ(Rows(ListChapters("./")), (std::vector<std::string>{"loose.vel=Loose"}));
  EXPECT_EQ(Rows(ListChapters("elves")), Rows(ListChapters("elves/")));
}

TEST_F(ListChaptersTest, KeepsManyMoreThan256Chapters) {
  for (int i = 0; i < 300; ++i) WriteTextChapter(book_, "c" + std::to_string(1000 + i) + ".vel", "T" + std::to_string(i));
  EXPECT_EQ(List().size(), 300u);
}

}  // namespace
}  // namespace vael
