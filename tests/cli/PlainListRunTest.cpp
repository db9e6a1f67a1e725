// vaelgen on plain lists of names and on chapters saved in UTF-8: what the
// user reads on the terminal is UTF-8, whatever the file's encoding.

#include <gtest/gtest.h>

#include <filesystem>

#include "VaelgenRun.h"
#include "core/Vael.h"

namespace vael {
namespace {

using test::Lines;
using test::RunVaelgen;
using test::TempDir;

class PlainListRunTest : public ::testing::Test {
 protected:
  test::RunResult Run(const std::vector<std::string>& arguments) { return RunVaelgen(dir_, arguments); }
  TempDir dir_;
};

TEST_F(PlainListRunTest, AListIsAChapterAndItsRefusedNamesAreReported) {
  test::WriteFile(dir_.File("nordic.txt"),
                  "# Names from the sagas\n"
                  "Bj\xC3\xB6rn\nAstrid\nSigurd\nGudrun\nHalfdan\nIngrid\n\xC5\x81ukasz\nRagnar\nSolveig\n"
                  "Thorvald\nYrsa\nEirik\n");
  auto run = Run({"--seed", "9", "-n", "15", "nordic.txt"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err,
            "vaelgen: nordic.txt: line 8: \"\xC5\x81ukasz\" left out: the chapter alphabet has no "
            "\"\xC5\x81\" (U+0141)\n");
  // The core's names for the same list, seed and the list's options.
  TVaelChapter chapter;
  chapter.LoadList(dir_.File("nordic.txt"));
  ASSERT_TRUE(chapter.loaded) << chapter.errorText;
  SeedRandom(chapter, 9);
  GenerationOptions request;
  request.fit = 2;
  request.val = 2;
  request.statistical = true;
  std::vector<std::string> expected;
  for (int i = 0; i < 15; ++i) expected.push_back(Utf8FromWindows1252(GenerateName(chapter, request)));
  EXPECT_EQ(Lines(run.out), expected);
  // Nothing is cached beside a list.
  EXPECT_FALSE(std::filesystem::exists(dir_.File("nordic.qch")));
}

TEST_F(PlainListRunTest, AListTooPoorToUseFailsWithItsCause) {
  test::WriteFile(dir_.File("one.TXT"), "Aranel\n\xC5\x81ukasz\n");
  auto run = Run({"one.TXT"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err,
            "vaelgen: one.TXT: line 2: \"\xC5\x81ukasz\" left out: the chapter alphabet has no "
            "\"\xC5\x81\" (U+0141)\n"
            "vaelgen: one.TXT: Fewer than two usable names in the list\n");
}

TEST_F(PlainListRunTest, ChapterFailuresAreUtf8ForEitherEncoding) {
  const std::string codePage = test::ChapterText(test::Draft({"Bj\xF6rn!", "ABA"}));
  test::WriteFile(dir_.File("cp.vel"), codePage);
  test::WriteFile(dir_.File("utf8.vel"), Utf8FromWindows1252(codePage));
  for (const char* name : {"cp.vel", "utf8.vel"}) {
    auto run = Run({name});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "vaelgen: " + std::string(name) + ": Invalid character in name #1 (BJ\xC3\x96RN!)\n");
  }
  std::string polish = Utf8FromWindows1252(test::ChapterText(test::Draft({"Aba", "Tor"})));
  polish.replace(polish.find("Tor"), 1, "\xC5\x81");
  test::WriteFile(dir_.File("polish.vel"), polish);
  auto run = Run({"polish.vel"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "vaelgen: polish.vel: Invalid character in line 8: \"\xC5\x81\" (U+0141)\n");
  EXPECT_FALSE(std::filesystem::exists(dir_.File("polish.qch")));
}

}  // namespace
}  // namespace vael
