#include "core/generation/StructureBuilder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <span>
#include <string_view>
#include <type_traits>

#include "core/SpeedTricks.h"
#include "core/chapter/CaseMapping.h"
#include "core/chapter/LetterClasses.h"
#include "core/generation/CandidateCache.h"
#include "core/generation/GenerationLog.h"
#include "core/generation/Generator.h"
#include "core/random/RandomBelow.h"
#include "core/random/WeightedDraw.h"

namespace vael {
namespace {

// Positions of a structure: at most 33 (type 63), with room for the end mark.
constexpr int kMaxPositions = 64;

struct Working {
  int type = 0;
  int variant = 0;
  std::string_view variantText;  // empty unless structural and the variant exists
  bool useVariant = false;
  int length = 0;  // element count L
  int split = 0;
  int fit = 0;
  bool prefixes = false;
  bool suffixes = false;
  std::array<int, kMaxPositions> codes;  // the first length + 1 are set per call
};

// The two letter lists of the initial-letter rule: vowels and consonants in
// capitals. The consonant list loses its first U, which is only the capital
// of the consonantal u; the capital of the consonantal y stays.
struct InitialLetterLists {
  std::array<bool, 256> vowel{};
  std::array<bool, 256> consonant{};
};

constexpr InitialLetterLists kInitialLetterLists = [] {
  InitialLetterLists lists;
  for (char c : vowelSet) lists.vowel[static_cast<unsigned char>(ToUpperChar(c))] = true;
  bool firstUSkipped = false;
  for (char c : consonantSet) {
    const char capital = ToUpperChar(c);
    if (capital == 'U' && !firstUSkipped) {
      firstUSkipped = true;
      continue;
    }
    lists.consonant[static_cast<unsigned char>(capital)] = true;
  }
  return lists;
}();

// Retry count and relaxation: one option is given up every fifth retry on
// a structure. Sets the effective fit and pair options of this call.
void EnterCall(GenerationState& state, const PieceRequest& request, GenerationLog& log,
               Working& work) {
  if (state.newStructure) {
    state.retryCount = 0;
  } else if (++state.retryCount >= kStructureRetryCap) {
    // A structure that no relaxation could fill: start over with a new one.
    log.Dropped("Structure");
    state.newStructure = true;
    state.retryCount = 0;
  }
  if (state.retryCount == 0) {
    state.keepFit3 = request.options.fit == 3;
    state.keepPrefixes = request.options.prefixes;
    state.keepSuffixes = request.options.suffixes;
    state.keepFit2 = request.options.fit > 1;
    state.keepFit1 = request.options.fit > 0;
  } else if (state.retryCount % 5 == 0) {
    if (state.keepFit3) {
      state.keepFit3 = false;
      log.FitLevelChanged(2);
    } else if (state.keepPrefixes) {
      state.keepPrefixes = false;
      log.Dropped("Prefix");
    } else if (state.keepSuffixes) {
      state.keepSuffixes = false;
      log.Dropped("Suffix");
    } else if (state.keepFit2) {
      state.keepFit2 = false;
      log.FitLevelChanged(1);
    } else if (state.keepFit1) {
      state.keepFit1 = false;
      log.FitLevelChanged(0);
    }
  }
  work.fit = !state.keepFit1 ? 0 : !state.keepFit2 ? 1 : !state.keepFit3 ? 2 : request.options.fit;
  work.prefixes = request.options.prefixes && state.keepPrefixes;
  work.suffixes = request.options.suffixes && state.keepSuffixes;
}

// Type draw of a new structure. Draws as often as it takes while some type
// of the initial letter's kind has a weight; picks among those directly
// after kTypeDrawCap misses; and gives the letter up when there is none.
int DrawType(const Chapter& chapter, GenerationState& state, PieceRequest& request,
             GenerationLog& log) {
  const TypeChoice& choice = *state.typeChoice;
  if (!choice.anyWeight) return -1;
  const auto accepts = [&](int type) {
    return TypeAcceptsLetter(type, request.initialLetter, chapter.yMode);
  };
  if (!(choice.anyOddWeight && accepts(1)) && !(choice.anyEvenWeight && accepts(0))) {
    log.Dropped("Initial letter");
    request.initialLetter = '*';
    request.initialLetterDropped = true;
  }
  for (int draw = 0; draw < kTypeDrawCap; ++draw) {
    const int type = choice.draw.Draw(state.random);
    if (type >= 0 && accepts(type)) return type;
  }
  return WalkWeights(state.random, kStructureTypes, [&](int type) {
    return choice.weights[type] > 0 && accepts(type) ? choice.weights[type] : 0;
  });
}

int DrawVariant(const Chapter& chapter, GenerationState& state, const PieceRequest& request,
                int type) {
  if (request.options.statistical) {
    const std::vector<RunningDraw>& draws = chapter.derived.variantDraws;
    const int drawn =
        type < static_cast<int>(draws.size()) ? draws[type].Draw(state.random) : -1;
    return drawn >= 0 ? drawn : 0;
  }
  return static_cast<int>(RandomBelow(state.random, chapter.structureVariantCounts[type]));
}

// A new structure: type, then variant. False when no type can be drawn at all.
bool ChooseStructure(const Chapter& chapter, GenerationState& state, PieceRequest& request,
                     GenerationLog& log) {
  state.newStructure = false;
  const int type = DrawType(chapter, state, request, log);
  if (type < 0) return false;
  // The first call on a structure compares the consonantal y (small) with
  // element texts in capitals, so it finds nothing at position 0 and the
  // next call on the same structure, with the capital Y, does the work.
  if (chapter.yMode != 0 && request.initialLetter == 'Y') request.initialLetter = 'y';
  const int variant = request.options.structural ? DrawVariant(chapter, state, request, type) : 0;
  state.currentType = type;
  state.currentVariant = variant;
  if (!request.options.structural) {
    log.StructureLine(type);
  } else {
    const auto& variants = chapter.structureVariants[type];
    const bool known = variant >= 0 && variant < static_cast<int>(variants.size());
    log.StructureLine(type, variant, known ? std::string_view(variants[variant]) : "");
  }
  return true;
}

// The flag column of an element standing before an end pair: a vowel by its
// code, a consonant by 100 plus its last letter.
int BeforeFlagOfConsonant(const DerivedTables& derived, int code) {
  const int letter = derived.Facts(code).lastLetter;
  return letter < 0 ? -1 : kFirstConsonantCode + letter;
}

// What the tests of a start or end pair read: the rows of the pair list
// whose intersection is the candidates. -1 marks a test that is not made.
struct PairTests {
  bool start = false;
  int initial = -1;  // the initial letter's byte (start pairs)
  int first = -1;    // the variant digits of the two elements
  int second = -1;
  int before1 = -1;  // flag columns of the end pair's neighbours
  int before2 = -1;

