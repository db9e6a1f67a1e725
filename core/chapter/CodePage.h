#pragma once
// The Windows-1252 code page as Unicode: the one table that the window (Qt
// text) and vaelgen (UTF-8) convert chapter bytes through. Every byte maps
// to one code point and back; the five bytes the code page leaves
// unassigned map to the C1 control of the same value, so nothing is lost.

namespace vael {

char32_t CodePointOfByte(char byte);

// The byte whose code point is c, or -1 when the code page has none.
int ByteOfCodePoint(char32_t c);

}  // namespace vael
