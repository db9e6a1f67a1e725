#include "cli/HtmlText.h"

#include <cstdio>

#include "core/chapter/CodePage.h"

namespace vael::cli {

std::string HtmlText(std::string_view codePageText) {
  return HtmlEscaped(Utf8FromWindows1252(codePageText));
}

std::string HtmlEscaped(std::string_view utf8Text) {
  std::string out;
  out.reserve(utf8Text.size());
  for (char c : utf8Text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default:
        // Control characters have no place in a page's text (an XML reader
        // refuses them); they show as the replacement character.
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') {
          out += "\xEF\xBF\xBD";
        } else {
          out += c;
        }
    }
  }
  return out;
}

std::string Grouped(long long number) {
  std::string digits = std::to_string(number < 0 ? -number : number);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return number < 0 ? "-" + out : out;
}

std::string Fixed(double number, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, number);
  return text;
}

}  // namespace vael::cli