  // The key under which a run keeps the candidates, apart from every
  // element key by bit 62, each field stored as value + 1:
  //   bit   63      always 1, so that no key is 0 (a free cache slot)
  //   bit   62      1: a pair (an element key has 0 here)
  //   bits  37..44  before2 + 1   a flag column, below kEndPairFlags
  //   bits  29..36  before1 + 1   a flag column, below kEndPairFlags
  //   bits  20..28  second + 1    a byte
  //   bits  11..19  first + 1     a byte
  //   bits   2..10  initial + 1   a byte
  //   bit    1      1 for start pairs
  //   bit    0      1 when the first element is a vowel
  std::uint64_t Key(bool vowel) const {
    assert(initial < 256 && first < 256 && second < 256 && before1 < 255 && before2 < 255);
    const auto field = [](int value) { return static_cast<std::uint64_t>(value + 1); };
    return (std::uint64_t{3} << 62) | std::uint64_t{vowel} | std::uint64_t{start} << 1 |
           field(initial) << 2 | field(first) << 11 | field(second) << 20 |
           field(before1) << 29 | field(before2) << 37;
  }
};
static_assert(kEndPairFlags < 255, "a flag column fits the pair key's eight bits");

// The draw a cache entry makes, made from the listed candidates themselves:
// what an element's choice costs in a build without the cache.
[[maybe_unused]] int DrawListed(MersenneTwister32& random, std::span<const int> members,
               std::span<const int> weights, bool statistical) {
  const int count = static_cast<int>(members.size());
  if (statistical) {
    const int place = WalkWeights(random, count, [&](int i) { return weights[i]; });
    if (place >= 0) return members[place];
  }
  return members[RandomBelow(random, count)];
}

// The pairs that pass every test of `tests`, as a set in state.pairSet.
std::span<const std::uint64_t> IntersectPairs(const PairList& list, GenerationState& state,
                                              const PairTests& tests) {
  const int words = list.words;
  std::vector<std::uint64_t>& set = state.pairSet;
  set.assign(static_cast<std::size_t>(words), ~std::uint64_t{0});
  if (const int tail = static_cast<int>(list.pairs.size()) % 64; tail != 0)
    set[words - 1] = (std::uint64_t{1} << tail) - 1;
  const auto keep = [&](const SetRows& rows, int row) {
    if (row < 0) return;
    const std::uint64_t* bits = rows.Row(row);
    for (int w = 0; w < words; ++w) set[w] &= bits[w];
  };
  keep(list.withInitial, tests.initial);
  keep(list.withFirstDigit, tests.first);
  keep(list.withSecondDigit, tests.second);
  keep(list.before1, tests.before1);
  keep(list.before2, tests.before2);
  return set;
}

// The same in index order with their weights, kept in the run's cache under
// the tests' key.
const CandidateCache::Entry& WorkOutPairs(const PairList& list, GenerationState& state,
                                          const PairTests& tests, std::uint64_t key) {
  std::vector<int> members, weights;
  ForEachMember(IntersectPairs(list, state, tests), [&](int k) {
    members.push_back(k);
    weights.push_back(list.pairs[k].weight);
  });
  return state.candidates.Add(key, members, weights);
}

void LogPairCandidate(GenerationLog& log, const PairList& list, const DerivedTables& derived,
                      int k) {
  const ElementPair& codes = list.pairs[k].codes;
  log.PairCandidate(derived.Text(derived.Facts(codes.first)),
                    derived.Text(derived.Facts(codes.second)));
}

// A pair drawn from the set of candidates worked out afresh, in a build
// without the cache: the same draw over the set's members in index order.
// -1 when there are none. Builds with the cache never call it.
[[maybe_unused]] int ChooseListedPair(const PairList& list, GenerationState& state,
                                      const PairTests& tests, const PieceRequest& request,
                                      const DerivedTables& derived, GenerationLog& log) {
  const std::span<const std::uint64_t> set = IntersectPairs(list, state, tests);
  const int count = CountMembers(set);
  if (count == 0) return -1;
  if (log.enabled()) {
    ForEachMember(set, [&](int k) { LogPairCandidate(log, list, derived, k); });
  }
  if (request.options.statistical) {
    const int drawn = WalkPlaces(state.random, [&](auto take) {
      FirstMemberWhere(set, [&](int k) { return take(k, list.pairs[k].weight); });
    });
    if (drawn >= 0) return drawn;
  }
  return NthMember(set, RandomBelow(state.random, count));
}

// Pair candidates and the choice among them, for start pairs (at position 0)
// or end pairs (at L - 2). Only pairs whose first element is of the current
// kind are listed at all; of those, the candidates are the pairs in every
// set that a test of the builder admits. The choice is the draw over the
// candidates in index order: by weight with `statistical`, else uniform.
// Gain (scripts/bench-compare --trick PAIR_CACHE; instructions per name, 40
// villages, own / all options / -i K): 5,325 / 20,667 / 19,775 without,
// 5,325 / 16,151 / 19,775 with.
bool ChoosePair(const Chapter& chapter, GenerationState& state, const PieceRequest& request,
                const Working& work, int position, bool vowelNow, bool start, GenerationLog& log,
                ElementPair& chosen) {
  const DerivedTables& derived = chapter.derived;
  const PairList& list = (start ? derived.startPairs : derived.endPairs)[vowelNow ? 0 : 1];
  if (list.words == 0) return false;
  const auto byte = [](char c) { return static_cast<int>(static_cast<unsigned char>(c)); };

  // A test whose row is missing admits nothing.
  PairTests tests;
  tests.start = start;
  const auto test = [](const SetRows& rows, int row, int& field) {
    field = row;
    return rows.Row(row) != nullptr;
  };
  if (start && request.initialLetter != '*' &&
      !test(list.withInitial, byte(request.initialLetter), tests.initial))
    return false;
  if (work.useVariant) {
    // Both elements need a place in the variant text.
    if (position + 1 >= static_cast<int>(work.variantText.size())) return false;
    if (!test(list.withFirstDigit, byte(work.variantText[position]), tests.first) ||
        !test(list.withSecondDigit, byte(work.variantText[position + 1]), tests.second))
      return false;
  }
  if (!start) {
    const int previous = position >= 1 ? work.codes[position - 1] : -1;
    const int twoBack = position >= 2 ? work.codes[position - 2] : -1;
    if (vowelNow) {
      if (work.fit >= 1 &&
          !test(list.before1, BeforeFlagOfConsonant(derived, previous), tests.before1))
        return false;
      if (work.fit >= 3 && !test(list.before2, twoBack, tests.before2)) return false;
    } else {
      if (work.fit >= 1 && !test(list.before1, previous, tests.before1)) return false;
      if (work.fit >= 2 &&
          !test(list.before2, BeforeFlagOfConsonant(derived, twoBack), tests.before2))
        return false;
    }
  }

  int picked = -1;
  if constexpr (!tricks::kPairCache) {
    picked = ChooseListedPair(list, state, tests, request, derived, log);
    if (picked < 0) return false;
  } else {
    CandidateCache& cache = state.candidates;
    const std::uint64_t key = tests.Key(vowelNow);
    const CandidateCache::Entry* entry = cache.Find(key);
    if (entry == nullptr) entry = &WorkOutPairs(list, state, tests, key);
    if (entry->count == 0) return false;

    if (log.enabled()) {
      for (int k : cache.ListOf(*entry).members) LogPairCandidate(log, list, derived, k);
    }
    picked = cache.Draw(state.random, *entry, request.options.statistical);
  }
  chosen = list.pairs[picked].codes;
  if (log.enabled())
    log.PairChoice(derived.Text(derived.Facts(chosen.first)),
                   derived.Text(derived.Facts(chosen.second)));
  return true;
}

static_assert(kPositionSlots <= 32, "a slot fits the key's five bits");
static_assert(kVowelRows < 255 && kConsonantLetterColumns + 1 < 255,
              "codes and letter indexes a neighbour test reads fit the key's eight bits");

// What the tests of a single element at a position read. Two positions
// that agree on all of it have the same candidates, so it is also the key
// under which a run keeps them. -1 marks a test that is not made.
struct PositionTests {
  int slot = 0;
  int initial = -1;   // the initial letter's byte, at position 0
  int digit = -1;     // the variant digit's byte
  int after = -1;     // the neighbour before (fit 1)
  int across = -1;    // the neighbour two before (vowels: fit 3; consonants: fit 2)
  int notFirst = -1;  // consonants across a multi vowel: the first letter they may not repeat

