#pragma once
// Conversion between the core's Windows-1252 bytes and the terminal's UTF-8.

#include <optional>
#include <string>
#include <string_view>

namespace vael::cli {

// Every byte maps to one character; the five bytes the code page leaves
// unassigned map to the C1 control of the same value, so nothing is lost.
std::string Utf8FromWindows1252(std::string_view text);
// The same, appended to out.
void AppendUtf8FromWindows1252(std::string& out, std::string_view text);

// The code-page byte of text when it is exactly one UTF-8 character the code
// page can hold (or one byte that is not UTF-8 at all, taken as it is).
std::optional<char> Windows1252CharFromUtf8(std::string_view text);

}  // namespace vael::cli
