#pragma once
// The three letter classes of a chapter. Positions in these strings are table
// indices everywhere (statistics, compiled chapters, screening), so their
// order is part of the file format and must never change.

#include <string>
#include <string_view>

namespace vael {

// Windows-1252 bytes, in table order.
extern const std::string_view consonantSet;   // 63 characters
extern const std::string_view vowelSet;       // 63 characters, apostrophe last
extern const std::string_view nameLetterSet;  // consonants, vowels, ' ', '-'

inline constexpr int kConsonantSetSize = 63;
inline constexpr int kVowelSetSize = 63;
inline constexpr int kNameLetterSetSize = 128;
inline constexpr int kSpaceLetterIndex = 126;
inline constexpr int kHyphenLetterIndex = 127;

bool IsConsonant(char c);
bool IsVowel(char c);

// Position of c in the consonant set (0..62), or -1.
int ConsonantIndex(char c);
// Position of c in the name letter set (0..127), or -1.
int NameLetterIndex(char c);

void AppendChar(std::string& text, char c);

}  // namespace vael
