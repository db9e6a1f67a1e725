#pragma once
// The tag reader of the chapter format: KEYWORD "value";

#include <cstddef>
#include <string>
#include <string_view>

namespace vael {

// Looks the keyword up in the header window (first occurrence, exact case),
// takes the text after the next double quote up to the first double quote
// that is directly followed by a semicolon, and cuts it to maxLength bytes.
// False when the tag is missing.
bool ReadTag(std::string_view headerWindow, std::string_view keyword, std::string& value,
             std::size_t maxLength);

// Position of the first double quote at or after `from` that is directly
// followed by a semicolon, or npos. Both bytes must lie inside the window.
std::size_t FindQuoteSemicolon(std::string_view window, std::size_t from);

}  // namespace vael
