#include "ui/TextCodec.h"

#include "core/chapter/CodePage.h"

namespace vael::ui {

QString FromWindows1252(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  // Every code point of the code page lies in the Basic Multilingual Plane.
  for (char byte : bytes) text.append(QChar(static_cast<char16_t>(CodePointOfByte(byte))));
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
    const int byte = ByteOfCodePoint(character.unicode());
    bytes.push_back(byte >= 0 ? static_cast<char>(byte) : '?');
  }
  return bytes;
}

}  // namespace vael::ui