  // The key, each field stored as value + 1 so that a test not made is 0:
  //   bit   63      always 1, so that no key is 0 (a free cache slot)
  //   bits  40..47  notFirst + 1   consonant letter index + 1, at most 64
  //   bits  32..39  across + 1     vowel code or consonant letter index
  //   bits  24..31  after + 1      consonant letter index or vowel code
  //   bits  15..23  digit + 1      a byte
  //   bits   6..14  initial + 1    a byte
  //   bits   1..5   slot           below kPositionSlots
  //   bit    0      1 for a vowel position
  std::uint64_t Key(bool vowel) const {
    assert(slot >= 0 && slot < kPositionSlots && initial < 256 && digit < 256 && after < 255 &&
           across < 255 && notFirst < 255);
    const auto field = [](int value) { return static_cast<std::uint64_t>(value + 1); };
    return (std::uint64_t{1} << 63) | std::uint64_t{vowel} |
           static_cast<std::uint64_t>(slot) << 1 |
           field(initial) << 6 | field(digit) << 15 | field(after) << 24 | field(across) << 32 |
           field(notFirst) << 40;
  }
};

// The builder's working copy of a candidate set: a row of the derived
// sets, narrowed by further rows. On the stack, so that working out a
// position's candidates costs no allocation.
class WorkingSet {
 public:
  explicit WorkingSet(std::span<const std::uint64_t> row) : used_(row.size()) {
    assert(used_ <= words_.size());
    used_ = std::min(used_, words_.size());
    std::copy_n(row.begin(), used_, words_.begin());
  }
  // A row that is missing admits nothing.
  void Keep(std::span<const std::uint64_t> row) {
    if (row.size() < used_) return Clear();
    for (std::size_t w = 0; w < used_; ++w) words_[w] &= row[w];
  }
  void Drop(std::span<const std::uint64_t> row) {
    if (row.size() < used_) return;
    for (std::size_t w = 0; w < used_; ++w) words_[w] &= ~row[w];
  }
  std::span<const std::uint64_t> Words() const { return {words_.data(), used_}; }

