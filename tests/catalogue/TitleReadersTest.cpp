#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "CatalogueFolders.h"
#include "catalogue/Catalogue.h"
#include "catalogue/ChapterTitles.h"
#include "core/chapter/CodePage.h"
#include "support/TestSupport.h"

namespace vael {
namespace {

using test::TempDir;
using test::WriteFile;

TEST(ReadBookLine, WalksCrLfLinesAndIsEmptyPastTheEnd) {
  const std::string data = "Elves\r\nThe fair folk\r\n\r\nOrlin";
  std::size_t position = 0;
  EXPECT_EQ(ReadBookLine(data, position), "Elves");
  EXPECT_EQ(position, 7u);
  EXPECT_EQ(ReadBookLine(data, position), "The fair folk");
  EXPECT_EQ(ReadBookLine(data, position), "");
  EXPECT_EQ(ReadBookLine(data, position), "Orlin");  // runs to the end of the data
  EXPECT_EQ(ReadBookLine(data, position), "");
  EXPECT_EQ(ReadBookLine(data, position), "");
}

TEST(ReadBookInfo, EmptyLinesGiveWayToTheTitleAndAnUnknownAuthor) {
  const BookInfo full = ReadBookInfo("Elves\r\nThe fair folk\r\nOld songs\r\nOrlin\r\n");
  EXPECT_EQ(full.title, "Elves");
  EXPECT_EQ(full.line2, "The fair folk");
  EXPECT_EQ(full.line3, "Old songs");
  EXPECT_EQ(full.line4, "Orlin");
  const BookInfo bare = ReadBookInfo("Elves\r\n\r\nOld songs");
  EXPECT_EQ(bare.line2, "Elves");
  EXPECT_EQ(bare.line3, "Old songs");
  EXPECT_EQ(bare.line4, "Author unknown");
}

TEST(ReadBookLine, LineFeedsAndCarriageReturnsEndALine) {
  std::size_t position = 0;
  const std::string lineFeeds = "Elves\nDwarves\n\nOrlin";
  EXPECT_EQ(ReadBookLine(lineFeeds, position), "Elves");
  EXPECT_EQ(ReadBookLine(lineFeeds, position), "Dwarves");
  EXPECT_EQ(ReadBookLine(lineFeeds, position), "");
  EXPECT_EQ(ReadBookLine(lineFeeds, position), "Orlin");
  position = 0;
  // A lone CR ends the line and swallows the byte after it.
  EXPECT_EQ(ReadBookLine("Elves\rXDwarves", position), "Elves");
  EXPECT_EQ(ReadBookLine("Elves\rXDwarves", position), "Dwarves");
  position = 0;
  EXPECT_EQ(ReadBookLine("", position), "");
  EXPECT_EQ(position, 2u);
}

TEST(TextChapterTitle, ReadsTheQuotedTitle) {
  EXPECT_EQ(TextChapterTitle(test::TitledChapterText("Elves")), "Elves");
  EXPECT_EQ(TextChapterTitle("TITLE \"Say \"hi\" now\";"), "Say \"hi\" now");
  EXPECT_EQ(TextChapterTitle("TITLE \"Semi;colon\";"), "Semi;colon");
}

TEST(TextChapterTitle, FirstQuoteOfTheFileOpensTheTitle) {
  EXPECT_EQ(TextChapterTitle("; a \"comment\r\nTITLE \"Elves\";"), "comment\r\nTITLE \"Elves");
  // The quote may even come before the tag.
  EXPECT_EQ(TextChapterTitle("\"early\"; TITLE \"Elves\";"), "early");
}

TEST(TextChapterTitle, EmptyWithoutTagOrClosingPair) {
  EXPECT_EQ(TextChapterTitle(""), "");
  EXPECT_EQ(TextChapterTitle("LINE1 \"Elves\";"), "");
  EXPECT_EQ(TextChapterTitle("title \"Elves\";"), "");  // the tag is case-sensitive
  EXPECT_EQ(TextChapterTitle("TITLE \"Elves\""), "");
  EXPECT_EQ(TextChapterTitle("TITLE Elves;"), "");
  EXPECT_EQ(TextChapterTitle("TITLE \"\";"), "");
}

TEST(TextChapterTitle, LooksOnlyAtTheFirst2048BytesBeforeAZeroByte) {
  auto padded = [](std::size_t padding) { return std::string(padding, ' ') + "TITLE \"Elves\";"; };
  EXPECT_EQ(TextChapterTitle(padded(2048 - 14)), "Elves");  // ends on the last byte
  EXPECT_EQ(TextChapterTitle(padded(2048 - 13)), "");       // closing pair cut off
  EXPECT_EQ(TextChapterTitle(padded(2048 - 4)), "");        // tag cut off
  EXPECT_EQ(TextChapterTitle(std::string("TITLE \"El\0ves\";", 15)), "");
  EXPECT_EQ(TextChapterTitle(std::string("TITLE \"Elves\";\0\"x\";", 19)), "Elves");
}

TEST(CompiledChapterTitle, SkipsTheVersionTextAndReadsTheTitleField) {
  using namespace std::string_literals;
  EXPECT_EQ(CompiledChapterTitle("\0\x17\x01Vael 3.0\0Elves\0Line 1\0"s), "Elves");
  EXPECT_EQ(CompiledChapterTitle("\0\x17\x01Vael 3.0\0\0"s), "");  // empty title still a title
  // The scan starts at offset 3 whatever the first three bytes hold.
  EXPECT_EQ(CompiledChapterTitle("\0\0\0\0Elves\0"s), "Elves");
  EXPECT_EQ(CompiledChapterTitle("\0\x17\x01Vael 3.0\0Elves"s), std::nullopt);
  EXPECT_EQ(CompiledChapterTitle("\0\x17\x01Vael 3.0"s), std::nullopt);
  EXPECT_EQ(CompiledChapterTitle("\0\x17\x01"s), std::nullopt);
  EXPECT_EQ(CompiledChapterTitle(""), std::nullopt);
}

TEST(ReadChapterTitles, FromFilesAndEmptyForMissingOnes) {
  using namespace std::string_literals;
  TempDir dir;
  WriteFile(dir.File("elves.vel"), test::TitledChapterText("Elves"));
  WriteFile(dir.File("elves.qch"), "\0\x17\x01Vael 3.0\0Compiled elves\0"s);
  WriteFile(dir.File("bad.qch"), "\0\x17\x01Vael"s);
  EXPECT_EQ(ReadChapterTitle(dir.File("elves.vel")), "Elves");
  EXPECT_EQ(ReadCompiledChapterTitle(dir.File("elves.qch")), "Compiled elves");
  EXPECT_EQ(ReadCompiledChapterTitle(dir.File("bad.qch")), "");
  EXPECT_EQ(ReadChapterTitle(dir.File("missing.vel")), "");
  EXPECT_EQ(ReadCompiledChapterTitle(dir.File("missing.qch")), "");
  EXPECT_EQ(ReadChapterTitle(dir.path().string()), "");  // a folder
}

}  // namespace
}  // namespace vael

