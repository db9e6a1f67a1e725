#pragma once
// The three letter classes of a chapter. Positions in these strings are table
// indices everywhere (statistics, compiled chapters, screening), so their
// order is part of the file format and must never change.
//
// The byte lookups are built at compile time and inline: the generator asks
// them for every letter of every candidate.

#include <array>
#include <string>
#include <string_view>

namespace vael {

inline constexpr int kConsonantSetSize = 63;
inline constexpr int kVowelSetSize = 63;
inline constexpr int kNameLetterSetSize = 128;
inline constexpr int kSpaceLetterIndex = 126;
inline constexpr int kHyphenLetterIndex = 127;

// Windows-1252 bytes, in table order: consonants, then vowels (the
// apostrophe last), then a space and a hyphen.
inline constexpr std::string_view nameLetterSet(
    "BCDFGHJKLMNPQRSTVWXZbcdfghjklmnpqrstvwxz\xE7\xF0\xF1\xFE\x9A\xC7\xD0\xD1\xDE\x8A\xDF"
    "0123456789yu"
    "AEIOUY\xC4\xCB\xCF\xD6\xDC\x9F\xC1\xC9\xCD\xD3\xDA\xDD\xC2\xCA\xCE\xD4\xDB\xC0\xC8\xCC\xD2\xD9"
    "\xC3\xD5\xC5\xC6\xD8\x8C\xE4\xEB\xEF\xF6\xFC\xFF\xE1\xE9\xED\xF3\xFA\xFD\xE2\xEA\xEE\xF4\xFB"
    "\xE0\xE8\xEC\xF2\xF9\xE3\xF5\xE5\xE6\xF8\x9C\x27 -",
    kNameLetterSetSize);
inline constexpr std::string_view consonantSet = nameLetterSet.substr(0, kConsonantSetSize);
inline constexpr std::string_view vowelSet =
    nameLetterSet.substr(kConsonantSetSize, kVowelSetSize);

namespace letters {

// Byte -> position in the name letter set, -1 where the byte is in no set.
inline constexpr std::array<short, 256> kNameLetterIndex = [] {
  std::array<short, 256> index{};
  index.fill(-1);
  for (int i = 0; i < kNameLetterSetSize; ++i)
    index[static_cast<unsigned char>(nameLetterSet[i])] = static_cast<short>(i);
  return index;
}();

}  // namespace letters

// Position of c in the name letter set (0..127), or -1.
constexpr int NameLetterIndex(char c) { return letters::kNameLetterIndex[static_cast<unsigned char>(c)]; }

// Position of c in the consonant set (0..62), or -1.
constexpr int ConsonantIndex(char c) {
  const int index = NameLetterIndex(c);
  return index < kConsonantSetSize ? index : -1;
}

constexpr bool IsConsonant(char c) { return ConsonantIndex(c) >= 0; }

constexpr bool IsVowel(char c) {
  const int index = NameLetterIndex(c);
  return index >= kConsonantSetSize && index < kConsonantSetSize + kVowelSetSize;
}

void AppendChar(std::string& text, char c);

}  // namespace vael