 private:
  void Clear() { std::fill_n(words_.begin(), used_, 0); }

  std::array<std::uint64_t, kMostSetWords> words_;
  std::size_t used_;
};

// The derived sets behind each test, by kind of element, so that a
// position's candidates are their intersection.
struct VowelKind {};
struct ConsonantKind {};

template <typename Kind>
struct CandidateSets;

template <>
struct CandidateSets<VowelKind> {
  static const std::vector<ElementFacts>& Facts(const DerivedTables& d) { return d.vowels; }
  static const std::vector<int>& Weights(const DerivedTables& d) { return d.vowelWeights; }
  static const SetRows& AtSlot(const DerivedTables& d) { return d.vowelsAtSlot; }
  static const SetRows& WithDigit(const DerivedTables& d) { return d.vowelsWithDigit; }
  static const SetRows& WithInitial(const DerivedTables& d) { return d.vowelsWithInitial; }
  // Fit tests: after the consonant before it (fit 1) and across it (fit 3).
  // False when a neighbour admits no vowel at all.
  static bool ReadNeighbours(const DerivedTables& derived, const Working& work, int position,
                             PositionTests& tests) {
    if (work.fit >= 1 && position > 0) {
      const int letter = derived.Facts(work.codes[position - 1]).lastLetter;
      if (letter < 0) return false;
      tests.after = letter;
    }
    if (work.fit >= 3 && position > 1) {
      const int twoBack = work.codes[position - 2];
      if (twoBack < 0 || twoBack >= kVowelRows) return false;
      tests.across = twoBack;
    }
    return true;
  }
  static void KeepNeighbours(const DerivedTables& derived, const PositionTests& tests,
                             WorkingSet& set) {
    if (tests.after >= 0) set.Keep(derived.vowelsAfterLetter.Words(tests.after));
    if (tests.across >= 0) set.Keep(derived.vowelsAcrossVowel.Words(tests.across));
  }
};

template <>
struct CandidateSets<ConsonantKind> {
  static const std::vector<ElementFacts>& Facts(const DerivedTables& d) { return d.consonants; }
  static const std::vector<int>& Weights(const DerivedTables& d) { return d.consonantWeights; }
  static const SetRows& AtSlot(const DerivedTables& d) { return d.consonantsAtSlot; }
  static const SetRows& WithDigit(const DerivedTables& d) { return d.consonantsWithDigit; }
  static const SetRows& WithInitial(const DerivedTables& d) { return d.consonantsWithInitial; }
  // Fit tests: after the vowel before it (fit 1) and across that vowel
  // (fit 2), or the multi-vowel rule instead of the latter.
  static bool ReadNeighbours(const DerivedTables& derived, const Working& work, int position,
                             PositionTests& tests) {
    const int previous = position > 0 ? work.codes[position - 1] : -1;
    if (work.fit >= 1 && position > 0) {
      if (previous < 0 || previous >= kVowelRows) return false;
      tests.after = previous;
    }
    if (position > 1) {
      const int earlierLast = derived.Facts(work.codes[position - 2]).lastLetter;
      // Across a multi vowel the samples record no neighbourhood, so the only
      // rule left is not to repeat the consonant letter on both sides.
      if (work.useVariant && position - 1 < static_cast<int>(work.variantText.size()) &&
          work.variantText[position - 1] == '0' && derived.Facts(previous).multiVowel) {
        tests.notFirst = earlierLast + 1;  // row 0 holds the consonants without a first letter
      } else if (work.fit >= 2) {
        if (earlierLast < 0) return false;
        tests.across = earlierLast;
      }
    }
    return true;
  }
  static void KeepNeighbours(const DerivedTables& derived, const PositionTests& tests,
                             WorkingSet& set) {
    if (tests.after >= 0) set.Keep(derived.consonantsAfterVowel.Words(tests.after));
    if (tests.notFirst >= 0) set.Drop(derived.consonantsByFirstLetter.Words(tests.notFirst));
    if (tests.across >= 0) set.Keep(derived.consonantsAcrossLetter.Words(tests.across));
  }
};

// Room for the candidates of one position.
using Listed = std::array<int, kMostSetWords * 64>;

// The candidates that pass every test of `tests`, in index order, with
// their weights; gives how many there are.
template <typename Kind>
std::size_t ListCandidates(const DerivedTables& derived, const PositionTests& tests,
                           Listed& members, Listed& weights) {
  using Sets = CandidateSets<Kind>;
  WorkingSet set(Sets::AtSlot(derived).Words(tests.slot));
  if (tests.initial >= 0) set.Keep(Sets::WithInitial(derived).Words(tests.initial));
  if (tests.digit >= 0) set.Keep(Sets::WithDigit(derived).Words(tests.digit));
  Sets::KeepNeighbours(derived, tests, set);

  // Position counts slot by slot: the weights of a statistical draw.
  const std::size_t count = Sets::Facts(derived).size();
  const int* slotWeights = Sets::Weights(derived).data() + static_cast<std::size_t>(tests.slot) * count;
  std::size_t found = 0;
  ForEachMember(set.Words(), [&](int k) {
    members[found] = k;
    weights[found] = slotWeights[k];
    ++found;
  });
  return found;
}

// The same, kept in the run's cache under the tests' key.
template <typename Kind>
const CandidateCache::Entry& WorkOutCandidates(const DerivedTables& derived, CandidateCache& cache,
                                              const PositionTests& tests, std::uint64_t key) {
  Listed members, weights;
  const std::size_t found = ListCandidates<Kind>(derived, tests, members, weights);
  return cache.Add(key, std::span(members.data(), found), std::span(weights.data(), found));
}

// An element drawn from the candidates listed afresh, in a build without
// the cache; -1 when there are none.
template <typename Kind>
int ChooseListedElement(const DerivedTables& derived, GenerationState& state,
                        const PositionTests& tests, bool statistical, GenerationLog& log) {
  Listed members, weights;
  const std::size_t found = ListCandidates<Kind>(derived, tests, members, weights);
  if (log.enabled()) {
    for (std::size_t i = 0; i < found; ++i)
      log.Candidate(derived.Text(CandidateSets<Kind>::Facts(derived)[members[i]]));
  }
  if (found == 0) return -1;
  return DrawListed(state.random, std::span(members.data(), found),
                    std::span(weights.data(), found), statistical);
}

// Single element candidates and the choice: the code chosen, or -1. The
// choice is the draw over the candidates in index order: by weight with
// `statistical`, else uniform.
template <typename Kind>
int ChooseElementOf(const Chapter& chapter, GenerationState& state,
                    const PieceRequest& request, const Working& work, int position, int slot,
                    GenerationLog& log) {
  constexpr bool vowel = std::is_same_v<Kind, VowelKind>;
  const DerivedTables& derived = chapter.derived;
  const auto byte = [](char c) { return static_cast<int>(static_cast<unsigned char>(c)); };
  if (slot < 0 || slot >= kPositionSlots) return -1;
  PositionTests tests;
  tests.slot = slot;
  if (position == 0 && request.initialLetter != '*') tests.initial = byte(request.initialLetter);
  if (work.useVariant) {
    if (position >= static_cast<int>(work.variantText.size())) return -1;
    tests.digit = byte(work.variantText[position]);
  }
  if (!CandidateSets<Kind>::ReadNeighbours(derived, work, position, tests)) return -1;

  const std::vector<ElementFacts>& facts = CandidateSets<Kind>::Facts(derived);
  int picked = -1;
  if constexpr (!tricks::kCandidateCache) {
    picked = ChooseListedElement<Kind>(derived, state, tests, request.options.statistical, log);
    if (picked < 0) return -1;
  } else {
    CandidateCache& cache = state.candidates;
    const std::uint64_t key = tests.Key(vowel);
    const CandidateCache::Entry* entry = cache.Find(key);
    if (entry == nullptr) entry = &WorkOutCandidates<Kind>(derived, cache, tests, key);
    if (log.enabled()) {
      for (int k : cache.ListOf(*entry).members) log.Candidate(derived.Text(facts[k]));
    }
    if (entry->count == 0) return -1;
    picked = cache.Draw(state.random, *entry, request.options.statistical);
  }
  if (log.enabled()) log.Choice(derived.Text(facts[picked]));
  return (vowel ? 0 : kFirstConsonantCode) + picked;
}

// The slot of a position and whether it takes a vowel. The
// end-aligned slots of a structure that begins with a vowel are one higher
// than where the statistics counted them when maxElements - L is even; the
// builder keeps its own formulas.
int PositionSlot(const Chapter& chapter, const Working& work, int position, bool& vowelNow) {
  const int length = work.length;
  const int most = chapter.maxElements;
  const bool startsWithVowel = work.type % 2 == 1;
  if (position == 0) {
    vowelNow = startsWithVowel;
    return 0;
  }
  if (position == length - 1) {
    vowelNow = !vowelNow;
    return most - 1;
  }
  if (chapter.shuffle) {
    vowelNow = !vowelNow;
    return 1;
  }
  const bool front = position <= work.split;
  if (!startsWithVowel) {
    vowelNow = position % 2 == 1;
    if (front) return vowelNow ? (position + 1) / 2 : position / 2;
    return vowelNow ? (most - length + position + 1) / 2 : (most - length + position) / 2;
  }
  vowelNow = position % 2 == 0;
  if (front) return vowelNow ? position / 2 : (position + 1) / 2;
  return vowelNow ? (most - length + position) / 2 : (most - length + position + 1) / 2;
}

// Spells the chosen elements out: each element's spelling was worked out
// when the chapter was loaded (special consonants, soft consonants, capitals).
void FinishPiece(const DerivedTables& derived, const Working& work, std::string& piece) {
  piece.clear();
  for (int i = 0; i < work.length && work.codes[i] >= 0; ++i)
    piece += derived.Finished(derived.Facts(work.codes[i]));
}

}  // namespace

bool TypeAcceptsLetter(int type, char letter, int yMode) {
  if (letter == '*') return true;
  const auto byte = static_cast<unsigned char>(letter);
  if (type % 2 == 1) return kInitialLetterLists.vowel[byte] && !(letter == 'Y' && yMode == 1);
  return kInitialLetterLists.consonant[byte] && !(letter == 'Y' && yMode == 0);
}

const std::string& BuildPiece(const Chapter& chapter, GenerationState& state,
                              PieceRequest& request) {
  // requires: the derived tables match the public ones, and the driver (or
  // BuildCandidate) has set up the element group's type draw.
  assert(state.typeChoice != nullptr);
  GenerationLog log(state.logSink, request.options.log);
  EnsureSeeded(state);
  state.candidates.UseTables(chapter.derived.serial);
  std::string& piece = state.piece;
  piece.clear();
  Working work;
  EnterCall(state, request, log, work);

  if (state.newStructure) {
    if (!ChooseStructure(chapter, state, request, log)) {
      // No structure type has a weight: the chapter has nothing to build.
      state.newStructure = true;
      log.NoOption("!NOOPT");
      return piece;
    }
  }
  work.type = state.currentType;
  work.variant = state.currentVariant;
  if (work.type < 0 || work.type >= kStructureTypes) {
    state.newStructure = true;
    return piece;
  }
  if (request.options.structural) {
    const auto& variants = chapter.structureVariants[work.type];
    if (work.variant >= 0 && work.variant < static_cast<int>(variants.size()) &&
        work.variant < chapter.structureVariantCounts[work.type]) {
      work.variantText = variants[work.variant];
      work.useVariant = true;
    }
  }

  // Positions.
  work.length = work.type / 2 + 2;
  work.split = 1 + static_cast<int>(RandomBelow(state.random, work.length - 2));
  std::fill_n(work.codes.begin(), work.length + 1, -1);
  const bool usePrefixes = work.prefixes && work.type >= 6;
  const bool useSuffixes = work.suffixes && work.type >= 4;
  bool vowelNow = false;
  for (int position = 0; position < work.length; ++position) {
    const int slot = PositionSlot(chapter, work, position, vowelNow);
    const bool pairFits = position + 1 < work.length;
    if (usePrefixes && slot == 0 && pairFits) {
      ElementPair pair;
      if (!ChoosePair(chapter, state, request, work, position, vowelNow, true, log, pair)) {
        log.NoOption("!PRE/NOOPT");
        return piece;
      }
      work.codes[position] = pair.first;
      work.codes[++position] = pair.second;
      vowelNow = !vowelNow;
    } else if (useSuffixes && position == work.length - 2 && position >= 2) {
      ElementPair pair;
      if (!ChoosePair(chapter, state, request, work, position, vowelNow, false, log, pair)) {
        log.NoOption("!SUF/NOOPT");
        return piece;
      }
      work.codes[position] = pair.first;
      work.codes[++position] = pair.second;
      vowelNow = !vowelNow;
    } else {
      const int code =
          vowelNow ? ChooseElementOf<VowelKind>(chapter, state, request, work, position, slot, log)
                   : ChooseElementOf<ConsonantKind>(chapter, state, request, work, position, slot,
                                                    log);
      if (code < 0) {
        log.NoOption("!NOOPT");
        return piece;
      }
      work.codes[position] = code;
    }
    if (log.enabled()) log.EndOfPosition();
  }

  FinishPiece(chapter.derived, work, piece);
  if (log.enabled()) log.PieceResult(piece);
  state.newStructure = true;
  return piece;
}

std::string BuildCandidate(TVaelChapter& chapter, int fit, int val, bool structural, bool statistical,
                           bool prefixes, bool suffixes, char initialLetter, bool log) {
  assert(DerivedTablesAreCurrent(chapter) &&
         "tables changed by hand: call RebuildDerivedTables before generating");
  // A caller of the builder alone has filled allowedTypeWeights itself.
  FillTypeChoice(chapter.allowedTypeWeights, chapter.ownTypeChoice);
  chapter.typeChoice = &chapter.ownTypeChoice;
  GenerationOptions options;
  options.fit = fit;
  options.val = val;
  options.structural = structural;
  options.statistical = statistical;
  options.prefixes = prefixes;
  options.suffixes = suffixes;
  options.initialLetter = initialLetter;
  options.log = log;
  PieceRequest request{options, initialLetter};
  // The chapter's log file takes records only while a logged GenerateName
  // has it open, so a piece built alone leaves the last log as it was.
  chapter.logSink = log ? &chapter.logFile : nullptr;
  std::string piece = BuildPiece(chapter, chapter, request);
  chapter.logSink = nullptr;
  return piece;
}

}  // namespace vael
