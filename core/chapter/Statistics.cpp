#include "core/chapter/Statistics.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_map>

#include "core/chapter/LetterClasses.h"

namespace vael {
namespace {

constexpr int kNeverRepeats = 255;
// The variant character of an element is '0' + its length; longer elements
// are shown at this length so the character never becomes the 0 byte that
// ends a text in the compiled chapter.
constexpr int kLongestShownElement = 0xFF - '0';

// Number of codes before the end mark, or 0 when the structure is not one
// the analysis can produce (no end mark, a code outside the chapter's
// element lists, or vowel and consonant elements not alternating).
int WellFormedLength(const ChapterTables& chapter, const Structure& structure) {
  const int vowels = std::min({chapter.vowelElementCount,
                               static_cast<int>(chapter.vowelElements.size()), kVowelRows});
  const int consonants =
      std::min({chapter.consonantElementCount,
                static_cast<int>(chapter.consonantElements.size()), kConsonantRows});
  int n = 0;
  while (n < kMaxStructureElements && structure[n] != -1) {
    int code = structure[n];
    bool known = IsConsonantCode(code) ? code - 100 < consonants : code >= 0 && code < vowels;
    if (!known) return 0;
    if (n > 0 && IsConsonantCode(code) == IsConsonantCode(structure[n - 1])) return 0;
    ++n;
  }
  if (structure[n] != -1 || n < 2) return 0;
  return n;
}

// Consonant letter index of the first or last character of a consonant
// element, or -1 when the element is empty or that character is no consonant.
int ConsonantLetterAt(const ChapterTables& chapter, int code, bool last) {
  const std::string& text = chapter.consonantElements[code - 100];
  if (text.empty()) return -1;
  return ConsonantIndex(last ? text.back() : text.front());
}

// A MULTI vowel element such as ALA: three characters, consonant in the middle.
bool IsSpreadVowel(const std::string& text) { return text.size() == 3 && IsConsonant(text[1]); }

int StructureType(int n, bool startsWithConsonant) {
  return startsWithConsonant ? 2 * n - 4 : 2 * n - 3;
}

std::string VariantText(const ChapterTables& chapter, const Structure& codes, int n) {
  std::string variant;
  for (int i = 0; i < n; ++i) {
    int length = 0;
    if (IsConsonantCode(codes[i])) {
      for (char c : chapter.consonantElements[codes[i] - 100]) {
        int digit = c - '0';
        bool special = digit >= 0 && digit < chapter.specialConsonantCount;
        length += special ? static_cast<int>(chapter.specialConsonants[digit].size()) : 1;
      }
    } else {
      const std::string& text = chapter.vowelElements[codes[i]];
      length = chapter.multiVowels && IsSpreadVowel(text) ? 0 : static_cast<int>(text.size());
    }
    variant.push_back(static_cast<char>('0' + std::min(length, kLongestShownElement)));
  }
  return variant;
}

std::uint32_t PairKey(const ElementPair& pair) {
  return static_cast<std::uint32_t>(pair.first) << 16 | static_cast<std::uint32_t>(pair.second);
}

// Index of pair in an ordered pair list, appending it with weight 1 when new;
// the map mirrors the list so a large chapter is not searched linearly.
int CountPair(std::vector<ElementPair>& pairs, std::vector<int>& weights, int& count,
              std::unordered_map<std::uint32_t, int>& index, const ElementPair& pair) {
  auto [it, added] = index.try_emplace(PairKey(pair), count);
  if (added) {
    pairs.push_back(pair);
    weights.push_back(1);
    ++count;
  } else {
    ++weights[it->second];
  }
  return it->second;
}

int& PositionCounter(ChapterTables& chapter, int code, int slot) {
  return IsConsonantCode(code) ? chapter.consonantPositionCounts[code - 100][slot]
                               : chapter.vowelPositionCounts[code][slot];
}

template <typename Table>
void ClearTable(Table& table) {
  for (auto& row : table) row.fill(0);
}

template <typename Row, int kMaxRows>
void ClearTable(ElementRows<Row, kMaxRows>& table) {
  table.clear();
}

}  // namespace

void ClearStatistics(ChapterTables& chapter) {
  chapter.vowelElements.clear();
  chapter.vowelElementCount = 0;
  chapter.consonantElements.clear();
  chapter.consonantElementCount = 0;
  chapter.maxElements = 0;
  chapter.specialConsonants.fill(std::string());
  chapter.specialConsonantCount = 0;

  chapter.minRepeatDistance.fill(kNeverRepeats);
  chapter.maxLetterPercent.fill(0);

  chapter.startPairs.clear();
  chapter.startPairWeights.clear();
  chapter.startPairCount = 0;
  chapter.endPairs.clear();
  chapter.endPairWeights.clear();
  chapter.endPairCount = 0;
  chapter.endPairBefore1.clear();
  chapter.endPairBefore2.clear();

  ClearTable(chapter.vowelAfterConsonant);
  ClearTable(chapter.consonantAfterVowel);
  ClearTable(chapter.consonantAcrossVowel);
  ClearTable(chapter.vowelAcrossConsonant);

  chapter.structureTypeCounts.fill(0);
  for (auto& variants : chapter.structureVariants) variants.clear();
  for (auto& weights : chapter.structureVariantWeights) weights.clear();
  chapter.structureVariantCounts.fill(0);

  ClearTable(chapter.vowelPositionCounts);
  ClearTable(chapter.consonantPositionCounts);
}

void GatherLetterStatistics(ChapterTables& chapter, const std::vector<std::string>& upperNames) {
  for (const std::string& name : upperNames) {
    const auto length = static_cast<int>(name.size());
    if (length == 0) continue;

    // Repeat distance: the nearest recurrence two or more places on; doubled
    // letters say nothing about how closely a letter may come back.
    for (int i = 0; i + 2 < length; ++i) {
      auto next = name.find(name[i], static_cast<std::size_t>(i) + 2);
      if (next == std::string::npos) continue;
      int letter = NameLetterIndex(name[i]);
      if (letter < 0) continue;
      int distance = static_cast<int>(next) - i;
      chapter.minRepeatDistance[letter] = std::min(chapter.minRepeatDistance[letter], distance);
    }

    std::array<int, kNameLetterSetSize> occurrences{};
    for (char c : name) {
      int letter = NameLetterIndex(c);
      if (letter >= 0) ++occurrences[letter];
    }
    for (int letter = 0; letter < kNameLetterSetSize; ++letter) {
      if (occurrences[letter] == 0) continue;
      // Share in whole percent, rounded half up, in floating point as the
      // screening thresholds were tuned against.
      double share = (static_cast<double>(occurrences[letter]) / length + 0.005) * 100;
      chapter.maxLetterPercent[letter] =
          std::max(chapter.maxLetterPercent[letter], static_cast<int>(share));
    }
  }
}

void BuildStructureTables(ChapterTables& chapter, const std::vector<Structure>& structures) {
  std::vector<int> lengths(structures.size());
  for (std::size_t s = 0; s < structures.size(); ++s) {
    lengths[s] = WellFormedLength(chapter, structures[s]);
    chapter.maxElements = std::max(chapter.maxElements, lengths[s]);
  }

  // C. Start and end pairs, and what stood before each end pair.
  std::unordered_map<std::uint32_t, int> startIndex, endIndex;
  for (std::size_t s = 0; s < structures.size(); ++s) {
    const int n = lengths[s];
    if (n == 0) continue;
    const Structure& c = structures[s];
    CountPair(chapter.startPairs, chapter.startPairWeights, chapter.startPairCount, startIndex,
              {c[0], c[1]});
    int e = CountPair(chapter.endPairs, chapter.endPairWeights, chapter.endPairCount, endIndex,
                      {c[n - 2], c[n - 1]});
    if (chapter.endPairBefore1.size() < chapter.endPairs.size()) {
      chapter.endPairBefore1.emplace_back().fill(0);
      chapter.endPairBefore2.emplace_back().fill(0);
    }
    // Vowel elements are flagged by code, consonant elements by 100 plus
    // the letter they end in.
    auto flag = [&](int code) {
      if (!IsConsonantCode(code)) return code;
      int letter = ConsonantLetterAt(chapter, code, true);
      return letter < 0 ? -1 : 100 + letter;
    };
    if (n > 2) {
      int f = flag(c[n - 3]);
      if (f >= 0) chapter.endPairBefore1[e][f] = 1;
    }
    if (n > 3) {
      int f = flag(c[n - 4]);
      if (f >= 0) chapter.endPairBefore2[e][f] = 1;
    }
  }

  // D. Which element may follow which letter, next door and across one element.
  for (std::size_t s = 0; s < structures.size(); ++s) {
    const int n = lengths[s];
    const Structure& c = structures[s];
    for (int x = 1; x < n; ++x) {
      if (IsConsonantCode(c[x])) {
        int f = ConsonantLetterAt(chapter, c[x], false);
        if (f < 0) continue;
        chapter.consonantAfterVowel[f][c[x - 1]] = 1;
        if (x >= 2 && !IsSpreadVowel(chapter.vowelElements[c[x - 1]])) {
          int g = ConsonantLetterAt(chapter, c[x - 2], true);
          if (g >= 0) chapter.consonantAcrossVowel[f][g] = 1;
        }
      } else {
        int g = ConsonantLetterAt(chapter, c[x - 1], true);
        if (g >= 0) chapter.vowelAfterConsonant[c[x]][g] = 1;
        if (x >= 2) chapter.vowelAcrossConsonant[c[x]][c[x - 2]] = 1;
      }
    }
  }

  // E. Structure types and the element lengths seen for each.
  std::array<std::unordered_map<std::string, int>, kStructureTypes> variantIndex;
  for (std::size_t s = 0; s < structures.size(); ++s) {
    const int n = lengths[s];
    if (n == 0) continue;
    const Structure& c = structures[s];
    int type = StructureType(n, IsConsonantCode(c[0]));
    ++chapter.structureTypeCounts[type];
    auto [it, added] = variantIndex[type].try_emplace(VariantText(chapter, c, n),
                                                      chapter.structureVariantCounts[type]);
    if (added) {
      chapter.structureVariants[type].push_back(it->first);
      chapter.structureVariantWeights[type].push_back(1);
      ++chapter.structureVariantCounts[type];
    } else {
      ++chapter.structureVariantWeights[type][it->second];
    }
  }

  // F. Position counts, in slots of two elements so that a consonant and the
  // vowel beside it share a slot. First and last elements sit at the first
  // and last slot of the longest part; a middle element is counted once from
  // the front and once aligned towards the centre of the longest part.
  const int k = std::min(chapter.maxElements, kPositionSlots);
  for (std::size_t s = 0; s < structures.size(); ++s) {
    const int n = lengths[s];
    if (n == 0) continue;
    const Structure& c = structures[s];
    const bool consonantFirst = IsConsonantCode(c[0]);
    // Division of ints rounds toward zero, so n == k gives 0 for a vowel start.
    const int offset = consonantFirst ? (k - n) / 2 : (k - n - 1) / 2;
    ++PositionCounter(chapter, c[0], 0);
    for (int i = 1; i <= n - 2; ++i) {
      if (chapter.shuffle) {
        ++PositionCounter(chapter, c[i], 1);
      } else {
        int slot = (i + 1) / 2;
        ++PositionCounter(chapter, c[i], slot);
        ++PositionCounter(chapter, c[i], slot + offset);
      }
    }
    ++PositionCounter(chapter, c[n - 1], k - 1);
  }
  FitPairCapacity(chapter);
}

void FitPairCapacity(ChapterTables& chapter) {
  int largest = std::max(chapter.startPairCount, chapter.endPairCount);
  for (int count : chapter.structureVariantCounts) largest = std::max(largest, count);
  chapter.pairCapacity = std::max(chapter.pairCapacity, largest);
}

}  // namespace vael
