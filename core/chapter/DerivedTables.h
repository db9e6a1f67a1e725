#pragma once
// Lookup tables derived from a loaded chapter's public tables, so that
// making a name looks facts up instead of recomputing them for every
// candidate. They are built once, at the end of every load (text or
// compiled), and hold nothing the public tables do not: rebuilding them
// from the same tables gives the same names. Every table is sized by the
// chapter's elements, pairs and templates. Code that changes the public
// tables by hand (tests) must call RebuildDerivedTables afterwards; a debug
// build checks at every generator entry that they are still current.

#include <array>
#include <bit>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/chapter/ChapterLimits.h"
#include "core/random/WeightedDraw.h"

namespace vael {

struct ChapterTables;
struct Chapter;

// Sets as 64-bit words, member k in bit k % 64 of word k / 64. Members are
// visited in index order, the order in which the builder lists candidates.

// Bits set in a word, inline: the baseline x86-64 has no popcount
// instruction, and the library call it falls back to costs more.
inline int CountBits(std::uint64_t x) {
  x -= (x >> 1) & 0x5555555555555555ULL;
  x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
  x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
  return static_cast<int>((x * 0x0101010101010101ULL) >> 56);
}

template <typename Visit>
void ForEachMember(std::span<const std::uint64_t> words, Visit visit) {
  for (std::size_t w = 0; w < words.size(); ++w) {
    for (std::uint64_t bits = words[w]; bits != 0; bits &= bits - 1)
      visit(static_cast<int>(w * 64) + std::countr_zero(bits));
  }
}

// The first member, in index order, for which `test` is true; -1 if none.
template <typename Test>
int FirstMemberWhere(std::span<const std::uint64_t> words, Test test) {
  for (std::size_t w = 0; w < words.size(); ++w) {
    for (std::uint64_t bits = words[w]; bits != 0; bits &= bits - 1) {
      const int index = static_cast<int>(w * 64) + std::countr_zero(bits);
      if (test(index)) return index;
    }
  }
  return -1;
}

// The member at place `n` (from 0) in index order; -1 if there are fewer.
inline int NthMember(std::span<const std::uint64_t> words, std::int64_t n) {
  for (std::size_t w = 0; w < words.size(); ++w) {
    std::uint64_t bits = words[w];
    const int here = CountBits(bits);
    if (n >= here) {
      n -= here;
      continue;
    }
    for (; n > 0; --n) bits &= bits - 1;
    return static_cast<int>(w * 64) + std::countr_zero(bits);
  }
  return -1;
}

inline int CountMembers(std::span<const std::uint64_t> words) {
  int count = 0;
  for (std::uint64_t word : words) count += CountBits(word);
  return count;
}

// Rows of sets over one list (the vowel elements, the consonant elements,
// or one pair list), each `words` 64-bit words wide, in one block sized by
// the list: row k holds what one test of the builder admits for key k.
class SetRows {
 public:
  void Reset(int rows, int words) {
    rows_ = rows;
    words_ = words;
    bits_.assign(static_cast<std::size_t>(rows) * static_cast<std::size_t>(words), 0);
  }
  void Insert(int row, int member) {
    bits_[static_cast<std::size_t>(row) * words_ + (member >> 6)] |= std::uint64_t{1}
                                                                       << (member & 63);
  }
  // The row of `key`; nullptr for a key without a row, which admits nothing.
  const std::uint64_t* Row(int key) const {
    if (key < 0 || key >= rows_) return nullptr;
    return bits_.data() + static_cast<std::size_t>(key) * words_;
  }
  std::span<const std::uint64_t> Words(int key) const {
    const std::uint64_t* row = Row(key);
    return row == nullptr ? std::span<const std::uint64_t>()
                          : std::span<const std::uint64_t>(row, static_cast<std::size_t>(words_));
  }
  int words() const { return words_; }
  bool operator==(const SetRows&) const = default;

