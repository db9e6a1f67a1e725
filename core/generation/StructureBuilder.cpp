#include "core/generation/StructureBuilder.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "core/chapter/CaseMapping.h"
#include "core/chapter/LetterClasses.h"
#include "core/generation/ElementLookup.h"
#include "core/generation/GenerationLog.h"
#include "core/generation/Generator.h"
#include "core/generation/RandomDraws.h"

namespace vael {
namespace {

// Positions of a structure: at most 33 (type 63), with room for the end mark.
constexpr int kMaxPositions = 64;

// The small consonants that stand for a consonant followed by H.
constexpr std::string_view kSoftConsonants = "bcdfghjklmnpqrstvwxz\xE7\xF0\xF1\xFE\x9A";

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
  std::array<int, kMaxPositions> codes{};
};

// The two letter lists of the initial-letter rule: vowels and consonants in
// capitals. The consonant list loses its first U, which is only the capital
// of the consonantal u; the capital of the consonantal y stays.
struct InitialLetterLists {
  std::array<bool, 256> vowel{};
  std::array<bool, 256> consonant{};
  InitialLetterLists() {
    for (char c : ToUpper(vowelSet)) vowel[static_cast<unsigned char>(c)] = true;
    std::string consonants = ToUpper(consonantSet);
    if (auto u = consonants.find('U'); u != std::string::npos) consonants.erase(u, 1);
    for (char c : consonants) consonant[static_cast<unsigned char>(c)] = true;
  }
};

const InitialLetterLists& LetterLists() {
  static const InitialLetterLists lists;
  return lists;
}

// Retry count and relaxation: one option is given up every fifth retry on
// a structure. Sets the effective fit and pair options of this call.
void EnterCall(TVaelChapter& chapter, const PieceRequest& request, GenerationLog& log,
               Working& work) {
  if (chapter.newStructure) {
    chapter.retryCount = 0;
  } else if (++chapter.retryCount >= kStructureRetryCap) {
    // A structure that no relaxation could fill: start over with a new one.
    log.Dropped("Structure");
    chapter.newStructure = true;
    chapter.retryCount = 0;
  }
  if (chapter.retryCount == 0) {
    chapter.keepFit3 = request.fit == 3;
    chapter.keepPrefixes = request.prefixes;
    chapter.keepSuffixes = request.suffixes;
    chapter.keepFit2 = request.fit > 1;
    chapter.keepFit1 = request.fit > 0;
  } else if (chapter.retryCount % 5 == 0) {
    if (chapter.keepFit3) {
      chapter.keepFit3 = false;
      log.FitLevelChanged(2);
    } else if (chapter.keepPrefixes) {
      chapter.keepPrefixes = false;
      log.Dropped("Prefix");
    } else if (chapter.keepSuffixes) {
      chapter.keepSuffixes = false;
      log.Dropped("Suffix");
    } else if (chapter.keepFit2) {
      chapter.keepFit2 = false;
      log.FitLevelChanged(1);
    } else if (chapter.keepFit1) {
      chapter.keepFit1 = false;
      log.FitLevelChanged(0);
    }
  }
  work.fit = !chapter.keepFit1 ? 0 : !chapter.keepFit2 ? 1 : !chapter.keepFit3 ? 2 : request.fit;
  work.prefixes = request.prefixes && chapter.keepPrefixes;
  work.suffixes = request.suffixes && chapter.keepSuffixes;
}

// Type draw of a new structure. Draws as often as it takes while some type
// of the initial letter's kind has a weight; picks among those directly
// after kTypeDrawCap misses; and gives the letter up when there is none.
int DrawType(TVaelChapter& chapter, PieceRequest& request, GenerationLog& log) {
  const std::span<const int> weights(chapter.allowedTypeWeights);
  auto acceptableWeights = [&] {
    std::array<int, kStructureTypes> acceptable{};
    for (int type = 0; type < kStructureTypes; ++type) {
      if (weights[type] > 0 && TypeAcceptsLetter(type, request.initialLetter, chapter.yMode)) {
        acceptable[type] = weights[type];
      }
    }
    return acceptable;
  };
  const auto hasWeight = [](const std::array<int, kStructureTypes>& list) {
    return std::any_of(list.begin(), list.end(), [](int weight) { return weight > 0; });
  };
  if (std::none_of(weights.begin(), weights.end(), [](int weight) { return weight > 0; }))
    return -1;
  std::array<int, kStructureTypes> acceptable = acceptableWeights();
  if (!hasWeight(acceptable)) {
    log.Dropped("Initial letter");
    request.initialLetter = '*';
    request.initialLetterDropped = true;
    acceptable = acceptableWeights();
  }
  for (int draw = 0; draw < kTypeDrawCap; ++draw) {
    const int type = WeightedDraw(chapter.random, weights);
    if (type >= 0 && TypeAcceptsLetter(type, request.initialLetter, chapter.yMode)) return type;
  }
  return WeightedDraw(chapter.random, acceptable);
}

int DrawVariant(TVaelChapter& chapter, const PieceRequest& request, int type) {
  const int count = chapter.structureVariantCounts[type];
  const std::vector<int>& weights = chapter.structureVariantWeights[type];
  if (request.statistical) {
    const std::size_t usable = std::min<std::size_t>(weights.size(), count > 0 ? count : 0);
    const int drawn = WeightedDraw(chapter.random, std::span<const int>(weights.data(), usable),
                                   chapter.structureTypeCounts[type]);
    return drawn >= 0 ? drawn : 0;
  }
  return static_cast<int>(RandomBelow(chapter.random, count));
}

// A new structure: type, then variant. False when no type can be drawn at all.
bool ChooseStructure(TVaelChapter& chapter, PieceRequest& request, GenerationLog& log) {
  chapter.newStructure = false;
  const int type = DrawType(chapter, request, log);
  if (type < 0) return false;
  // The first call on a structure compares the consonantal y (small) with
  // element texts in capitals, so it finds nothing at position 0 and the
  // next call on the same structure, with the capital Y, does the work.
  if (chapter.yMode != 0 && request.initialLetter == 'Y') request.initialLetter = 'y';
  const int variant = request.structural ? DrawVariant(chapter, request, type) : 0;
  chapter.currentType = type;
  chapter.currentVariant = variant;
  if (!request.structural) {
    log.StructureLine(type);
  } else {
    const auto& variants = chapter.structureVariants[type];
    const bool known = variant >= 0 && variant < static_cast<int>(variants.size());
    log.StructureLine(type, variant, known ? std::string_view(variants[variant]) : "");
  }
  return true;
}

bool FitsVariant(const TVaelChapter& chapter, const Working& work, int code, int position) {
  if (!work.useVariant) return true;
  if (position < 0 || position >= static_cast<int>(work.variantText.size())) return false;
  return work.variantText[position] == VariantDigit(chapter, code);
}

char FirstCapital(std::string_view text) { return text.empty() ? '\0' : ToUpperChar(text.front()); }

bool Flag(const std::array<std::uint8_t, kEndPairFlags>& row, int index) {
  return index >= 0 && index < kEndPairFlags && row[index] != 0;
}

// The flag column of an element standing before an end pair: a vowel by its
// code, a consonant by 100 plus its last letter.
int BeforeFlagOfConsonant(const TVaelChapter& chapter, int code) {
  const int letter = LastLetterIndex(chapter, code);
  return letter < 0 ? -1 : kFirstConsonantCode + letter;
}

struct PairChoice {
  bool found = false;
  ElementPair pair;
};

// Pair candidates and the choice among them, for start pairs (at position 0) or end pairs (at L -
// 2).
PairChoice ChoosePair(TVaelChapter& chapter, const PieceRequest& request, const Working& work,
                      int position, bool vowelNow, bool start, GenerationLog& log) {
  const auto& pairs = start ? chapter.startPairs : chapter.endPairs;
  const auto& pairWeights = start ? chapter.startPairWeights : chapter.endPairWeights;
  const int declared = start ? chapter.startPairCount : chapter.endPairCount;
  const int count = std::min<int>(declared, static_cast<int>(pairs.size()));
  std::vector<int> candidates;
  std::vector<int> weights;
  for (int p = 0; p < count; ++p) {
    const ElementPair pair = pairs[p];
    if (IsConsonantCode(pair.first) == vowelNow) continue;
    if (start && request.initialLetter != '*' &&
        FirstCapital(ElementText(chapter, pair.first)) != request.initialLetter) {
      continue;
    }
    if (!FitsVariant(chapter, work, pair.first, position) ||
        !FitsVariant(chapter, work, pair.second, position + 1)) {
      continue;
    }
    if (!start) {
      if (p >= static_cast<int>(chapter.endPairBefore1.size()) ||
          p >= static_cast<int>(chapter.endPairBefore2.size())) {
        continue;
      }
      const auto& before1 = chapter.endPairBefore1[p];
      const auto& before2 = chapter.endPairBefore2[p];
      const int previous = work.codes[position - 1];
      const int twoBack = work.codes[position - 2];
      if (!IsConsonantCode(pair.first)) {
        if (work.fit >= 1 && !Flag(before1, BeforeFlagOfConsonant(chapter, previous))) continue;
        if (work.fit >= 3 && !Flag(before2, twoBack)) continue;
      } else {
        if (work.fit >= 1 && !Flag(before1, previous)) continue;
        if (work.fit >= 2 && !Flag(before2, BeforeFlagOfConsonant(chapter, twoBack))) continue;
      }
    }
    candidates.push_back(p);
    weights.push_back(p < static_cast<int>(pairWeights.size()) ? pairWeights[p] : 0);
    log.PairCandidate(ElementText(chapter, pair.first), ElementText(chapter, pair.second));
  }
  PairChoice choice;
  if (candidates.empty()) return choice;
  int picked = request.statistical ? WeightedDraw(chapter.random, weights) : -1;
  if (picked < 0) picked = static_cast<int>(RandomBelow(chapter.random, candidates.size()));
  choice.found = true;
  choice.pair = pairs[candidates[picked]];
  log.PairChoice(ElementText(chapter, choice.pair.first), ElementText(chapter, choice.pair.second));
  return choice;
}

bool Adjacency(const auto& table, int row, int column) {
  if (row < 0 || column < 0 || row >= static_cast<int>(table.size())) return false;
  const auto& cells = table[row];
  return column < static_cast<int>(cells.size()) && cells[column] != 0;
}

// The filters of a single element at `position`, in order.
bool IsCandidate(const TVaelChapter& chapter, const PieceRequest& request, const Working& work,
                 int code, int position, int slot, bool vowel) {
  if (PositionCount(chapter, code, slot) < 1) return false;
  const std::string_view text = ElementText(chapter, code);
  if (position == 0 && request.initialLetter != '*') {
    const char first = vowel ? FirstCapital(text) : FirstCapital(ExpandedText(chapter, text));
    if (first != request.initialLetter) return false;
  }
  if (!FitsVariant(chapter, work, code, position)) return false;
  const int previous = position > 0 ? work.codes[position - 1] : -1;
  const int twoBack = position > 1 ? work.codes[position - 2] : -1;
  if (vowel) {
    if (work.fit >= 1 && position > 0 &&
        !Adjacency(chapter.vowelAfterConsonant, code, LastLetterIndex(chapter, previous))) {
      return false;
    }
    if (work.fit >= 3 && position > 1 && !Adjacency(chapter.vowelAcrossConsonant, code, twoBack)) {
      return false;
    }
    return true;
  }
  const int firstLetter = FirstLetterIndex(chapter, code);
  if (work.fit >= 1 && position > 0 &&
      !Adjacency(chapter.consonantAfterVowel, firstLetter, previous)) {
    return false;
  }
  if (position > 1) {
    const int earlierLast = LastLetterIndex(chapter, twoBack);
    // Across a multi vowel the samples record no neighbourhood, so the only
    // rule left is not to repeat the consonant letter on both sides.
    if (work.useVariant && position - 1 < static_cast<int>(work.variantText.size()) &&
        work.variantText[position - 1] == '0' && IsMultiVowel(chapter, previous)) {
      return firstLetter != earlierLast;
    }
    if (work.fit >= 2 && !Adjacency(chapter.consonantAcrossVowel, firstLetter, earlierLast)) {
      return false;
    }
  }
  return true;
}

// Single element candidates and the choice: the code chosen, or -1.
int ChooseElement(TVaelChapter& chapter, const PieceRequest& request, const Working& work,
                  int position, int slot, bool vowel, GenerationLog& log) {
  const int count = vowel ? std::min<int>(chapter.vowelElementCount, kMaxVowelElements)
                          : std::min<int>(chapter.consonantElementCount, kMaxConsonantElements);
  const int base = vowel ? 0 : kFirstConsonantCode;
  std::vector<int> candidates;
  std::vector<int> weights;
  for (int k = 0; k < count; ++k) {
    const int code = base + k;
    if (!IsCandidate(chapter, request, work, code, position, slot, vowel)) continue;
    candidates.push_back(code);
    weights.push_back(PositionCount(chapter, code, slot));
    log.Candidate(ElementText(chapter, code));
  }
  if (candidates.empty()) return -1;
  int picked = request.statistical ? WeightedDraw(chapter.random, weights) : -1;
  if (picked < 0) picked = static_cast<int>(RandomBelow(chapter.random, candidates.size()));
  const int code = candidates[picked];
  log.Choice(ElementText(chapter, code));
  return code;
}

// The slot of a position and whether it takes a vowel. The
// end-aligned slots of a structure that begins with a vowel are one higher
// than where the statistics counted them when maxElements - L is even; the
// builder keeps its own formulas.
int PositionSlot(const TVaelChapter& chapter, const Working& work, int position, bool& vowelNow) {
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

void ReplaceAll(std::string& text, char from, std::string_view to) {
  if (text.find(from) == std::string::npos) return;
  std::string out;
  out.reserve(text.size() + to.size() * 2);
  for (char c : text) {
    if (c == from)
      out += to;
    else
      out += c;
  }
  text = std::move(out);
}

// Spells the chosen elements out.
std::string FinishPiece(const TVaelChapter& chapter, const Working& work) {
  std::string piece;
  for (int i = 0; i < work.length && work.codes[i] >= 0; ++i)
    piece += ElementText(chapter, work.codes[i]);
  const int specials = std::min(chapter.specialConsonantCount, kMaxSpecialConsonants);
  for (int i = 0; i < specials; ++i) {
    ReplaceAll(piece, static_cast<char>('0' + i), chapter.specialConsonants[i]);
  }
  // Every soft consonant the analysis can code, the accented ones included,
  // gets its H back; otherwise a sample's CH with a cedilla would come out
  // without the H.
  for (char soft : kSoftConsonants) {
    const char written[] = {ToUpperChar(soft), 'H'};
    ReplaceAll(piece, soft, std::string_view(written, 2));
  }
  return ToUpper(piece);
}

}  // namespace

bool TypeAcceptsLetter(int type, char letter, int yMode) {
  if (letter == '*') return true;
  const InitialLetterLists& lists = LetterLists();
  const auto byte = static_cast<unsigned char>(letter);
  if (type % 2 == 1) return lists.vowel[byte] && !(letter == 'Y' && yMode == 1);
  return lists.consonant[byte] && !(letter == 'Y' && yMode == 0);
}

std::string BuildPiece(TVaelChapter& chapter, PieceRequest& request) {
  GenerationLog log(chapter.logFile, request.log);
  EnsureSeeded(chapter);
  Working work;
  EnterCall(chapter, request, log, work);

  if (chapter.newStructure) {
    if (!ChooseStructure(chapter, request, log)) {
      // No structure type has a weight: the chapter has nothing to build.
      chapter.newStructure = true;
      log.NoOption("!NOOPT");
      return {};
    }
  }
  work.type = chapter.currentType;
  work.variant = chapter.currentVariant;
  if (work.type < 0 || work.type >= kStructureTypes) {
    chapter.newStructure = true;
    return {};
  }
  if (request.structural) {
    const auto& variants = chapter.structureVariants[work.type];
    if (work.variant >= 0 && work.variant < static_cast<int>(variants.size()) &&
        work.variant < chapter.structureVariantCounts[work.type]) {
      work.variantText = variants[work.variant];
      work.useVariant = true;
    }
  }

  // Positions.
  work.length = work.type / 2 + 2;
  work.split = 1 + static_cast<int>(RandomBelow(chapter.random, work.length - 2));
  work.codes.fill(-1);
  const bool usePrefixes = work.prefixes && work.type >= 6;
  const bool useSuffixes = work.suffixes && work.type >= 4;
  bool vowelNow = false;
  for (int position = 0; position < work.length; ++position) {
    const int slot = PositionSlot(chapter, work, position, vowelNow);
    const bool pairFits = position + 1 < work.length;
    if (usePrefixes && slot == 0 && pairFits) {
      const PairChoice choice = ChoosePair(chapter, request, work, position, vowelNow, true, log);
      if (!choice.found) {
        log.NoOption("!PRE/NOOPT");
        return {};
      }
      work.codes[position] = choice.pair.first;
      work.codes[++position] = choice.pair.second;
      vowelNow = !vowelNow;
    } else if (useSuffixes && position == work.length - 2 && position >= 2) {
      const PairChoice choice = ChoosePair(chapter, request, work, position, vowelNow, false, log);
      if (!choice.found) {
        log.NoOption("!SUF/NOOPT");
        return {};
      }
      work.codes[position] = choice.pair.first;
      work.codes[++position] = choice.pair.second;
      vowelNow = !vowelNow;
    } else {
      const int code = ChooseElement(chapter, request, work, position, slot, vowelNow, log);
      if (code < 0) {
        log.NoOption("!NOOPT");
        return {};
      }
      work.codes[position] = code;
    }
    log.EndOfPosition();
  }

  std::string piece = FinishPiece(chapter, work);
  log.PieceResult(piece);
  chapter.newStructure = true;
  return piece;
}

std::string BuildCandidate(TVaelChapter& chapter, int fit, int, bool structural, bool statistical,
                           bool prefixes, bool suffixes, char initialLetter, bool log) {
  PieceRequest request;
  request.fit = fit;
  request.structural = structural;
  request.statistical = statistical;
  request.prefixes = prefixes;
  request.suffixes = suffixes;
  request.initialLetter = initialLetter;
  request.log = log;
  return BuildPiece(chapter, request);
}

}  // namespace vael
