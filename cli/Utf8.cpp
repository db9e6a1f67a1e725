#include "cli/Utf8.h"

#include <array>
#include <cstdint>

namespace vael::cli {

namespace {

// Code points of the bytes 0x80..0x9F; the rest of the code page equals
// Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t CodePoint(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80];
  return byte;
}

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
  for (char c : text) AppendUtf8(out, CodePoint(static_cast<unsigned char>(c)));
  return out;
}

std::optional<char> Windows1252CharFromUtf8(std::string_view text) {
  if (auto c = SingleCodePoint(text)) {
    for (int byte = 0; byte < 256; ++byte) {
      if (CodePoint(static_cast<unsigned char>(byte)) == *c) return static_cast<char>(byte);
    }
    return std::nullopt;
  }
  // A terminal set to the code page itself passes the byte as it is.
  if (text.size() == 1) return text[0];
  return std::nullopt;
}

}  // namespace vael::cli
