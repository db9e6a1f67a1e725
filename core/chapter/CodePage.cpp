#include "core/chapter/CodePage.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace vael {
namespace {

// Code points of the bytes 0x80..0x9F; the rest of the code page equals
// Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Where the run of ASCII bytes from `at` ends: eight bytes at a time while
// they fit, as a name is seldom longer than a few words.
std::size_t PlainRunEnd(std::string_view text, std::size_t at) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
  while (text.size() - at >= 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + at, sizeof word);
    if (word & kHighBits) break;
    at += 8;
  }
  while (at < text.size() && static_cast<unsigned char>(text[at]) < 0x80) ++at;
  return at;
}

}  // namespace

char32_t CodePointOfByte(char byte) {
  const auto b = static_cast<unsigned char>(byte);
  if (b >= 0x80 && b < 0xA0) return kHighControls[b - 0x80];
  return b;
}

int ByteOfCodePoint(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == c) return static_cast<int>(0x80 + i);
  }
  return -1;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string Utf8FromWindows1252(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  AppendUtf8FromWindows1252(out, text);
  return out;
}

void AppendUtf8FromWindows1252(std::string& out, std::string_view text) {
  // Most names are plain ASCII, which is its own UTF-8: copied in runs, so
  // that printing many names costs little more than copying them.
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t plain = PlainRunEnd(text, at);
    out.append(text.data() + at, plain - at);
    if (plain == text.size()) break;
    AppendUtf8(out, CodePointOfByte(text[plain]));
    at = plain + 1;
  }
}

Utf8Sequence ReadUtf8Sequence(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) return {Utf8Sequence::Kind::Valid, lead, 1};
  // Lead bytes C0, C1 and F5..FF never begin a well-formed sequence.
  struct Form {
    std::size_t length;
    char32_t leadBits;
    char32_t smallest;  // below it the form is overlong
  };
  Form form{};
  if (lead >= 0xC2 && lead <= 0xDF) {
    form = {2, lead & 0x1Fu, 0x80};
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    form = {3, lead & 0x0Fu, 0x800};
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    form = {4, lead & 0x07u, 0x10000};
  } else {
    return {};
  }
  const std::size_t length = form.length;
  char32_t c = form.leadBits;
  for (std::size_t i = 1; i < length; ++i) {
    if (i == text.size()) return {Utf8Sequence::Kind::Cut, 0, i};
    const auto byte = static_cast<unsigned char>(text[i]);
    if (!IsContinuation(byte)) return {};
    c = (c << 6) | (byte & 0x3Fu);
    // Overlong forms, surrogates and code points past U+10FFFF show in the
    // second byte already, so a cut sequence is judged as far as it goes.
    if (i == 1) {
      char32_t least = c << (6 * (length - 2));
      char32_t most = least | ((char32_t{1} << (6 * (length - 2))) - 1);
      if (most < form.smallest || (least >= 0xD800 && most <= 0xDFFF) || least > 0x10FFFF) return {};
    }
  }
  return {Utf8Sequence::Kind::Valid, c, length};
}

std::optional<char> Windows1252CharFromUtf8(std::string_view text) {
  if (text.empty()) return std::nullopt;
  const Utf8Sequence sequence = ReadUtf8Sequence(text);
  if (sequence.kind == Utf8Sequence::Kind::Valid && sequence.length == text.size()) {
    int byte = ByteOfCodePoint(sequence.codePoint);
    if (byte >= 0) return static_cast<char>(byte);
    return std::nullopt;
  }
  if (text.size() == 1) return text[0];
  return std::nullopt;
}

}  // namespace vael
