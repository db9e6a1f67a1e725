#include "cli/DocumentText.h"

#include "core/chapter/CodePage.h"

namespace vael::cli {

std::string InEncoding(std::string_view codePageText, std::optional<TextEncoding> encoding) {
  if (encoding == TextEncoding::Utf8) return Utf8FromWindows1252(codePageText);
  return std::string(codePageText);
}

std::string WithLineFeeds(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') continue;
    out += text[at];
  }
  return out;
}

}  // namespace vael::cli
