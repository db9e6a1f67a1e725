#include "core/chapter/Collation.h"

#include <array>
#include <utility>

namespace vael {
namespace {

// Signs weigh 1 + their byte, digits and letters follow in blocks of their own.
constexpr std::uint16_t kDigitBase = 300;
constexpr std::uint16_t kLetterBase = 400;
constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// The letters each byte of the code page counts as; empty for a sign or digit.
struct LetterSpelling {
  std::array<std::string_view, 256> letters{};
  LetterSpelling() {
    for (int c = 'A'; c <= 'Z'; ++c) {
      letters[c] = letters[c - 'A' + 'a'] = kAlphabet.substr(static_cast<std::size_t>(c - 'A'), 1);
    }
    // Accented letters of both cases, by their base letter.
    const std::pair<const char*, std::string_view> groups[] = {
        {"\xC0\xC1\xC2\xC3\xC4\xC5\xE0\xE1\xE2\xE3\xE4\xE5", "A"},
        {"\xC6\xE6", "AE"},
        {"\xC7\xE7", "C"},
        {"\xD0\xF0", "D"},
        {"\xC8\xC9\xCA\xCB\xE8\xE9\xEA\xEB", "E"},
        {"\x83", "F"},
        {"\xCC\xCD\xCE\xCF\xEC\xED\xEE\xEF", "I"},
        {"\xD1\xF1", "N"},
        {"\xD2\xD3\xD4\xD5\xD6\xD8\xF2\xF3\xF4\xF5\xF6\xF8", "O"},
        {"\x8C\x9C", "OE"},
        {"\x8A\x9A", "S"},
        {"\xDF", "SS"},
        {"\xDE\xFE", "TH"},
        {"\xD9\xDA\xDB\xDC\xF9\xFA\xFB\xFC", "U"},
        {"\xDD\xFD\xFF\x9F", "Y"},
        {"\x8E\x9E", "Z"},
    };
    for (const auto& [bytes, spelling] : groups) {
      for (const char* b = bytes; *b != '\0'; ++b) letters[static_cast<unsigned char>(*b)] = spelling;
    }
  }
};

const LetterSpelling& Spelling() {
  static const LetterSpelling spelling;
  return spelling;
}

}  // namespace

std::vector<std::uint16_t> CollationKey(std::string_view text) {
  std::vector<std::uint16_t> key;
  key.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    const std::string_view letters = Spelling().letters[byte];
    if (!letters.empty()) {
      for (char letter : letters) key.push_back(static_cast<std::uint16_t>(kLetterBase + (letter - 'A')));
    } else if (byte >= '0' && byte <= '9') {
      key.push_back(static_cast<std::uint16_t>(kDigitBase + (byte - '0')));
    } else {
      key.push_back(static_cast<std::uint16_t>(1 + byte));
    }
  }
  return key;
}

bool IsLetterWeight(std::uint16_t weight) { return weight >= kLetterBase; }

bool CollatesBefore(std::string_view a, std::string_view b) {
  const std::vector<std::uint16_t> keyA = CollationKey(a);
  const std::vector<std::uint16_t> keyB = CollationKey(b);
  return std::lexicographical_compare(keyA.begin(), keyA.end(), keyB.begin(), keyB.end());
}

}  // namespace vael
