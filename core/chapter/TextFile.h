#pragma once
// The reading rule of every text file the program takes in (chapters, plain
// lists of names, book.dat, help files): a file that begins with the UTF-8
// byte-order mark, or that is valid UTF-8 throughout and holds at least one
// multi-byte sequence, is UTF-8; every other file is Windows-1252. A UTF-8
// file is converted to code-page bytes once, where it is read, so everything
// after works as for a file saved in the code page.

#include <string>
#include <string_view>

namespace vael {

enum class TextEncoding { Windows1252, Utf8 };

enum class TextFault {
  None,
  InvalidUtf8,    // a file marked as UTF-8 that is not
  NotInCodePage,  // a character the code page cannot hold
};

struct CodePageText {
  std::string text;  // code-page bytes; '?' stands for what could not be taken
  TextEncoding encoding = TextEncoding::Windows1252;
  TextFault fault = TextFault::None;  // the first one met
  int faultLine = 0;                  // its line, from 1
  char32_t character = 0;             // NotInCodePage: the character as written
};

// isPrefix: the bytes are the start of a longer file, so a sequence cut at
// their end is neither a fault nor a reason to read them as the code page.
TextEncoding DetectTextEncoding(std::string_view bytes, bool isPrefix = false);

// Decodes a file's bytes by the rule above, the byte-order mark dropped. In
// UTF-8 the typographic apostrophes (U+2018, U+2019, U+02BC) are read as the
// plain apostrophe, which names may hold.
CodePageText ReadTextFile(std::string_view bytes, bool isPrefix = false);

// Decodes bytes known to be in `encoding`, without a byte-order mark; lines
// are counted within these bytes.
CodePageText DecodeText(std::string_view bytes, TextEncoding encoding, bool isPrefix = false);

std::string_view WithoutByteOrderMark(std::string_view bytes);

// Files that are no text the program reads, told apart so that a failure
// can say what the file is:
//  - UTF-16, by its byte-order mark or by the zero byte beside every
//    character that English text, and every tag, holds;
//  - binary, by control bytes that no text file holds.
bool LooksLikeUtf16(std::string_view bytes);
bool HoldsBinaryBytes(std::string_view bytes);

// A load failure for a fault ("Invalid UTF-8 text in line 3", "Invalid
// character in line 12"); the character itself is named apart, since the
// code page cannot hold it. Short, so that the window's failure line holds
// it with the character.
std::string TextFaultText(const CodePageText& decoded);

// A character as the user wrote it, quoted, and its code point: "Ł" (U+0141),
// in UTF-8. The code point tells apart the characters that look alike or
// cannot be seen.
std::string DescribeCharacter(char32_t c);

}  // namespace vael
