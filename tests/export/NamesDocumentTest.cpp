#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "FormLines.h"
#include "export/Export.h"

namespace vael {
namespace {

const std::string kRichHead =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fmodern Courier New;}{\\f1\\froman Times New Roman;}}"
    "{\\info{\\author Orlin }{\\title Elves}{\\subject Vaelorn 3.3}}";
const std::string kRichListHead =
    kRichHead + "\\pard\\f1\\fs48 Names of the elves\\par\\line\\sect\\sbknone\\cols4\\f1\\fs20 ";
const std::string kRichBlockHead =
    kRichHead + "\\widowctrl\\pard\\f1\\fs48 Names of the elves\\par\\line ";
const std::string kPlainHead = "Names of the elves\r\n\r\n";

using test::kDescription;
using test::kGeneral;
using test::kSystemLines;

// Newest first, as the history list shows them.
const std::vector<HistoryItem> kLastChecked = {{"Aran", true}, {"Belo", false}, {"Cim", true}};
const std::vector<HistoryItem> kLastUnchecked = {{"Aran", true}, {"Belo", true}, {"Cim", false}};

struct DocumentCase {
  const char* name;
  DocumentFormat format;
  int system;
  int lines;
  std::vector<HistoryItem> history;
  std::string expected;
};

// Named in test listings by its case name rather than by its bytes.
void PrintTo(const DocumentCase& documentCase, std::ostream* out) { *out << documentCase.name; }

class NamesDocumentCases : public ::testing::TestWithParam<DocumentCase> {};

TEST_P(NamesDocumentCases, WritesTheExpectedBytes) {
  const DocumentCase& c = GetParam();
  EXPECT_EQ(NamesDocument(c.format, "Elves", "Names of the elves", c.system, c.lines, c.history),
            c.expected);
}

const DocumentCase kCases[] = {
    {"RichListLastChecked", DocumentFormat::RichText, 0, 0, kLastChecked,
     kRichListHead + "Aran\\line Cim}"},
    {"RichListLastUnchecked", DocumentFormat::RichText, 0, 0, kLastUnchecked,
     kRichListHead + "Aran\\line Belo\\line }"},
    {"RichListOnlyTheLast", DocumentFormat::RichText, 0, 0, {{"Aran", false}, {"Belo", true}},
     kRichListHead + "Belo}"},
    {"PlainListLastChecked", DocumentFormat::PlainText, 0, 0, kLastChecked,
     kPlainHead + "Aran\r\nCim\r\n"},
    {"PlainListLastUnchecked", DocumentFormat::PlainText, 0, 0, kLastUnchecked,
     kPlainHead + "Aran\r\nBelo\r\n"},
    {"RichBlockGenericNoLines", DocumentFormat::RichText, 1, 0, kLastChecked,
     kRichBlockHead + "\\f1\\fs24 Aran\\sl300\\line\\f0\\fs20 " + kGeneral + "\\line \\par\\keep " +
         "\\f1\\fs24 Cim\\sl300\\line\\f0\\fs20 " + kGeneral + "\\line \\par\\keep }"},
    {"PlainBlockGenericNoLines", DocumentFormat::PlainText, 1, 0, kLastUnchecked,
     kPlainHead + "Aran\r\n" + kGeneral + "\r\n\r\nBelo\r\n" + kGeneral + "\r\n\r\n"},
    {"RichBlockLinesOnly", DocumentFormat::RichText, 0, 2, {{"Aran", true}},
     kRichBlockHead + "\\f1\\fs24 Aran\\sl300\\line\\f0\\fs20 " + kDescription + "\\line " +
         kDescription + "\\line \\par\\keep }"},
    {"PlainBlockLinesOnly", DocumentFormat::PlainText, 0, 2, {{"Aran", true}},
     kPlainHead + "Aran\r\n" + kDescription + "\r\n" + kDescription + "\r\n\r\n"},
    {"RichBlockSystem2ThreeLines", DocumentFormat::RichText, 2, 3, {{"Aran", true}},
     kRichBlockHead + "\\f1\\fs24 Aran\\sl300\\line\\f0\\fs20 " + kGeneral + "\\line " +
         kSystemLines[2][1] + "\\line " + kSystemLines[2][2] + "\\line " + kDescription +
         "\\line " + kDescription + "\\line " + kDescription + "\\line \\par\\keep }"},
    {"PlainBlockFantasyEightLines", DocumentFormat::PlainText, 5, 8, {{"Aran", true}},
     kPlainHead + "Aran\r\n" + kGeneral + "\r\n" + kSystemLines[5][1] + "\r\n" +
         kSystemLines[5][2] + "\r\n" + [] {
           std::string lines;
           for (int i = 0; i < 8; ++i) lines += kDescription + "\r\n";
           return lines;
         }() + "\r\n"},
    // An out-of-range setting is "None": the list layout.
    {"RichDamagedSettings", DocumentFormat::RichText, 6, -1, kLastChecked,
     kRichListHead + "Aran\\line Cim}"},
    {"RichNothingChecked", DocumentFormat::RichText, 0, 0, {{"Aran", false}}, kRichListHead + "}"},
    {"PlainNothingChecked", DocumentFormat::PlainText, 2, 3, {}, kPlainHead},
};

