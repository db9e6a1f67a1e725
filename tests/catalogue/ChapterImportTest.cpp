// Chapters brought into the working folder: copied under a free name,
// lists written as chapters, and nothing left behind by a file that does
// not load.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "catalogue/Catalogue.h"
#include "catalogue/ChapterImport.h"
#include "core/Vael.h"
#include "support/TestSupport.h"

namespace vael {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

std::vector<std::string> Files(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class ChapterImportTest : public ::testing::Test {
 protected:
  std::string Source(const std::string& name) const { return source_.File(name); }
  std::string Working() const { return working_.path().string(); }

  TempDir source_;
  TempDir working_;
};

TEST_F(ChapterImportTest, ChaptersAreCopiedUnderAFreeNameNeverOverAnother) {
  test::WriteChapter(source_, "elves.vel", test::Draft({"Aranel", "Belegorn", "Celebrian", "Elrond"}));
  const std::string original = test::ReadFile(Source("elves.vel"));
  // A compiled chapter of its own: a text chapter named elves 2 would write
  // its compiled form over it.
  test::WriteFile(working_.File("elves 2.qch"), "standalone");

  ChapterImport first = ImportChapter(Source("elves.vel"), Working());
  ASSERT_TRUE(first.added) << first.failure;
  EXPECT_EQ(first.fileName, "elves.vel");
  ChapterImport second = ImportChapter(Source("elves.vel"), Working());
  ASSERT_TRUE(second.added) << second.failure;
  EXPECT_EQ(second.fileName, "elves 3.vel");
  EXPECT_EQ(test::ReadFile(working_.File("elves 3.vel")), original);
  EXPECT_EQ(test::ReadFile(working_.File("elves 2.qch")), "standalone");
  // Loaded as the window loads it: its compiled form is beside it, and the
  // source folder is left as it was.
  EXPECT_EQ(Files(working_.path()), (std::vector<std::string>{"elves 2.qch", "elves 3.qch", "elves 3.vel",
                                                              "elves.qch", "elves.vel"}));
  EXPECT_EQ(Files(source_.path()), (std::vector<std::string>{"elves.vel"}));

  // A compiled chapter dropped on its own is copied as it is.
  ChapterImport compiled = ImportChapter(working_.File("elves.qch"), source_.path().string());
  ASSERT_TRUE(compiled.added) << compiled.failure;
  EXPECT_EQ(compiled.fileName, "elves 2.qch");  // elves.vel's twin is taken
  EXPECT_EQ(test::ReadFile(source_.File("elves 2.qch")), test::ReadFile(working_.File("elves.qch")));
}

TEST_F(ChapterImportTest, AListBecomesAChapterTitledAfterItsNewFile) {
  test::WriteFile(Source("Villages.TXT"), "Ashby\nBarrowick\nBrockton\nCaldby\n\xC5\x81odz\nCranford\n");
  test::WriteFile(working_.File("Villages.vel"), "not a chapter, but taken");
  ChapterImport import = ImportChapter(Source("Villages.TXT"), Working());
  ASSERT_TRUE(import.added) << import.failure;
  EXPECT_EQ(import.fileName, "Villages 2.vel");
  EXPECT_EQ(import.namesLeftOut, 1u);
  TVaelChapter chapter;
  chapter.Load(working_.File("Villages 2.vel"));
  ASSERT_TRUE(chapter.loaded) << chapter.errorText;
  EXPECT_EQ(chapter.title, "Villages 2");
  EXPECT_EQ(chapter.nameCount, 5);
  EXPECT_EQ(ReadChapterTitle(working_.File("Villages 2.vel")), "Villages 2");
}

TEST_F(ChapterImportTest, AFileThatDoesNotLoadLeavesNothingBehind) {
  auto broken = test::ChapterText(test::Draft({"Aranel", "Bele!gorn"}));
  test::WriteFile(Source("broken.vel"), broken);
  test::WriteFile(Source("damaged.qch"), std::string("\0\x01\x01Vael 3.0\0Title\0", 18));
  test::WriteFile(Source("poor.txt"), "Aranel\n");
  test::WriteFile(Source("notes.doc"), "Aranel\nBelegorn\n");
  const std::pair<const char*, const char*> cases[] = {
      {"broken.vel", "Invalid character in name #2 (BELE!GORN)"},
      {"damaged.qch", "Damaged compiled chapter"},
      {"poor.txt", "Fewer than two usable names in the list"},
      {"notes.doc", "Not a chapter: only .vel, .qch and .txt files can be added"},
      {"missing.vel", "Couldn't open file"},
  };
  for (const auto& [name, cause] : cases) {
    ChapterImport import = ImportChapter(Source(name), Working());
    EXPECT_FALSE(import.added) << name;
    EXPECT_EQ(import.failure, cause) << name;
  }
  EXPECT_TRUE(Files(working_.path()).empty());
}

// Only a file can be a chapter: a folder is refused, and so is a named
// pipe, which would hold the window until something wrote into it.
TEST_F(ChapterImportTest, APipeOrAFolderIsRefusedWithoutWaiting) {
  fs::create_directory(Source("folder.vel"));
  ASSERT_EQ(::mkfifo(Source("pipe.txt").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo(Source("pipe.vel").c_str(), 0600), 0);
  for (const char* name : {"folder.vel", "pipe.txt", "pipe.vel"}) {
    const ChapterImport import = ImportChapter(Source(name), Working());
    EXPECT_FALSE(import.added) << name;
    EXPECT_EQ(import.failure, "Couldn't open file") << name;
  }
  EXPECT_TRUE(Files(working_.path()).empty());
}

TEST_F(ChapterImportTest, ALooseChapterDroppedAgainIsNeitherCopiedNorRemoved) {
  test::WriteChapter(working_, "elves.vel", test::Draft({"Aranel", "Belegorn", "Celebrian", "Elrond"}));
  test::WorkingFolder inside(working_.path());
  ChapterImport import = ImportChapter("elves.vel", "");
  ASSERT_TRUE(import.added) << import.failure;
  EXPECT_TRUE(import.alreadyLoose);
  EXPECT_EQ(import.fileName, "elves.vel");
  EXPECT_EQ(Files(working_.path()), (std::vector<std::string>{"elves.qch", "elves.vel"}));

  // One that no longer loads is reported, and kept as it is: it is the
  // user's own file, not a copy the drop made.
  const std::string broken = test::ChapterText(test::Draft({"Aranel", "Bele!gorn"}));
  const std::string damaged("\0\x01\x01Vael 3.0\0Title\0", 18);
  test::WriteFile(working_.File("broken.vel"), broken);
  test::WriteFile(working_.File("damaged.qch"), damaged);
  ChapterImport failed = ImportChapter("broken.vel", "");
  EXPECT_FALSE(failed.added);
  EXPECT_EQ(failed.failure, "Invalid character in name #2 (BELE!GORN)");
  failed = ImportChapter(working_.File("damaged.qch"), Working());
  EXPECT_FALSE(failed.added);
  EXPECT_EQ(failed.failure, "Damaged compiled chapter");
  EXPECT_EQ(test::ReadFile(working_.File("broken.vel")), broken);
  EXPECT_EQ(test::ReadFile(working_.File("damaged.qch")), damaged);
  EXPECT_EQ(Files(working_.path()),
            (std::vector<std::string>{"broken.vel", "damaged.qch", "elves.qch", "elves.vel"}));
}

}  // namespace
}  // namespace vael
