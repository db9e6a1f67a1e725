#include "core/chapter/LetterClasses.h"

#include <array>

namespace vael {
namespace {

constexpr char kConsonants[] = "BCDFGHJKLMNPQRSTVWXZbcdfghjklmnpqrstvwxz\xE7\xF0\xF1\xFE\x9A\xC7\xD0\xD1\xDE\x8A\xDF" "0123456789yu";
constexpr char kVowels[] = "AEIOUY\xC4\xCB\xCF\xD6\xDC\x9F\xC1\xC9\xCD\xD3\xDA\xDD\xC2\xCA\xCE\xD4\xDB\xC0\xC8\xCC\xD2\xD9\xC3\xD5\xC5\xC6\xD8\x8C\xE4\xEB\xEF\xF6\xFC\xFF\xE1\xE9\xED\xF3\xFA\xFD\xE2\xEA\xEE\xF4\xFB\xE0\xE8\xEC\xF2\xF9\xE3\xF5\xE5\xE6\xF8\x9C\x27";
constexpr char kNameLetters[] = "BCDFGHJKLMNPQRSTVWXZbcdfghjklmnpqrstvwxz\xE7\xF0\xF1\xFE\x9A\xC7\xD0\xD1\xDE\x8A\xDF" "0123456789yuAEIOUY\xC4\xCB\xCF\xD6\xDC\x9F\xC1\xC9\xCD\xD3\xDA\xDD\xC2\xCA\xCE\xD4\xDB\xC0\xC8\xCC\xD2\xD9\xC3\xD5\xC5\xC6\xD8\x8C\xE4\xEB\xEF\xF6\xFC\xFF\xE1\xE9\xED\xF3\xFA\xFD\xE2\xEA\xEE\xF4\xFB\xE0\xE8\xEC\xF2\xF9\xE3\xF5\xE5\xE6\xF8\x9C\x27 -";

static_assert(sizeof(kConsonants) - 1 == kConsonantSetSize);
static_assert(sizeof(kVowels) - 1 == kVowelSetSize);
static_assert(sizeof(kNameLetters) - 1 == kNameLetterSetSize);

// Byte -> position lookups, built once; -1 where the byte is not in the set.
struct IndexTables {
  std::array<signed char, 256> consonant{};
  std::array<short, 256> nameLetter{};
  std::array<bool, 256> vowel{};
  IndexTables() {
    consonant.fill(-1);
    nameLetter.fill(-1);
    for (int i = 0; i < kNameLetterSetSize; ++i) {
      auto b = static_cast<unsigned char>(kNameLetters[i]);
      nameLetter[b] = static_cast<short>(i);
      if (i < kConsonantSetSize) consonant[b] = static_cast<signed char>(i);
      else if (i < kConsonantSetSize + kVowelSetSize) vowel[b] = true;
    }
  }
};

const IndexTables& Tables() {
  static const IndexTables tables;
  return tables;
}

}  // namespace

const std::string_view consonantSet(kConsonants, kConsonantSetSize);
const std::string_view vowelSet(kVowels, kVowelSetSize);
const std::string_view nameLetterSet(kNameLetters, kNameLetterSetSize);

bool IsConsonant(char c) { return Tables().consonant[static_cast<unsigned char>(c)] >= 0; }

bool IsVowel(char c) { return Tables().vowel[static_cast<unsigned char>(c)]; }

int ConsonantIndex(char c) { return Tables().consonant[static_cast<unsigned char>(c)]; }

int NameLetterIndex(char c) { return Tables().nameLetter[static_cast<unsigned char>(c)]; }

void AppendChar(std::string& text, char c) { text.push_back(c); }

}  // namespace vael
