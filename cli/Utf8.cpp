#include "cli/Utf8.h"

#include <cstdint>

#include "core/chapter/CodePage.h"

namespace vael::cli {

namespace {

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The one code point of text, or nullopt when text is not exactly one
// well-formed UTF-8 sequence (up to three bytes is all the code page needs).
std::optional<char32_t> SingleCodePoint(std::string_view text) {
  if (text.empty()) return std::nullopt;
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  auto continuation = [&](std::size_t i) { return (byte(i) & 0xC0) == 0x80; };
  if (text.size() == 1 && byte(0) < 0x80) return byte(0);
  if (text.size() == 2 && (byte(0) & 0xE0) == 0xC0 && continuation(1)) {
    char32_t c = ((byte(0) & 0x1Fu) << 6) | (byte(1) & 0x3Fu);
    return c >= 0x80 ? std::optional<char32_t>(c) : std::nullopt;
  }
  if (text.size() == 3 && (byte(0) & 0xF0) == 0xE0 && continuation(1) && continuation(2)) {
    char32_t c = ((byte(0) & 0x0Fu) << 12) | ((byte(1) & 0x3Fu) << 6) | (byte(2) & 0x3Fu);
    return c >= 0x800 ? std::optional<char32_t>(c) : std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

std::string Utf8FromWindows1252(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  AppendUtf8FromWindows1252(out, text);
  return out;
}

void AppendUtf8FromWindows1252(std::string& out, std::string_view text) {
  for (char c : text) AppendUtf8(out, CodePointOfByte(c));
}

std::optional<char> Windows1252CharFromUtf8(std::string_view text) {
  if (auto c = SingleCodePoint(text)) {
    int byte = ByteOfCodePoint(*c);
    if (byte >= 0) return static_cast<char>(byte);
    return std::nullopt;
  }
  // A terminal set to the code page itself passes the byte as it is.
  if (text.size() == 1) return text[0];
  return std::nullopt;
}

}  // namespace vael::cli
