#pragma once
// The one conversion between the core's Windows-1252 bytes and Qt's Unicode
// text. Every byte maps to one character and back, so a name shown in a
// control and read back gives the same bytes.

#include <QString>

#include <string>
#include <string_view>

namespace vael::ui {

QString FromWindows1252(std::string_view bytes);

// Characters the code page cannot hold become '?'.
std::string ToWindows1252(const QString& text);

}  // namespace vael::ui
