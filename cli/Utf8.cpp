#include "cli/Utf8.h"

namespace vael::cli {

std::optional<char> Windows1252CharFromUtf8(std::string_view text) {
  if (text.empty()) return std::nullopt;
  const Utf8Sequence sequence = ReadUtf8Sequence(text);
  if (sequence.kind == Utf8Sequence::Kind::Valid && sequence.length == text.size()) {
    int byte = ByteOfCodePoint(sequence.codePoint);
    if (byte >= 0) return static_cast<char>(byte);
    return std::nullopt;
  }
  // A terminal set to the code page itself passes the byte as it is.
  if (text.size() == 1) return text[0];
  return std::nullopt;
}

}  // namespace vael::cli