 private:
  int rows_ = 0;
  int words_ = 0;
  std::vector<std::uint64_t> bits_;
};

// The widest set over the elements of one kind, in 64-bit words: what the
// builder's working copy of a set must hold.
inline constexpr int kMostSetWords = (kMaxConsonantElements + 63) / 64;
static_assert(kMaxVowelElements <= kMostSetWords * 64 && kMaxConsonantElements <= kMostSetWords * 64);

// What the builder needs of one element, all from its coded text.
struct ElementFacts {
  std::uint32_t textAt = 0, textSize = 0;          // coded text, in DerivedTables::texts
  std::uint32_t finishedAt = 0, finishedSize = 0;  // as it is spelled in a piece
  char variantDigit = '0';                         // its character in a variant text
  char firstCapital = '\0';       // first letter in capitals, specials spelled out
  char firstCodedCapital = '\0';  // first character of the coded text in capitals
  std::int8_t firstLetter = -1;   // consonant letter index of the first/last character
  std::int8_t lastLetter = -1;
  bool multiVowel = false;
};

// A start or end pair with the facts its candidate tests need.
struct PairFacts {
  int index = 0;  // in startPairs / endPairs
  ElementPair codes;
  int weight = 0;
  char firstCodedCapital = '\0';
  char firstDigit = '0', secondDigit = '0';
};

// The start or end pairs whose first element is of one kind, in the order
// the builder lists them, and the sets its candidate tests admit, so that a
// pair choice intersects a few rows instead of testing every pair.
struct PairList {
  std::vector<PairFacts> pairs;
  int words = 0;  // 64-bit words of a set over the list
  // By byte: the first capital of the first element's coded text (start
  // pairs only, for the initial letter), and the variant digits of the
  // first and of the second element.
  SetRows withInitial, withFirstDigit, withSecondDigit;
  // End pairs only: by flag column (kEndPairFlags of them), the pairs whose
  // endPairBefore1 row, or endPairBefore2 row, has that flag.
  SetRows before1, before2;
};

// A weighted draw among structure types, with the running sums of the
// weights and which kinds of type (odd: vowel first, even: consonant first)
// have any weight.
struct TypeChoice {
  std::array<int, kStructureTypes> weights{};
  RunningDraw draw;
  bool anyWeight = false;
  bool anyOddWeight = false;
  bool anyEvenWeight = false;
};

// A template read once: element groups and literals in order.
struct TemplateStep {
  int group = -1;       // index in DerivedTables::groups; -1 for a literal
  char literal = '\0';
};

struct TemplateFacts {
  int firstStep = 0;
  int stepCount = 0;
  bool startsWithHash = false;
  int leadingType = 0;  // the number its first digits form, 63 at most
  bool firstGroupListsConsonantType = false;
};

struct DerivedTables {
  bool built = false;
  std::uint64_t fingerprint = 0;  // of the public tables they were built from
  // Different for every build in the process, so that what a generator
  // worked out from one build is never used with another.
  std::uint64_t serial = 0;

  // Element facts by vowel code and by consonant code - 100; texts pooled.
  std::string texts;
  std::vector<ElementFacts> vowels, consonants;

  // Candidate sets, each row over the elements of one kind. Each is what
  // one test of the builder admits, so that a position's candidates are the
  // intersection of a few rows:
  //  - elements counted at a position slot of the samples, by slot;
  SetRows vowelsAtSlot, consonantsAtSlot;
  //  - vowels that followed a consonant ending in letter g
  //    (vowelAfterConsonant), by g;
  SetRows vowelsAfterLetter;
  //  - vowels that stood two places after vowel u (vowelAcrossConsonant),
  //    by u;
  SetRows vowelsAcrossVowel;
  //  - consonants whose first letter followed vowel v (consonantAfterVowel),
  //    by v;
  SetRows consonantsAfterVowel;
  //  - consonants whose first letter came one vowel after a consonant
  //    ending in letter g (consonantAcrossVowel), by g;
  SetRows consonantsAcrossLetter;
  //  - consonants by their first letter plus 1; row 0 holds those without one;
  SetRows consonantsByFirstLetter;
  //  - elements by their variant digit, and by their first capital (the
  //    initial-letter rule), both by byte.
  SetRows vowelsWithDigit, vowelsWithInitial;
  SetRows consonantsWithDigit, consonantsWithInitial;
  // Position counts slot by slot ([slot * count + index]), the weights of a
  // statistical draw among a position's candidates.
  std::vector<int> vowelWeights, consonantWeights;

  // Pairs by the kind of their first element: [0] vowel, [1] consonant. End
  // pairs without flag rows are left out: they can never be candidates.
  std::array<PairList, 2> startPairs, endPairs;

  // Each type's draw of a variant by weight, below the type's structure
  // count; types past the last one with variants have none.
  std::vector<RunningDraw> variantDraws;

  // Templates: the draw, what the initial-letter rule needs, and their steps.
  int templateCount = 0;  // usable templates
  RunningDraw templateDraw;
  std::vector<TemplateFacts> templates;
  std::vector<TemplateStep> steps;
  std::vector<TypeChoice> groups;
  // Whether some template begins with '#', with an odd or an even type, or
  // with a group that lists an even type.
  bool anyHashTemplate = false, anyVowelFirstTemplate = false;
  bool anyConsonantFirstTemplate = false, anyConsonantTypeListed = false;

  std::string_view Text(const ElementFacts& facts) const {
    return std::string_view(texts).substr(facts.textAt, facts.textSize);
  }
  std::string_view Finished(const ElementFacts& facts) const {
    return std::string_view(texts).substr(facts.finishedAt, facts.finishedSize);
  }
  // Facts of any code; an unknown code has those of an empty text.
  const ElementFacts& Facts(int code) const {
    static const ElementFacts kNone;
    if (code < 0) return kNone;
    if (!IsConsonantCode(code))
      return code < static_cast<int>(vowels.size()) ? vowels[code] : kNone;
    const int index = code - kFirstConsonantCode;
    return index < static_cast<int>(consonants.size()) ? consonants[index] : kNone;
  }
};

// Rebuilds chapter.derived from the chapter's public tables. Loading calls
// it; so must any code that changes those tables by hand before generating.
void RebuildDerivedTables(Chapter& chapter);

// Whether chapter.derived was built from the public tables as they are now.
// Costs a pass over the tables: the generator asks only in debug builds.
bool DerivedTablesAreCurrent(const Chapter& chapter);

// The draw of allowedTypeWeights, for a caller that filled them itself.
void FillTypeChoice(const std::array<int, kStructureTypes>& weights, TypeChoice& choice);

}  // namespace vael
