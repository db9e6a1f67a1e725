#include "core/chapter/DerivedTables.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <type_traits>

#include "core/chapter/CaseMapping.h"
#include "core/chapter/Chapter.h"
#include "core/chapter/DerivedTemplates.h"
#include "core/chapter/ElementLookup.h"

namespace vael {
namespace {

char FirstCapital(std::string_view text) { return text.empty() ? '\0' : ToUpperChar(text.front()); }

std::uint32_t Pool(std::string& texts, std::string_view text) {
  const auto at = static_cast<std::uint32_t>(texts.size());
  texts.append(text);
  return at;
}

ElementFacts FactsOf(const ChapterTables& chapter, int code, std::string& texts) {
  const std::string_view text = ElementText(chapter, code);
  const std::string finished = FinishedText(chapter, text);
  ElementFacts facts;
  facts.textAt = Pool(texts, text);
  facts.textSize = static_cast<std::uint32_t>(text.size());
  facts.finishedAt = Pool(texts, finished);
  facts.finishedSize = static_cast<std::uint32_t>(finished.size());
  facts.variantDigit = VariantDigit(chapter, code);
  // The initial-letter rule reads a consonant spelled out, a vowel as it is.
  facts.firstCapital = IsConsonantCode(code) ? FirstCapital(ExpandedText(chapter, text))
                                             : FirstCapital(text);
  facts.firstCodedCapital = FirstCapital(text);
  facts.firstLetter = static_cast<std::int8_t>(FirstLetterIndex(chapter, code));
  facts.lastLetter = static_cast<std::int8_t>(LastLetterIndex(chapter, code));
  facts.multiVowel = IsMultiVowel(chapter, code);
  return facts;
}

void DeriveElements(const ChapterTables& chapter, DerivedTables& derived) {
  const int vowelCount = std::clamp(chapter.vowelElementCount, 0, kMaxVowelElements);
  const int consonantCount = std::clamp(chapter.consonantElementCount, 0, kMaxConsonantElements);
  const int vowelWords = (vowelCount + 63) / 64;
  const int consonantWords = (consonantCount + 63) / 64;
  for (int k = 0; k < vowelCount; ++k) derived.vowels.push_back(FactsOf(chapter, k, derived.texts));
  for (int k = 0; k < consonantCount; ++k) {
    derived.consonants.push_back(FactsOf(chapter, kFirstConsonantCode + k, derived.texts));
  }

  derived.vowelsAtSlot.Reset(kPositionSlots, vowelWords);
  derived.consonantsAtSlot.Reset(kPositionSlots, consonantWords);
  for (int slot = 0; slot < kPositionSlots; ++slot) {
    for (int k = 0; k < vowelCount; ++k) {
      const int weight = chapter.vowelPositionCounts[k][slot];
      derived.vowelWeights.push_back(weight);
      if (weight >= 1) derived.vowelsAtSlot.Insert(slot, k);
    }
    for (int k = 0; k < consonantCount; ++k) {
      const int weight = chapter.consonantPositionCounts[k][slot];
      derived.consonantWeights.push_back(weight);
      if (weight >= 1) derived.consonantsAtSlot.Insert(slot, k);
    }
  }
  const auto byte = [](char c) { return static_cast<unsigned char>(c); };
  // Rows keyed by a byte go up to the highest byte an element has: a key
  // past them admits nothing, as an empty row would.
  const auto rowsFor = [&](const std::vector<ElementFacts>& facts, char ElementFacts::*field) {
    int rows = 0;
    for (const ElementFacts& f : facts) rows = std::max(rows, byte(f.*field) + 1);
    return rows;
  };
  derived.vowelsWithDigit.Reset(rowsFor(derived.vowels, &ElementFacts::variantDigit), vowelWords);
  derived.vowelsWithInitial.Reset(rowsFor(derived.vowels, &ElementFacts::firstCapital), vowelWords);
  for (int k = 0; k < vowelCount; ++k) {
    derived.vowelsWithDigit.Insert(byte(derived.vowels[k].variantDigit), k);
    derived.vowelsWithInitial.Insert(byte(derived.vowels[k].firstCapital), k);
  }
  derived.consonantsWithDigit.Reset(rowsFor(derived.consonants, &ElementFacts::variantDigit),
                                    consonantWords);
  derived.consonantsWithInitial.Reset(rowsFor(derived.consonants, &ElementFacts::firstCapital),
                                      consonantWords);
  for (int k = 0; k < consonantCount; ++k) {
    derived.consonantsWithDigit.Insert(byte(derived.consonants[k].variantDigit), k);
    derived.consonantsWithInitial.Insert(byte(derived.consonants[k].firstCapital), k);
  }
  derived.vowelsAfterLetter.Reset(kConsonantLetterColumns, vowelWords);
  derived.vowelsAcrossVowel.Reset(vowelCount, vowelWords);
  for (int k = 0; k < vowelCount; ++k) {
    for (int letter = 0; letter < kConsonantLetterColumns; ++letter) {
      if (chapter.vowelAfterConsonant[k][letter] != 0) derived.vowelsAfterLetter.Insert(letter, k);
    }
    for (int earlier = 0; earlier < vowelCount; ++earlier) {
      if (chapter.vowelAcrossConsonant[k][earlier] != 0)
        derived.vowelsAcrossVowel.Insert(earlier, k);
    }
  }
  derived.consonantsByFirstLetter.Reset(kConsonantLetterColumns + 1, consonantWords);
  derived.consonantsAfterVowel.Reset(vowelCount, consonantWords);
  derived.consonantsAcrossLetter.Reset(kConsonantLetterColumns, consonantWords);
  for (int k = 0; k < consonantCount; ++k) {
    const int first = derived.consonants[k].firstLetter;
    derived.consonantsByFirstLetter.Insert(first + 1, k);
    if (first < 0) continue;  // a test on the first letter never admits it
    for (int vowel = 0; vowel < vowelCount; ++vowel) {
      if (chapter.consonantAfterVowel[first][vowel] != 0)
        derived.consonantsAfterVowel.Insert(vowel, k);
    }
    for (int letter = 0; letter < kConsonantLetterColumns; ++letter) {
      if (chapter.consonantAcrossVowel[first][letter] != 0)
        derived.consonantsAcrossLetter.Insert(letter, k);
    }
  }
}

void DerivePairs(const ChapterTables& chapter, const DerivedTables& derived,
                 const std::vector<ElementPair>& pairs, const std::vector<int>& weights,
                 int declared, bool endPairs, std::array<PairList, 2>& byKind) {
  const int count = std::min<int>(declared, static_cast<int>(pairs.size()));
  for (int p = 0; p < count; ++p) {
    if (endPairs && (p >= static_cast<int>(chapter.endPairBefore1.size()) ||
                     p >= static_cast<int>(chapter.endPairBefore2.size()))) {
      continue;
    }
    PairFacts facts;
    facts.index = p;
    facts.codes = pairs[p];
    facts.weight = p < static_cast<int>(weights.size()) ? weights[p] : 0;
    facts.firstCodedCapital = derived.Facts(facts.codes.first).firstCodedCapital;
    facts.firstDigit = derived.Facts(facts.codes.first).variantDigit;
    facts.secondDigit = derived.Facts(facts.codes.second).variantDigit;
    byKind[IsConsonantCode(facts.codes.first) ? 1 : 0].pairs.push_back(facts);
  }

  const auto byte = [](char c) { return static_cast<int>(static_cast<unsigned char>(c)); };
  for (PairList& list : byKind) {
    const int size = static_cast<int>(list.pairs.size());
    list.words = (size + 63) / 64;
    // Byte-keyed rows up to the highest byte a pair has, as for elements.
    int initials = 0, firstDigits = 0, secondDigits = 0;
    for (const PairFacts& facts : list.pairs) {
      initials = std::max(initials, byte(facts.firstCodedCapital) + 1);
      firstDigits = std::max(firstDigits, byte(facts.firstDigit) + 1);
      secondDigits = std::max(secondDigits, byte(facts.secondDigit) + 1);
    }
    list.withInitial.Reset(endPairs ? 0 : initials, list.words);
    list.withFirstDigit.Reset(firstDigits, list.words);
    list.withSecondDigit.Reset(secondDigits, list.words);
    list.before1.Reset(endPairs ? kEndPairFlags : 0, list.words);
    list.before2.Reset(endPairs ? kEndPairFlags : 0, list.words);
    for (int k = 0; k < size; ++k) {
      const PairFacts& facts = list.pairs[k];
      if (!endPairs) list.withInitial.Insert(byte(facts.firstCodedCapital), k);
      list.withFirstDigit.Insert(byte(facts.firstDigit), k);
      list.withSecondDigit.Insert(byte(facts.secondDigit), k);
      if (!endPairs) continue;
      for (int flag = 0; flag < kEndPairFlags; ++flag) {
        if (chapter.endPairBefore1[facts.index][flag] != 0) list.before1.Insert(flag, k);
        if (chapter.endPairBefore2[facts.index][flag] != 0) list.before2.Insert(flag, k);
      }
    }
  }
}

void DeriveVariants(const ChapterTables& chapter, DerivedTables& derived) {
  int types = 0;
  for (int type = 0; type < kStructureTypes; ++type) {
    if (chapter.structureVariantCounts[type] > 0 && !chapter.structureVariantWeights[type].empty())
      types = type + 1;
  }
  derived.variantDraws.resize(static_cast<std::size_t>(types));
  for (int type = 0; type < types; ++type) {
    const std::vector<int>& weights = chapter.structureVariantWeights[type];
    const int count = chapter.structureVariantCounts[type];
    const std::size_t usable = std::min<std::size_t>(weights.size(), count > 0 ? count : 0);
    std::vector<std::int64_t> running;
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < usable; ++i) running.push_back(sum += weights[i]);
    derived.variantDraws[type] = RunningDraw(running, chapter.structureTypeCounts[type]);
  }
}

// 64-bit words at a time, so that the debug check stays quick.
class Fingerprint {
 public:
  void Add(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (; size >= 8; size -= 8, bytes += 8) {
      std::uint64_t word;
      std::memcpy(&word, bytes, 8);
      Mix(word);
    }
    std::uint64_t tail = size;
    for (std::size_t i = 0; i < size; ++i) tail = tail << 8 | bytes[i];
    Mix(tail);
  }
  void Add(std::int64_t value) { Mix(static_cast<std::uint64_t>(value)); }
  void Add(std::string_view text) { Add(text.data(), text.size()); }
  template <typename T>
  void AddAll(const T& list) {
    Add(static_cast<std::int64_t>(list.size()));
    for (const auto& item : list) Add(std::string_view(item));
  }
  std::uint64_t value() const { return value_; }

