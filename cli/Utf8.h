#pragma once
// The terminal's UTF-8 as one code-page character. (The other way, code-page
// text to UTF-8, is the core's Utf8FromWindows1252.)

#include <optional>
#include <string_view>

#include "core/chapter/CodePage.h"

namespace vael::cli {

// The code-page byte of text when it is exactly one UTF-8 character the code
// page can hold (or one byte that is not UTF-8 at all, taken as it is).
std::optional<char> Windows1252CharFromUtf8(std::string_view text);

}  // namespace vael::cli
