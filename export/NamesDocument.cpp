#include "export/Export.h"

#include <string_view>

#include "core/Version.h"
#include "export/StatisticsBlocks.h"

namespace vael {

namespace {

constexpr std::string_view kRichLineEnd = "\\line ";

// The chapter's title and info line come from a hand-written file and may
// hold the Rich Text control characters; names cannot.
std::string EscapeRichText(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    if (c == '\\' || c == '{' || c == '}') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

std::string RichTextHead(const std::string& chapterTitle, const std::string& line1, bool blocks) {
  std::string head = "{\\rtf1\\ansi\\deff0{\\fonttbl";
  head += "{\\f0\\fmodern Courier New;}{\\f1\\froman Times New Roman;}}";
  head += "{\\info{\\author Orlin }";
  head += "{\\title " + EscapeRichText(chapterTitle) + "}{\\subject " + std::string(kProductVersion) + "}}";
  if (blocks) head += "\\widowctrl";
  head += "\\pard\\f1\\fs48 " + EscapeRichText(line1);
  // The list layout sets the names in four columns of 10-point type.
  head += blocks ? "\\par\\line " : "\\par\\line\\sect\\sbknone\\cols4\\f1\\fs20 ";
  return head;
}

}  // namespace

std::string NamesDocument(DocumentFormat format, const std::string& chapterTitle,
                          const std::string& line1, int systemIndex, int linesIndex,
                          const std::vector<HistoryItem>& history) {
  const bool rich = format == DocumentFormat::RichText;
  const bool blocks = UsesBlockLayout(systemIndex, linesIndex);
  const std::string block = blocks ? StatisticsBlock(systemIndex, linesIndex, format) : "";

  // The head is written even when nothing is checked, so the file is still
  // a complete document.
  std::string document = rich ? RichTextHead(chapterTitle, line1, blocks) : line1 + "\r\n\r\n";
  for (std::size_t i = 0; i < history.size(); ++i) {
    if (!history[i].checked) continue;
    const std::string& name = history[i].text;
    if (blocks && rich) {
      document += "\\f1\\fs24 " + name + "\\sl300\\line\\f0\\fs20 " + block + "\\par\\keep ";
    } else if (blocks) {
      document += name + "\r\n" + block + "\r\n";
    } else if (rich) {
      document += name;
      // Only the list's last position drops its line end; when that entry is
      // unchecked the last name written keeps it.
      if (i + 1 != history.size()) document += kRichLineEnd;
    } else {
      document += name + "\r\n";
    }
  }
  if (rich) document += "}";
  return document;
}

}  // namespace vael
