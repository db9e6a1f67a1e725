#pragma once
// Our help files: "vael.hlp" beside the program and a book's optional
// "chapters.hlp", one topic per chapter, found by the chapter's TOPIC.
// Plain text in UTF-8 or Windows-1252. A line "@topic N Title" (N a decimal
// number of at least 1) starts topic N, whose text runs up to the next such
// line; text before the first topic is the introduction shown above the
// contents. Lines beginning with "//" are comments. Blank lines separate
// paragraphs; the lines of a paragraph flow together, except that a line
// beginning with "- " starts a line of its own (a list item).
// Read here once for the window and the page; every text comes out in UTF-8
// with every character kept, since help is only shown.

#include <string>
#include <string_view>
#include <vector>

namespace vael {

struct HelpTopic {
  int number = 0;
  std::string title;               // blanks around it dropped
  std::vector<std::string> lines;  // as written, comments removed
};

struct HelpDocument {
  std::vector<std::string> introduction;
  std::vector<HelpTopic> topics;  // file order
  // The first topic with this number, or nullptr.
  const HelpTopic* Find(int number) const;
};

HelpDocument ParseHelpText(std::string_view bytes);

// The paragraphs of a text's lines, each as the lines it shows: the lines
// that flow together joined by a space, each list item a line of its own.
using HelpParagraph = std::vector<std::string>;
std::vector<HelpParagraph> HelpParagraphs(const std::vector<std::string>& lines);

// text without the white space around it: the blanks and line breaks of
// ASCII and Unicode's spaces and separators (no-break space included).
std::string_view TrimHelpSpace(std::string_view text);

}  // namespace vael
