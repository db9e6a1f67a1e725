#include "core/chapter/TextFile.h"

#include <algorithm>
#include <cstdio>

#include "core/chapter/CodePage.h"

namespace vael {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Lines end at LF, CR LF or a lone CR.
int LineOf(std::string_view bytes, std::size_t offset) {
  int line = 1;
  for (std::size_t i = 0; i < offset && i < bytes.size(); ++i) {
    if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))) {
      ++line;
    }
  }
  return line;
}

// The code-page byte a UTF-8 character is read as, or -1.
int ByteForCharacter(char32_t c) {
  // Lists copied from print use curly apostrophes and the modifier letter
  // apostrophe; the chapter alphabet knows only the plain one.
  if (c == 0x2018 || c == 0x2019 || c == 0x02BC) return '\'';
  return ByteOfCodePoint(c);
}

}  // namespace

std::string_view WithoutByteOrderMark(std::string_view bytes) {
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) bytes.remove_prefix(kByteOrderMark.size());
  return bytes;
}

TextEncoding DetectTextEncoding(std::string_view bytes, bool isPrefix) {
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) return TextEncoding::Utf8;
  bool multiByte = false;
  for (std::size_t at = 0; at < bytes.size();) {
    if (static_cast<unsigned char>(bytes[at]) < 0x80) {
      ++at;
      continue;
    }
    const Utf8Sequence sequence = ReadUtf8Sequence(bytes.substr(at));
    if (sequence.kind == Utf8Sequence::Kind::Cut && isPrefix) break;
    if (sequence.kind != Utf8Sequence::Kind::Valid) return TextEncoding::Windows1252;
    multiByte = true;
    at += sequence.length;
  }
  return multiByte ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

CodePageText DecodeText(std::string_view bytes, TextEncoding encoding, bool isPrefix) {
  CodePageText decoded;
  decoded.encoding = encoding;
  if (encoding == TextEncoding::Windows1252) {
    decoded.text.assign(bytes);
    return decoded;
  }
  decoded.text.reserve(bytes.size());
  auto fault = [&](TextFault kind, std::size_t at, char32_t character) {
    if (decoded.fault != TextFault::None) return;
    decoded.fault = kind;
    decoded.faultLine = LineOf(bytes, at);
    decoded.character = character;
  };
  for (std::size_t at = 0; at < bytes.size();) {
    const Utf8Sequence sequence = ReadUtf8Sequence(bytes.substr(at));
    if (sequence.kind == Utf8Sequence::Kind::Cut && isPrefix) break;
    if (sequence.kind != Utf8Sequence::Kind::Valid) {
      fault(TextFault::InvalidUtf8, at, 0);
      decoded.text += '?';
      at += sequence.length;
      continue;
    }
    const int byte = ByteForCharacter(sequence.codePoint);
    if (byte < 0) fault(TextFault::NotInCodePage, at, sequence.codePoint);
    decoded.text += byte < 0 ? '?' : static_cast<char>(byte);
    at += sequence.length;
  }
  return decoded;
}

CodePageText ReadTextFile(std::string_view bytes, bool isPrefix) {
  const TextEncoding encoding = DetectTextEncoding(bytes, isPrefix);
  if (encoding == TextEncoding::Windows1252) return DecodeText(bytes, encoding, isPrefix);
  return DecodeText(WithoutByteOrderMark(bytes), encoding, isPrefix);
}

std::string TextFaultText(const CodePageText& decoded) {
  const std::string line = " in line " + std::to_string(decoded.faultLine);
  switch (decoded.fault) {
    case TextFault::None:
      return {};
    case TextFault::InvalidUtf8:
      return "Invalid UTF-8 text" + line;
    case TextFault::NotInCodePage:
      return "Invalid character" + line;
  }
  return {};
}

std::string DescribeCharacter(char32_t c) {
  std::string text = "\"";
  AppendUtf8(text, c);
  char number[16];
  std::snprintf(number, sizeof number, "\" (U+%04X)", static_cast<unsigned>(c));
  return text + number;
}

namespace {

// Byte pairs looked at for UTF-16 without a byte-order mark.
constexpr std::size_t kUtf16Pairs = 32;

bool IsBinaryByte(char c) {
  const auto b = static_cast<unsigned char>(c);
  return (b < 0x20 && c != '\t' && c != '\n' && c != '\v' && c != '\f' && c != '\r') || b == 0x7F;
}

}  // namespace

bool LooksLikeUtf16(std::string_view bytes) {
  if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF") return true;
  const std::size_t pairs = std::min(bytes.size() / 2, kUtf16Pairs);
  if (pairs < 2) return false;
  for (std::size_t zero : {0, 1}) {
    bool every = true;
    for (std::size_t p = 0; p < pairs && every; ++p) {
      every = bytes[2 * p + zero] == '\0' && bytes[2 * p + 1 - zero] != '\0';
    }
    if (every) return true;
  }
  return false;
}

bool HoldsBinaryBytes(std::string_view bytes) {
  return std::any_of(bytes.begin(), bytes.end(), IsBinaryByte);
}

}  // namespace vael