 private:
  void Mix(std::uint64_t word) {
    value_ = (value_ ^ word) * 0x9E3779B97F4A7C15ULL;
    value_ ^= value_ >> 29;
  }
  std::uint64_t value_ = 0x243F6A8885A308D3ULL;
};

template <typename T>
void AddRows(Fingerprint& print, const T& table, int rows) {
  for (int row = 0; row < rows; ++row) print.Add(&table[row], sizeof(table[row]));
}

// Every public table the derived tables read, and nothing else.
std::uint64_t SourceFingerprint(const ChapterTables& c) {
  Fingerprint print;
  for (int value : {c.vowelElementCount, c.consonantElementCount, c.specialConsonantCount,
                    c.templateCount, c.startPairCount, c.endPairCount, c.yMode}) {
    print.Add(value);
  }
  print.AddAll(c.vowelElements);
  print.AddAll(c.consonantElements);
  print.AddAll(c.specialConsonants);
  print.AddAll(c.templates);
  print.Add(c.templateWeights.data(), c.templateWeights.size() * sizeof(int));
  AddRows(print, c.vowelPositionCounts, std::clamp(c.vowelElementCount, 0, kVowelRows));
  AddRows(print, c.consonantPositionCounts, std::clamp(c.consonantElementCount, 0, kConsonantRows));
  AddRows(print, c.vowelAfterConsonant, std::clamp(c.vowelElementCount, 0, kVowelRows));
  AddRows(print, c.vowelAcrossConsonant, std::clamp(c.vowelElementCount, 0, kVowelRows));
  print.Add(&c.consonantAfterVowel, sizeof(c.consonantAfterVowel));
  print.Add(&c.consonantAcrossVowel, sizeof(c.consonantAcrossVowel));
  print.Add(c.startPairs.data(), c.startPairs.size() * sizeof(ElementPair));
  print.Add(c.startPairWeights.data(), c.startPairWeights.size() * sizeof(int));
  print.Add(c.endPairs.data(), c.endPairs.size() * sizeof(ElementPair));
  print.Add(c.endPairWeights.data(), c.endPairWeights.size() * sizeof(int));
  print.Add(static_cast<std::int64_t>(c.endPairBefore1.size()));
  print.Add(c.endPairBefore1.data(), c.endPairBefore1.size() * sizeof(c.endPairBefore1[0]));
  print.Add(static_cast<std::int64_t>(c.endPairBefore2.size()));
  print.Add(c.endPairBefore2.data(), c.endPairBefore2.size() * sizeof(c.endPairBefore2[0]));
  print.Add(&c.structureTypeCounts, sizeof(c.structureTypeCounts));
  print.Add(&c.structureVariantCounts, sizeof(c.structureVariantCounts));
  for (const auto& weights : c.structureVariantWeights)
    print.Add(weights.data(), weights.size() * sizeof(int));
  return print.value();
}

}  // namespace

