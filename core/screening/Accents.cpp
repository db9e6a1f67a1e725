#include "core/screening/Accents.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "core/chapter/CaseMapping.h"

namespace vael {
namespace {

constexpr int kLongVowelBit = 1;
constexpr int kDiaeresisBit = 2;
constexpr int kHarmonyBit = 4;

constexpr char kADiaeresis = '\xC4';
constexpr char kEDiaeresis = '\xCB';
constexpr char kODiaeresis = '\xD6';
constexpr char kUDiaeresis = '\xDC';

struct LongVowel {
  std::string_view pattern;
  char accented;
};

// Every three-letter pattern comes before every two-letter one, so AAA is
// never read as AA followed by A.
constexpr std::array<LongVowel, 11> kLongVowels{{
    {"AAA", '\xC2'},  // Â
    {"EEE", '\xCA'},  // Ê
    {"III", '\xCE'},  // Î
    {"OOO", '\xD4'},  // Ô
    {"UUU", '\xDB'},  // Û
    {"AA", '\xC1'},   // Á
    {"EE", '\xC9'},   // É
    {"II", '\xCD'},   // Í
    {"OO", '\xD3'},   // Ó
    {"UU", '\xDA'},   // Ú
    {"YY", '\xDD'},   // Ý
}};

bool StartsAt(const std::string& word, std::size_t i, std::string_view pattern) {
  return word.compare(i, pattern.size(), pattern) == 0;
}

void ReplaceLongVowelAt(std::string& word, std::size_t i) {
  for (const LongVowel& entry : kLongVowels) {
    if (StartsAt(word, i, entry.pattern)) {
      word.replace(i, entry.pattern.size(), 1, entry.accented);
      return;
    }
  }
}

// EA and EO keep the E at the start of a word and mark the second vowel
// there; elsewhere the E takes the diaeresis.
void ReplaceVowelPairAt(std::string& word, std::size_t i) {
  if (StartsAt(word, i, "EA")) {
    if (i == 0)
      word[1] = kADiaeresis;
    else
      word[i] = kEDiaeresis;
  } else if (StartsAt(word, i, "EO")) {
    if (i == 0)
      word[1] = kODiaeresis;
    else
      word[i] = kEDiaeresis;
  }
}

bool IsBackVowel(char c) { return c == 'A' || c == 'O' || c == 'U'; }

bool IsFrontVowel(char c) {
  return c == kADiaeresis || c == kODiaeresis || c == kUDiaeresis || c == 'Y';
}

char BackPartner(char c) {
  switch (c) {
    case kADiaeresis:
      return 'A';
    case kODiaeresis:
      return 'O';
    case kUDiaeresis:
      return 'U';
    case 'Y':
      return 'U';
    default:
      return c;
  }
}

char FrontPartner(char c) {
  switch (c) {
    case 'A':
      return kADiaeresis;
    case 'O':
      return kODiaeresis;
    case 'U':
      return 'Y';
    default:
      return c;
  }
}

// The first back or front vowel decides the class of the whole word.
void HarmoniseVowels(std::string& word) {
  for (char first : word) {
    if (IsBackVowel(first)) {
      for (char& c : word) c = BackPartner(c);
      return;
    }
    if (IsFrontVowel(first)) {
      for (char& c : word) c = FrontPartner(c);
      return;
    }
  }
}

}  // namespace

std::string PlainVowels(const ChapterTables& chapter, std::string_view upperWord) {
  const int bits = chapter.punctLevel;
  std::string plain;
  plain.reserve(upperWord.size() + 4);
  for (char c : upperWord) {
    const auto longVowel = std::find_if(kLongVowels.begin(), kLongVowels.end(),
                                        [c](const LongVowel& entry) { return entry.accented == c; });
    if ((bits & kLongVowelBit) && longVowel != kLongVowels.end()) {
      plain += longVowel->pattern;
    } else if ((bits & kDiaeresisBit) && (c == kADiaeresis || c == kODiaeresis || c == kEDiaeresis)) {
      plain += c == kADiaeresis ? 'A' : c == kODiaeresis ? 'O' : 'E';
    } else {
      plain += c;
    }
  }
  if (bits & kHarmonyBit) {
    for (char& c : plain) c = BackPartner(c);
  }
  return plain;
}

bool AccentsChangeWords(const ChapterTables& chapter) {
  return (chapter.punctLevel & (kLongVowelBit | kDiaeresisBit | kHarmonyBit)) != 0;
}

void AccentWord(const ChapterTables& chapter, std::string& word) {
  const int bits = chapter.punctLevel;
  if (bits & (kLongVowelBit | kDiaeresisBit)) {
    // The length is read at every step: long vowels shorten the word.
    for (std::size_t i = 0; i < word.size(); ++i) {
      if (bits & kLongVowelBit) ReplaceLongVowelAt(word, i);
      if (bits & kDiaeresisBit) ReplaceVowelPairAt(word, i);
    }
  }
  if ((bits & kDiaeresisBit) && !word.empty() && word.back() == 'E') word.back() = kEDiaeresis;
  if (bits & kHarmonyBit) HarmoniseVowels(word);
}

// Capitalising reads each byte as it came, not as lowered: raising a lowered
// byte gives what raising the byte itself gives, for every byte.
static_assert([] {
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    if (ToUpperChar(ToLowerChar(c)) != ToUpperChar(c)) return false;
  }
  return true;
}());

void CapitaliseLetters(char* word, std::size_t size) {
  if (size == 0) return;
  word[0] = ToUpperChar(word[0]);
  // The accented capitals map to their small partners through the same
  // shared pairs, so one lowering covers both. A hyphen joins two parts
  // that each begin with a capital; the first character of the word is
  // never treated as such a hyphen. The table is picked rather than
  // branched on: this runs on every letter of every name.
  const char* const upper = casemap::kTables.upper.data();
  const char* const lower = casemap::kTables.lower.data();
  const char* table = lower;
  for (std::size_t i = 1; i < size; ++i) {
    const auto c = static_cast<unsigned char>(word[i]);
    word[i] = table[c];
    table = c == '-' ? upper : lower;
  }
}

void CapitaliseWord(const ChapterTables&, std::string& word) {
  CapitaliseLetters(word.data(), word.size());
}

}  // namespace vael
