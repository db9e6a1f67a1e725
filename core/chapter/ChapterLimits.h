#pragma once
// Limits and small types shared by the chapter tables, the tables derived
// from them and the generator.

#include <array>

namespace vael {

// Table limits. A chapter that would exceed one fails to load; nothing is
// ever written past them.
inline constexpr int kMaxVowelElements = 99;        // codes 0..98
inline constexpr int kMaxConsonantElements = 1023;  // codes 100..1122
inline constexpr int kVowelRows = 100;               // rows of vowel-indexed tables
inline constexpr int kConsonantRows = 1024;          // rows of consonant-indexed tables
inline constexpr int kConsonantLetterColumns = 64;   // consonant letter index 0..62
inline constexpr int kMaxStructureElements = 31;     // codes per structure, then -1
inline constexpr int kStructureTypes = 64;
inline constexpr int kPositionSlots = 32;
inline constexpr int kMaxTemplates = 256;
inline constexpr int kMaxSpecialConsonants = 10;
inline constexpr int kEndPairFlags = 164;  // 0..99 vowel codes, 100..163 consonant letters
inline constexpr int kLetterTableSize = 129;
inline constexpr int kHistorySize = 100;
inline constexpr int kProgressSteps = 16;

// Element codes: vowel element i has code i, consonant element j code 100 + j.
inline constexpr int kFirstConsonantCode = 100;
inline constexpr bool IsConsonantCode(int code) { return code >= kFirstConsonantCode; }

// Codes of one name part, ended by -1.
using Structure = std::array<int, kMaxStructureElements + 1>;

struct ElementPair {
  int first = 0;
  int second = 0;
  bool operator==(const ElementPair&) const = default;
};

}  // namespace vael