INSTANTIATE_TEST_SUITE_P(Layouts, NamesDocumentCases, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Rules every format must keep, whatever its syntax.
class NamesDocumentFormats : public ::testing::TestWithParam<DocumentFormat> {
 protected:
  std::string Document(int system, int lines, const std::vector<HistoryItem>& history) {
    return NamesDocument(GetParam(), "Elves", "Names of the elves", system, lines, history);
  }
};

TEST_P(NamesDocumentFormats, BlockLayoutHoldsTheStatisticsBlockUnderEveryName) {
  const std::vector<HistoryItem> history = {{"Aran", true}, {"Belo", true}};
  for (int system = 0; system <= 5; ++system) {
    for (int lines : {0, 3, 8}) {
      if (system == 0 && lines == 0) continue;
      SCOPED_TRACE(std::to_string(system) + "/" + std::to_string(lines));
      std::string document = Document(system, lines, history);
      std::string block = StatisticsBlock(system, lines, GetParam());
      ASSERT_FALSE(block.empty());
      std::size_t first = document.find(block);
      ASSERT_NE(first, std::string::npos);
      EXPECT_LT(document.find("Aran"), first);
      std::size_t second = document.find(block, first + block.size());
      ASSERT_NE(second, std::string::npos);
      EXPECT_LT(document.find("Belo"), second);
      EXPECT_EQ(document.find(block, second + block.size()), std::string::npos);
    }
  }
}

TEST_P(NamesDocumentFormats, CheckedEntriesInHistoryOrder) {
  std::string document =
      Document(0, 0, {{"Zed", true}, {"Aran", false}, {"Mira", true}, {"Bo", true}, {"X", false}});
  std::size_t zed = document.find("Zed"), mira = document.find("Mira"), bo = document.find("Bo");
  EXPECT_LT(zed, mira);
  EXPECT_LT(mira, bo);
  EXPECT_EQ(document.find("Aran"), std::string::npos);
}

TEST_P(NamesDocumentFormats, AccentedNamesAreWrittenByteForByte) {
  const std::string name = "\xC6lf\xE9n\xFF";  // Ælfénÿ in the code page
  EXPECT_NE(Document(1, 1, {{name, true}}).find(name), std::string::npos);
  EXPECT_NE(Document(0, 0, {{name, true}}).find(name), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(BothFormats, NamesDocumentFormats,
                         ::testing::Values(DocumentFormat::RichText, DocumentFormat::PlainText),
                         [](const auto& info) {
                           return info.param == DocumentFormat::RichText ? "RichText" : "PlainText";
                         });

TEST(NamesDocument, RichTextEscapesTitleAndInfoLineOnly) {
  std::string document = NamesDocument(DocumentFormat::RichText, "Elves {old\\new}", "Line {1}\\x",
                                       0, 0, {{"Aran", true}});
  EXPECT_NE(document.find("{\\title Elves \\{old\\\\new\\}}"), std::string::npos);
  EXPECT_NE(document.find("\\fs48 Line \\{1\\}\\\\x\\par"), std::string::npos);
  // Braces stay balanced, so a reader sees one closed group.
  int depth = 0;
  for (std::size_t i = 0; i < document.size(); ++i) {
    if (document[i] == '\\') ++i;
    else if (document[i] == '{') ++depth;
    else if (document[i] == '}') --depth;
    ASSERT_TRUE(depth > 0 || i + 1 == document.size()) << "closed early at " << i;
  }
  EXPECT_EQ(depth, 0);
}

TEST(NamesDocument, PlainTextKeepsTitleCharactersAsTheyAre) {
  EXPECT_EQ(NamesDocument(DocumentFormat::PlainText, "T", "Line {1}\\x", 0, 0, {{"Aran", true}}),
            "Line {1}\\x\r\n\r\nAran\r\n");
}

TEST(CopyText, CheckedEntriesJoinedWithoutAFinalLineEnd) {
  std::vector<HistoryItem> history = {{"Aran", true}, {"Belo", true}, {"X", false}, {"Cim", true}};
  EXPECT_EQ(CopyText(history, 2), "Aran\r\nBelo\r\nCim");
  EXPECT_EQ(CopyText({{"Aran", false}, {"Belo", true}}, 0), "Belo");
}

TEST(CopyText, SelectedEntryWhenNoneIsChecked) {
  std::vector<HistoryItem> history = {{"Aran", false}, {"Belo", false}};
  EXPECT_EQ(CopyText(history, 1), "Belo");
  EXPECT_EQ(CopyText(history, -1), "");
  EXPECT_EQ(CopyText(history, 2), "");
  EXPECT_EQ(CopyText({}, 0), "");
}

}  // namespace
}  // namespace vael