namespace vael {
namespace {

// Titles and book lines are read as the loader reads the chapter: UTF-8
// taken into the code page, the title looked for in the first 2048 bytes of
// the text as taken.
TEST(Utf8Titles, ReadAsTheLoaderReadsThem) {
  TempDir dir;
  const std::string codePage = test::TitledChapterText("Bj\xF6rn's \x93sagas\x94");
  WriteFile(dir.File("utf8.vel"), Utf8FromWindows1252(codePage));
  WriteFile(dir.File("bom.vel"), "\xEF\xBB\xBF" + Utf8FromWindows1252(codePage));
  EXPECT_EQ(ReadChapterTitle(dir.File("utf8.vel")), "Bj\xF6rn's \x93sagas\x94");
  EXPECT_EQ(ReadChapterTitle(dir.File("bom.vel")), "Bj\xF6rn's \x93sagas\x94");

  // A comment of 700 three-byte characters: 2100 bytes in the file, 700 in
  // the text the loader takes, so the title after it is still found.
  std::string wide = "// ";
  for (int i = 0; i < 700; ++i) wide += "\xE2\x80\x94";  // em dash
  WriteFile(dir.File("wide.vel"), wide + "\r\n" + Utf8FromWindows1252(codePage));
  EXPECT_EQ(ReadChapterTitle(dir.File("wide.vel")), "Bj\xF6rn's \x93sagas\x94");
  // A character the code page lacks shows as "?" (the chapter itself fails
  // to load and says which character it is).
  WriteFile(dir.File("polish.vel"), test::TitledChapterText("\xC5\x81\xC3\xB3" "d\xC5\xBA"));
  EXPECT_EQ(ReadChapterTitle(dir.File("polish.vel")), "?\xF3" "d?");

  test::WriteBook(dir.path() / "nordic", "\xEF\xBB\xBFNordische B\xC3\xBC" "cher\nSagas\n");
  EXPECT_EQ(ReadBookDescription((dir.path() / "nordic").string()),
            std::optional<std::string>("Nordische B\xFC" "cher\nSagas\n"));
  // A sequence cut by the bytes read is left out, not read as the code page.
  EXPECT_EQ(ReadBookDescription((dir.path() / "nordic").string(), 15),
            std::optional<std::string>("Nordische B"));
  BookScan scan = ScanBooks(dir.path().string());
  ASSERT_EQ(scan.books.size(), 1u);
  EXPECT_EQ(scan.books[0].title, "Nordische B\xFC" "cher");
}

}  // namespace
}  // namespace vael
