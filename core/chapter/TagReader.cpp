#include "core/chapter/TagReader.h"

namespace vael {

std::size_t FindQuoteSemicolon(std::string_view window, std::size_t from) {
  for (std::size_t i = from; i + 1 < window.size(); ++i) {
    if (window[i] == '"' && window[i + 1] == ';') return i;
  }
  return std::string_view::npos;
}

bool ReadTag(std::string_view headerWindow, std::string_view keyword, std::string& value,
             std::size_t maxLength) {
  std::size_t at = headerWindow.find(keyword);
  if (at == std::string_view::npos) return false;
  std::size_t open = headerWindow.find('"', at);
  if (open == std::string_view::npos) return false;
  std::size_t close = FindQuoteSemicolon(headerWindow, open + 1);
  if (close == std::string_view::npos) return false;
  // Only the closing pair ends a value, so a lone quote inside it is kept.
  value.assign(headerWindow.substr(open + 1, close - open - 1).substr(0, maxLength));
  return true;
}

}  // namespace vael
