#pragma once
// The Windows-1252 code page as Unicode: the one table that every conversion
// of the program goes through, whether a UTF-8 file is read into the core or
// the core's text is shown in the window or printed by vaelgen. Every byte
// maps to one code point and back; the five bytes the code page leaves
// unassigned map to the C1 control of the same value, so nothing is lost.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vael {

char32_t CodePointOfByte(char byte);

// The byte whose code point is c, or -1 when the code page has none.
int ByteOfCodePoint(char32_t c);

// Appends the UTF-8 form of c (at most U+10FFFF).
void AppendUtf8(std::string& out, char32_t c);

// Code-page text as UTF-8, one character per byte.
std::string Utf8FromWindows1252(std::string_view text);
// The same, appended to out.
void AppendUtf8FromWindows1252(std::string& out, std::string_view text);

// One UTF-8 sequence at the start of a text.
struct Utf8Sequence {
  enum class Kind {
    Valid,    // codePoint holds the character, length its bytes
    Invalid,  // not well-formed (overlong, surrogate, stray byte...); length 1
    Cut,      // a well-begun sequence that the text ends inside
  };
  Kind kind = Kind::Invalid;
  char32_t codePoint = 0;
  std::size_t length = 1;
};

// Reads the sequence at the start of text (requires a non-empty text).
Utf8Sequence ReadUtf8Sequence(std::string_view text);

// The code-page byte of text when it is exactly one UTF-8 character the code
// page can hold (or one byte that is not UTF-8 at all, taken as it is, as a
// terminal set to the code page passes it).
std::optional<char> Windows1252CharFromUtf8(std::string_view text);

}  // namespace vael
