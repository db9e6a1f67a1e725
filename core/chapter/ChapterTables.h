#pragma once
// Everything the loader builds from one chapter file: its header texts and
// options, the analysis of its sample names and the statistical tables.
// The screening checks, the accents and the compiled chapter read these;
// the generator reads them through the lookup tables of Chapter.h.
//
// Table conventions shared by every module:
//  - Element codes: vowel element i has code i (0..98); consonant element j
//    has code 100 + j (100..1122). A code of 100 or more is a consonant.
//  - Lists that grow with the chapter (elements, templates, pairs, variants,
//    end-pair flag rows) are vectors holding exactly `...Count` entries.
//  - Tables indexed by element hold a row for each element of the chapter
//    (ElementRows); tables indexed by letter or structure type are fixed,
//    and cleared, not reallocated, per load.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/chapter/ChapterLimits.h"
#include "core/chapter/ElementRows.h"

namespace vael {

struct ChapterTables {
  // --- Header texts and options (the chapter file's tags) ---
  bool loaded = false;
  std::string errorText;
  char32_t errorCharacter = 0;  // a character of the file the code page lacks
  std::string title, line1, line2, author, date;
  std::string topic = "0";
  std::array<std::string, kMaxSpecialConsonants> specialConsonants;
  int specialConsonantCount = 0;
  std::vector<std::string> templates;  // templateCount entries
  std::vector<int> templateWeights;    // templateCount entries
  int templateCount = 0;
  bool structGen = false, statGen = false, shuffle = false;
  bool prefixOption = false, suffixOption = false;
  int fitLevel = 0, valLevel = 0, punctLevel = 0;
  int yMode = 0;  // 0 none, 1 Y:CON, 2 Y:SEMI
  int uMode = 0;  // 0 none, 2 U:SEMI
  // Steer the analysis only; a compiled chapter does not keep them.
  bool softConsonants = false, multiVowels = false;

  // --- Name analysis ---
  std::vector<std::string> vowelElements;      // vowelElementCount entries
  int vowelElementCount = 0;
  std::vector<std::string> consonantElements;  // consonantElementCount entries, coded
  int consonantElementCount = 0;
  int maxElements = 0;
  int nameCount = 0;
  int pairCapacity = 0;  // max(3 * nameCount, 256)
  std::string initialLetters;

  // --- Statistics (name letter index / element code indexed) ---
  std::array<int, kLetterTableSize> minRepeatDistance{};
  std::array<int, kLetterTableSize> maxLetterPercent{};
  std::vector<ElementPair> startPairs;  // startPairCount entries
  std::vector<int> startPairWeights;
  int startPairCount = 0;
  std::vector<ElementPair> endPairs;  // endPairCount entries
  std::vector<int> endPairWeights;
  int endPairCount = 0;
  std::vector<std::array<std::uint8_t, kEndPairFlags>> endPairBefore1;  // per end pair
  std::vector<std::array<std::uint8_t, kEndPairFlags>> endPairBefore2;
  // [vowel code][consonant letter index]
  ElementRows<std::array<std::uint8_t, kConsonantLetterColumns>, kVowelRows> vowelAfterConsonant;
  // [consonant letter index][vowel code]
  std::array<std::array<std::uint8_t, kVowelRows>, kConsonantLetterColumns> consonantAfterVowel{};
  // [later consonant's first letter][earlier consonant's last letter]
  std::array<std::array<std::uint8_t, kConsonantLetterColumns>, kConsonantLetterColumns>
      consonantAcrossVowel{};
  // [vowel code][vowel code two places earlier]
  ElementRows<std::array<std::uint8_t, kVowelRows>, kVowelRows> vowelAcrossConsonant;
  std::array<int, kStructureTypes> structureTypeCounts{};
  std::array<std::vector<std::string>, kStructureTypes> structureVariants;
  std::array<std::vector<int>, kStructureTypes> structureVariantWeights;
  std::array<int, kStructureTypes> structureVariantCounts{};
  // [vowel code][position slot], [consonant code - 100][position slot]
  ElementRows<std::array<int, kPositionSlots>, kVowelRows> vowelPositionCounts;
  ElementRows<std::array<int, kPositionSlots>, kConsonantRows> consonantPositionCounts;
};

}  // namespace vael
