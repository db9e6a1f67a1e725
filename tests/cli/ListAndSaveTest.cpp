#include <gtest/gtest.h>

#include <filesystem>

#include "VaelgenRun.h"
#include "export/Export.h"

namespace vael {
namespace {

namespace fs = std::filesystem;
using test::Lines;
using test::RunVaelgen;
using test::TempDir;

class VaelgenSaveTest : public ::testing::Test {
 protected:
  void SetUp() override { chapter_ = test::WriteChapter(dir_, "elves.vel", test::ElvesDraft()); }

  // The document the window's save command writes for these names, all
  // checked, newest first.
  std::string ExpectedDocument(DocumentFormat format, int rpg, int lines, std::uint32_t seed, int count) {
    GenerationOptions request;
    request.statistical = true;
    request.fit = 2;
    std::vector<HistoryItem> history;
    for (const auto& name : test::CoreNames(chapter_, seed, request, count)) {
      history.insert(history.begin(), {name, true});
    }
    return NamesDocument(format, "Elves", "Names of the elves", rpg, lines, history);
  }

  TempDir dir_;
  std::string chapter_;
};

TEST_F(VaelgenSaveTest, SavedDocumentsEqualTheWritersBytes) {
  struct Case {
    std::vector<std::string> arguments;
    std::string file;
    DocumentFormat format;
    int rpg, lines;
  };
  const std::vector<Case> cases = {
      {{"-o", "names.txt"}, "names.txt", DocumentFormat::PlainText, 0, 0},
      {{"-o", "names.RTF"}, "names.RTF", DocumentFormat::RichText, 0, 0},
      {{"-o", "sheet.rtf", "--rpg", "2", "--lines", "3"}, "sheet.rtf", DocumentFormat::RichText, 2, 3},
      {{"--output", "sheet.rtf", "--format", "txt", "--rpg", "5"}, "sheet.rtf",
       DocumentFormat::PlainText, 5, 0},
      {{"-o", "plain", "--format=rtf", "--lines=8"}, "plain", DocumentFormat::RichText, 0, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    std::vector<std::string> arguments = c.arguments;
    arguments.insert(arguments.end(), {"--seed", "11", "-n", "12", "elves.vel"});
    auto run = RunVaelgen(dir_, arguments);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(test::ReadFile(dir_.File(c.file)), ExpectedDocument(c.format, c.rpg, c.lines, 11, 12));
  }
  // No temporary file is left behind.
  for (const auto& entry : fs::directory_iterator(dir_.path())) {
    EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
  }
}

TEST_F(VaelgenSaveTest, FailedSaveLeavesTheOldFileAndExitsWithOne) {
  test::WriteFile(dir_.File("keep.txt"), "old names\r\n");
  auto missingFolder = RunVaelgen(dir_, {"-o", "nowhere/names.txt", "elves.vel"});
  EXPECT_EQ(missingFolder.status, 1);
  EXPECT_EQ(missingFolder.err.rfind("vaelgen: Couldn't write to file nowhere/names.txt", 0), 0u)
      << missingFolder.err;

  fs::create_directory(dir_.path() / "folder");
  auto folder = RunVaelgen(dir_, {"-o", "folder", "elves.vel"});
  EXPECT_EQ(folder.status, 1);
  EXPECT_TRUE(fs::is_directory(dir_.path() / "folder"));

  auto badChapter = RunVaelgen(dir_, {"-o", "keep.txt", "missing.vel"});
  EXPECT_EQ(badChapter.status, 1);
  EXPECT_EQ(test::ReadFile(dir_.File("keep.txt")), "old names\r\n");

  // A success replaces it whole, through a link to it as well.
  fs::create_symlink("keep.txt", dir_.path() / "link.txt");
  ASSERT_EQ(RunVaelgen(dir_, {"-o", "link.txt", "-n", "3", "elves.vel"}).status, 0);
  EXPECT_TRUE(fs::is_symlink(dir_.path() / "link.txt"));
  EXPECT_EQ(Lines(test::ReadFile(dir_.File("keep.txt"))).size(), 5u);  // line1, blank, 3 names
}

TEST(VaelgenList, BooksAndChaptersSortedIgnoringCaseAndAccents) {
  TempDir dir;
  test::ChapterDraft draft = test::ElvesDraft();
  auto chapter = [&](const std::string& file, const std::string& title) {
    draft.title = title;
    test::WriteChapter(dir, file, draft);
  };
  fs::create_directories(dir.path() / "zwerge");
  fs::create_directories(dir.path() / "alben");
  test::WriteFile(dir.File("zwerge/book.dat"), "dwarves\r\n");
  test::WriteFile(dir.File("alben/book.dat"), "Elves\r\n");
  chapter("zwerge/hill.vel", "Hill dwarves");
  chapter("zwerge/deep.vel", "deep dwarves");
  chapter("alben/wood.vel", "\xC9lan wood");  // accented title, shown as UTF-8
  chapter("alben/fern.vel", "Fern wood");     // É sorts with E, not after Z
  chapter("loose.vel", "Loose");

  const std::string expected =
      "dwarves  (zwerge/)\n"
      "  deep dwarves  zwerge/deep.vel\n"
      "  Hill dwarves  zwerge/hill.vel\n"
      "Elves  (alben/)\n"
      "  \xC3\x89lan wood  alben/wood.vel\n"
      "  Fern wood  alben/fern.vel\n"
      "Unbound\n"
      "  Loose  loose.vel\n";
  auto here = RunVaelgen(dir, {"--list"});
  EXPECT_EQ(here.status, 0) << here.err;
  EXPECT_EQ(here.out, expected);

  // From elsewhere the paths lead into the folder, ready to pass back.
  TempDir other;
  auto there = RunVaelgen(other, {"--list", dir.path().string()});
  EXPECT_EQ(there.status, 0);
  EXPECT_NE(there.out.find("  Loose  " + dir.path().string() + "/loose.vel\n"), std::string::npos)
      << there.out;
  EXPECT_NE(there.out.find("  Hill dwarves  " + dir.path().string() + "/zwerge/hill.vel\n"),
            std::string::npos);
  EXPECT_EQ(RunVaelgen(other, {"--list"}).out, "");
  auto missing = RunVaelgen(other, {"--list", "nowhere"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "vaelgen: no such folder: nowhere\n");
}

}  // namespace
}  // namespace vael
