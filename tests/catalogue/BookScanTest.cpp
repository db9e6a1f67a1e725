#include <gtest/gtest.h>

#include <filesystem>

#include "CatalogueFolders.h"
#include "support/ChildProcess.h"
#include "catalogue/Catalogue.h"

namespace vael {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::WriteBook;

std::vector<std::string> Titles(const BookScan& scan) {
  std::vector<std::string> titles;
  for (const BookEntry& book : scan.books) titles.push_back(book.folder + "=" + book.title);
  return titles;
}

TEST(ScanBooks, UnboundNeedsALooseChapterOfEitherKindInAnyCase) {
  TempDir dir;
  const std::string base = dir.path().string();
  EXPECT_FALSE(ScanBooks(base).unbound);
  test::WriteFile(dir.File("notes.txt"), "x");
  test::WriteFile(dir.File("vel"), "x");
  EXPECT_FALSE(ScanBooks(base).unbound);
  test::WriteCompiledChapter(dir.path(), "Elves.QCH", "Elves");
  EXPECT_TRUE(ScanBooks(base).unbound);
  fs::remove(dir.path() / "Elves.QCH");
  test::WriteTextChapter(dir.path(), "dwarves.Vel", "Dwarves");
  EXPECT_TRUE(ScanBooks(base).unbound);
}

TEST(ScanBooks, AnEntryNamedLikeAChapterCountsForUnbound) {
  TempDir dir;
  fs::create_directory(dir.path() / "odd.vel");
  EXPECT_TRUE(ScanBooks(dir.path().string()).unbound);
}

TEST(ScanBooks, FoldersWithATitledBookDatAreBooksInNameOrder) {
  TempDir dir;
  WriteBook(dir.path() / "zwerge", "Dwarves\r\nSmall folk\r\n");
  WriteBook(dir.path() / "Alben", "Elves");
  WriteBook(dir.path() / "blank", "\r\nNo title here\r\n");
  WriteBook(dir.path() / "empty", "");
  fs::create_directory(dir.path() / "plain");
  test::WriteFile(dir.File("book.txt"), "Not a folder\r\n");
  BookScan scan = ScanBooks(dir.path().string());
  EXPECT_FALSE(scan.unbound);
  EXPECT_EQ(Titles(scan), (std::vector<std::string>{"Alben=Elves", "zwerge=Dwarves"}));
}

TEST(ScanBooks, ReadsOnlyTheFirst255BytesOfBookDat) {
  TempDir dir;
  WriteBook(dir.path() / "lf", "Elves\nThe fair folk\n" + std::string(300, 'x'));
  WriteBook(dir.path() / "long", std::string(254, 'a') + "b" + "c\r\n");
  WriteBook(dir.path() / "late", std::string(255, ' ') + "Late");
  BookScan scan = ScanBooks(dir.path().string());
  ASSERT_EQ(scan.books.size(), 3u);
  EXPECT_EQ(scan.books[0].folder, "late");
  EXPECT_EQ(scan.books[0].title, std::string(255, ' '));
  EXPECT_EQ(scan.books[1].title, "Elves");  // "lf": a line may end in LF alone
  EXPECT_EQ(scan.books[2].title, std::string(254, 'a') + "b");
}

TEST(ScanBooks, DotIsABookWhenTheBaseFolderHasBookDat) {
  TempDir dir;
  WriteBook(dir.path(), "Loose chapters\r\n");
  WriteBook(dir.path() / "elves", "Elves\r\n");
  EXPECT_EQ(Titles(ScanBooks(dir.path().string())),
            (std::vector<std::string>{".=Loose chapters", "elves=Elves"}));
}

TEST(ScanBooks, DotDotIsABookWhenTheParentHasBookDat) {
  TempDir dir;
  WriteBook(dir.path(), "Parent\r\n");
  fs::create_directory(dir.path() / "base");
  EXPECT_EQ(Titles(ScanBooks((dir.path() / "base").string())),
            (std::vector<std::string>{"..=Parent"}));
}

TEST(ScanBooks, EmptyBaseIsTheWorkingFolder) {
  TempDir dir;
  WriteBook(dir.path() / "elves", "Elves\r\n");
  test::WriteTextChapter(dir.path(), "loose.vel", "Loose");
  test::WorkingFolder here(dir.path());
  BookScan scan = ScanBooks("");
  EXPECT_TRUE(scan.unbound);
  EXPECT_EQ(Titles(scan), (std::vector<std::string>{"elves=Elves"}));
}

TEST(ScanBooks, OddEntriesAreSkippedQuietly) {
  TempDir dir;
  WriteBook(dir.path() / "good", "Good\r\n");
  fs::create_directory_symlink(dir.path() / "nowhere", dir.path() / "broken");
  fs::create_directory_symlink(dir.path() / "good", dir.path() / "linked");
  fs::create_directory(dir.path() / "datdir");
  fs::create_directory(dir.path() / "datdir" / "book.dat");  // a folder, not a file
  fs::create_directory(dir.path() / "fifo");
  ASSERT_EQ(::mkfifo((dir.path() / "fifo" / "book.dat").c_str(), 0600), 0);
  EXPECT_EQ(Titles(ScanBooks(dir.path().string())),
            (std::vector<std::string>{"good=Good", "linked=Good"}));
  EXPECT_EQ(ScanBooks((dir.path() / "missing").string()).books.size(), 0u);
}

TEST(ScanBooks, UnreadableBookDatIsNotABook) {
  TempDir dir;
  WriteBook(dir.path() / "locked", "Locked\r\n");
  WriteBook(dir.path() / "open", "Open\r\n");
  fs::permissions(dir.path(), fs::perms::all);
  fs::permissions(dir.path() / "locked" / "book.dat", fs::perms::none);
  // As an ordinary user: file permissions do not bind the superuser.
  EXPECT_EQ(test::InChild({.ordinaryUser = true},
                          [&] { return Titles(ScanBooks(dir.path().string())).at(0); }),
            "open=Open");
}

TEST(ScanBooks, KeepsManyMoreThan64Books) {
  TempDir dir;
  for (int i = 0; i < 70; ++i) {
    WriteBook(dir.path() / ("book" + std::to_string(100 + i)), "Book " + std::to_string(i));
  }
  BookScan scan = ScanBooks(dir.path().string());
  ASSERT_EQ(scan.books.size(), 70u);
  EXPECT_EQ(scan.books.back().title, "Book 69");
}

}  // namespace
}  // namespace vael