void FillTypeChoice(const std::array<int, kStructureTypes>& weights, TypeChoice& choice) {
  choice.weights = weights;
  std::array<std::int64_t, kStructureTypes> running;
  std::int64_t sum = 0;
  choice.anyWeight = choice.anyOddWeight = choice.anyEvenWeight = false;
  for (int type = 0; type < kStructureTypes; ++type) {
    running[type] = sum += weights[type];
    if (weights[type] <= 0) continue;
    choice.anyWeight = true;
    (type % 2 == 1 ? choice.anyOddWeight : choice.anyEvenWeight) = true;
  }
  choice.draw = RunningDraw(running, sum);
}

void RebuildDerivedTables(Chapter& chapter) {
  DerivedTables derived;
  DeriveElements(chapter, derived);
  DerivePairs(chapter, derived, chapter.startPairs, chapter.startPairWeights,
              chapter.startPairCount, false, derived.startPairs);
  DerivePairs(chapter, derived, chapter.endPairs, chapter.endPairWeights, chapter.endPairCount,
              true, derived.endPairs);
  DeriveVariants(chapter, derived);
  DeriveTemplates(chapter, derived);
  derived.fingerprint = SourceFingerprint(chapter);
  static std::atomic<std::uint64_t> builds{0};
  derived.serial = ++builds;
  derived.built = true;
  // Built aside and moved in whole, so that a load never leaves a chapter
  // with tables half made.
  static_assert(std::is_nothrow_move_assignable_v<DerivedTables>);
  chapter.derived = std::move(derived);
}

bool DerivedTablesAreCurrent(const Chapter& chapter) {
  return chapter.derived.built && chapter.derived.fingerprint == SourceFingerprint(chapter);
}

}  // namespace vael
