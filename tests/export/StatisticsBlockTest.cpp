#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FormLines.h"
#include "export/Export.h"

namespace vael {
namespace {

using test::F;
using test::kGeneral;
using test::kSystemLines;

std::string Joined(const std::vector<std::string>& lines, const std::string& lineEnd) {
  std::string text;
  for (const auto& line : lines) text += line + lineEnd;
  return text;
}

TEST(StatisticsBlock, EverySystemGivesItsLinesInOrder) {
  for (int system = 0; system <= 5; ++system) {
    SCOPED_TRACE(system);
    const auto& lines = kSystemLines[static_cast<std::size_t>(system)];
    EXPECT_EQ(StatisticsBlock(system, 0, DocumentFormat::PlainText), Joined(lines, "\r\n"));
    EXPECT_EQ(StatisticsBlock(system, 0, DocumentFormat::RichText), Joined(lines, "\\line "));
  }
}

TEST(StatisticsBlock, LinesHaveTheFormsWidths) {
  // Most lines are as wide as a description line; 3b and 5b are shorter.
  const std::vector<std::size_t> widths = {71, 71, 71, 71, 58, 71, 71, 71, 69};
  std::vector<std::size_t> seen = {kGeneral.size()};
  for (int system = 2; system <= 5; ++system) {
    for (std::size_t i = 1; i < 3; ++i) seen.push_back(kSystemLines[static_cast<std::size_t>(system)][i].size());
  }
  EXPECT_EQ(seen, widths);
  std::string all = StatisticsBlock(5, 0, DocumentFormat::PlainText);
  EXPECT_EQ(all.find(" \r\n"), std::string::npos);  // no trailing space
}

TEST(StatisticsBlock, DescriptionLinesFollowTheSystemLines) {
  const std::string description = F(71);
  EXPECT_EQ(StatisticsBlock(0, 1, DocumentFormat::PlainText), description + "\r\n");
  EXPECT_EQ(StatisticsBlock(0, 8, DocumentFormat::RichText),
            Joined(std::vector<std::string>(8, description), "\\line "));
  EXPECT_EQ(StatisticsBlock(2, 3, DocumentFormat::PlainText),
            Joined({kSystemLines[2][0], kSystemLines[2][1], kSystemLines[2][2], description,
                    description, description},
                   "\r\n"));
}

TEST(StatisticsBlock, FillBytesAreTheSameInBothFormats) {
  for (int system = 0; system <= 5; ++system) {
    std::string rich = StatisticsBlock(system, 8, DocumentFormat::RichText);
    std::string plain = StatisticsBlock(system, 8, DocumentFormat::PlainText);
    for (std::size_t at; (at = rich.find("\\line ")) != std::string::npos;) rich.replace(at, 6, "\r\n");
    EXPECT_EQ(rich, plain);
  }
}

TEST(StatisticsBlock, IndexesOutsideTheListsAddNothing) {
  for (auto format : {DocumentFormat::RichText, DocumentFormat::PlainText}) {
    EXPECT_EQ(StatisticsBlock(-1, 0, format), "");
    EXPECT_EQ(StatisticsBlock(6, 0, format), "");
    EXPECT_EQ(StatisticsBlock(0, 9, format), "");
    EXPECT_EQ(StatisticsBlock(0, -1, format), "");
    EXPECT_EQ(StatisticsBlock(1000000, -1000000, format), "");
    // The sound index still counts.
    EXPECT_EQ(StatisticsBlock(99, 2, format), StatisticsBlock(0, 2, format));
    EXPECT_EQ(StatisticsBlock(1, 99, format), StatisticsBlock(1, 0, format));
  }
}

}  // namespace
}  // namespace vael
