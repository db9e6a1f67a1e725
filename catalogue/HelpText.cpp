#include "catalogue/HelpText.h"

#include <cstdint>

#include "core/chapter/CodePage.h"
#include "core/chapter/TextFile.h"

namespace vael {
namespace {

// What the window's toolkit takes for white space: the ASCII blanks and
// breaks, NEL, and Unicode's space, line and paragraph separators.
bool IsHelpSpace(char32_t c) {
  return c == ' ' || (c >= '\t' && c <= '\r') || c == 0x85 || c == 0xA0 || c == 0x1680 ||
         (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
         c == 0x205F || c == 0x3000;
}

// The length of the white-space character at the start of text; 0 if none.
std::size_t SpaceAtStart(std::string_view text) {
  const Utf8Sequence sequence = ReadUtf8Sequence(text);
  if (sequence.kind != Utf8Sequence::Kind::Valid) return 0;
  return IsHelpSpace(sequence.codePoint) ? sequence.length : 0;
}

// The same for the character that ends text.
std::size_t SpaceAtEnd(std::string_view text) {
  std::size_t start = text.size() - 1;
  // At most three continuation bytes before a sequence's first byte.
  while (start > 0 && text.size() - start < 4 &&
         (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80)
    --start;
  const std::string_view last = text.substr(start);
  return SpaceAtStart(last) == last.size() ? last.size() : 0;
}

// "@topic", blanks, a number of at least 1 that fits an int, and an optional
// title after one or more blanks; false for any other line.
bool ReadTopicLine(std::string_view line, int& number, std::string_view& title) {
  constexpr std::string_view kMark = "@topic";
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  if (!line.starts_with(kMark)) return false;
  std::size_t at = kMark.size();
  if (at == line.size() || !blank(line[at])) return false;
  while (at < line.size() && blank(line[at])) ++at;
  std::int64_t value = 0;
  const std::size_t digits = at;
  while (at < line.size() && line[at] >= '0' && line[at] <= '9') {
    value = value * 10 + (line[at++] - '0');
    if (value > INT32_MAX) return false;
  }
  if (at == digits || value < 1) return false;
  if (at < line.size() && !blank(line[at])) return false;
  number = static_cast<int>(value);
  title = TrimHelpSpace(line.substr(at));
  return true;
}

}  // namespace

std::string_view TrimHelpSpace(std::string_view text) {
  while (!text.empty()) {
    const std::size_t space = SpaceAtStart(text);
    if (space == 0) break;
    text.remove_prefix(space);
  }
  while (!text.empty()) {
    const std::size_t space = SpaceAtEnd(text);
    if (space == 0) break;
    text.remove_suffix(space);
  }
  return text;
}

const HelpTopic* HelpDocument::Find(int number) const {
  for (const HelpTopic& topic : topics) {
    if (topic.number == number) return &topic;
  }
  return nullptr;
}

HelpDocument ParseHelpText(std::string_view bytes) {
  const std::string text = DetectTextEncoding(bytes) == TextEncoding::Windows1252
                               ? Utf8FromWindows1252(bytes)
                               : std::string(WithoutByteOrderMark(bytes));
  HelpDocument document;
  std::vector<std::string>* target = &document.introduction;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find('\n', start);
    std::string_view line = std::string_view(text).substr(start, end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    int number = 0;
    std::string_view title;
    if (line.starts_with("//")) {
      // a comment
    } else if (ReadTopicLine(line, number, title)) {
      document.topics.push_back(HelpTopic{number, std::string(title), {}});
      target = &document.topics.back().lines;
    } else {
      target->emplace_back(line);
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return document;
}

std::vector<HelpParagraph> HelpParagraphs(const std::vector<std::string>& lines) {
  std::vector<HelpParagraph> paragraphs;
  HelpParagraph paragraph;
  for (const std::string& line : lines) {
    const std::string_view text = TrimHelpSpace(line);
    if (text.empty()) {
      if (!paragraph.empty()) paragraphs.push_back(std::move(paragraph));
      paragraph.clear();
    } else if (paragraph.empty() || text.starts_with("- ")) {
      paragraph.emplace_back(text);
    } else {
      paragraph.back() += ' ';
      paragraph.back() += text;
    }
  }
  if (!paragraph.empty()) paragraphs.push_back(std::move(paragraph));
  return paragraphs;
}

}  // namespace vael
