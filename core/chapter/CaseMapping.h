#pragma once
// Case mapping of the Windows-1252 code page as the chapter format defines it:
// A-Z <-> a-z, and the 33 accented capitals <-> their small partners, by
// position. Every other byte (ß, digits, apostrophe, hyphen...) has no other
// case. The loader's uppercasing, the word-list check and the capitals of
// finished names all go through these functions.

#include <string>
#include <string_view>

namespace vael {

// "ÄËÏÖÜŸÁÉÍÓÚÝÂÊÎÔÛÀÈÌÒÙÃÕÅÆØŒÇÐÑÞŠ" and their partners, by position.
extern const std::string_view accentedCapitals;      // 33 bytes
extern const std::string_view accentedSmallLetters;  // 33 bytes

char ToUpperChar(char c);
char ToLowerChar(char c);
std::string ToUpper(std::string_view text);
std::string ToLower(std::string_view text);
// Equal ignoring case under the mapping above.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace vael
