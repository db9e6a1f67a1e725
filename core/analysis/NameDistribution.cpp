#include "core/analysis/NameDistribution.h"

#include <algorithm>
#include <array>
#include <vector>

#include "core/chapter/Collation.h"

namespace vael {

namespace {
bool IsSeparator(char c) { return c == ' ' || c == '-'; }

// Bytes whose collation weight is that of one plain letter, A to Z and a to
// z aside. Eth sorts with D but is a letter of its own, as thorn is.
std::array<bool, 256> AccentedLetters() {
  std::array<bool, 256> accented{};
  std::array<std::vector<std::uint16_t>, 26> plain;
  for (char letter = 'A'; letter <= 'Z'; ++letter) plain[letter - 'A'] = CollationKey(std::string(1, letter));
  for (int byte = 0x80; byte < 256; ++byte) {
    const std::vector<std::uint16_t> key = CollationKey(std::string(1, static_cast<char>(byte)));
    accented[byte] = std::find(plain.begin(), plain.end(), key) != plain.end();
  }
  accented[0xD0] = accented[0xF0] = false;
  return accented;
}
}  // namespace

int LetterCount(std::string_view name) {
  return static_cast<int>(std::count_if(name.begin(), name.end(), [](char c) { return !IsSeparator(c); }));
}

bool IsLetterPair(char first, char second) { return !IsSeparator(first) && !IsSeparator(second); }

bool IsAccentedLetter(char c) {
  static const std::array<bool, 256> accented = AccentedLetters();
  return accented[static_cast<unsigned char>(c)];
}

int AccentedLetterCount(std::string_view name) {
  return static_cast<int>(std::count_if(name.begin(), name.end(), IsAccentedLetter));
}

void NameDistribution::Add(std::string_view upperName) {
  ++names;
  const int length = LetterCount(upperName);
  letters += length;
  ++lengths[length];
  ++accents[AccentedLetterCount(upperName)];
  if (!upperName.empty()) ++initials[static_cast<unsigned char>(upperName.front())];
  for (std::size_t i = 0; i + 1 < upperName.size(); ++i) {
    if (!IsLetterPair(upperName[i], upperName[i + 1])) continue;
    ++pairs[std::string(upperName.substr(i, 2))];
    ++pairCount;
  }
}

double NameDistribution::MeanLength() const {
  return names == 0 ? 0.0 : static_cast<double>(letters) / names;
}

}  // namespace vael
