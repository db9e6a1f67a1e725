#pragma once
// Case mapping of the Windows-1252 code page as the chapter format defines it:
// A-Z <-> a-z, and the 33 accented capitals <-> their small partners, by
// position. Every other byte (ß, digits, apostrophe, hyphen...) has no other
// case. The loader's uppercasing, the word-list check and the capitals of
// finished names all go through these functions; the byte tables are built
// at compile time so that a lookup is one load.

#include <array>
#include <string>
#include <string_view>

namespace vael {

// "ÄËÏÖÜŸÁÉÍÓÚÝÂÊÎÔÛÀÈÌÒÙÃÕÅÆØŒÇÐÑÞŠ" and their partners, by position.
inline constexpr std::string_view accentedCapitals(
    "\xC4\xCB\xCF\xD6\xDC\x9F\xC1\xC9\xCD\xD3\xDA\xDD\xC2\xCA\xCE\xD4\xDB\xC0\xC8\xCC\xD2\xD9\xC3"
    "\xD5\xC5\xC6\xD8\x8C\xC7\xD0\xD1\xDE\x8A",
    33);
inline constexpr std::string_view accentedSmallLetters(
    "\xE4\xEB\xEF\xF6\xFC\xFF\xE1\xE9\xED\xF3\xFA\xFD\xE2\xEA\xEE\xF4\xFB\xE0\xE8\xEC\xF2\xF9\xE3"
    "\xF5\xE5\xE6\xF8\x9C\xE7\xF0\xF1\xFE\x9A",
    33);

namespace casemap {

struct Tables {
  std::array<char, 256> upper{};
  std::array<char, 256> lower{};
};

inline constexpr Tables kTables = [] {
  Tables tables;
  for (int b = 0; b < 256; ++b) tables.upper[b] = tables.lower[b] = static_cast<char>(b);
  for (int b = 'a'; b <= 'z'; ++b) {
    tables.upper[b] = static_cast<char>(b - 'a' + 'A');
    tables.lower[b - 'a' + 'A'] = static_cast<char>(b);
  }
  for (std::size_t i = 0; i < accentedCapitals.size(); ++i) {
    tables.upper[static_cast<unsigned char>(accentedSmallLetters[i])] = accentedCapitals[i];
    tables.lower[static_cast<unsigned char>(accentedCapitals[i])] = accentedSmallLetters[i];
  }
  return tables;
}();

}  // namespace casemap

constexpr char ToUpperChar(char c) { return casemap::kTables.upper[static_cast<unsigned char>(c)]; }
constexpr char ToLowerChar(char c) { return casemap::kTables.lower[static_cast<unsigned char>(c)]; }

std::string ToUpper(std::string_view text);
std::string ToLower(std::string_view text);
// Equal ignoring case under the mapping above.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace vael
