// Help files as the window and the page both read them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/HelpText.h"

namespace vael {
namespace {

using Lines = std::vector<std::string>;

TEST(HelpText, TopicLinesCommentsAndCodePages) {
  // A number too large for an int, a number glued to a word and topic 0 are
  // plain text; a Windows-1252 file comes out in UTF-8.
  const HelpDocument document = ParseHelpText(
      "Intro\r\n// note\r\n@topic 99999999999 Big\r\n@topic 4x\r\n@topic 0\r\n"
      "@topic\t3\t \xC9lan \r\nAelind\xEB\r\n@topic 3 Again\r\n@topic 5\r\n");
  EXPECT_EQ(document.introduction, (Lines{"Intro", "@topic 99999999999 Big", "@topic 4x", "@topic 0"}));
  ASSERT_EQ(document.topics.size(), 3u);
  EXPECT_EQ(document.Find(3)->title, "\xC3\x89lan");
  EXPECT_EQ(document.Find(3)->lines, Lines{"Aelind\xC3\xAB"});
  EXPECT_EQ(document.Find(5)->title, "");
  EXPECT_EQ(document.Find(6), nullptr);
}

TEST(HelpText, ParagraphsFlowListItemsBreakAndUnicodeSpaceIsTrimmed) {
  // A no-break space (C2 A0) and an ideographic space (E3 80 80) around a
  // line are white space; an accented letter at a line's end is not.
  const Lines lines{"  One", "flow\xC2\xA0", "", "\xE3\x80\x80- first", "- second caf\xC3\xA9",
                    "and more", " \t ", "", "Last"};
  const std::vector<HelpParagraph> paragraphs = HelpParagraphs(lines);
  ASSERT_EQ(paragraphs.size(), 3u);
  EXPECT_EQ(paragraphs[0], Lines{"One flow"});
  EXPECT_EQ(paragraphs[1], (Lines{"- first", "- second caf\xC3\xA9 and more"}));
  EXPECT_EQ(paragraphs[2], Lines{"Last"});
  EXPECT_EQ(TrimHelpSpace("\xC2\xA0\xE2\x80\xA8 x \xE2\x80\x83"), "x");
  EXPECT_EQ(TrimHelpSpace("\x80\xA0"), "\x80\xA0");  // stray bytes are no space
}

}  // namespace
}  // namespace vael
