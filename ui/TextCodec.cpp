#include "ui/TextCodec.h"

#include <array>

namespace vael::ui {
namespace {

// Unicode of the bytes 0x80..0x9F; the rest of the code page equals
// Latin-1. The five bytes the code page leaves undefined keep their C1
// control character, so that they survive a round trip.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t CharacterOf(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

char ByteOf(char16_t character) {
  if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
    return static_cast<char>(character);
  }
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == character) return static_cast<char>(0x80 + i);
  }
  return '?';
}

}  // namespace

QString FromWindows1252(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (char byte : bytes) text.append(QChar(CharacterOf(static_cast<unsigned char>(byte))));
  return text;
}

std::string ToWindows1252(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar character = text.at(i);
    // A surrogate pair is one character outside the code page.
    if (character.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
      ++i;
      bytes.push_back('?');
      continue;
    }
    bytes.push_back(ByteOf(character.unicode()));
  }
  return bytes;
}

}  // namespace vael::ui
