#include "core/screening/CandidateChecks.h"

#include <array>
#include <bit>
#include <cstring>

#include "core/SpeedTricks.h"
#include "core/chapter/CaseMapping.h"
#include "core/chapter/LetterClasses.h"

namespace vael {

// "Kyrp\xE4" ends in the small a with diaeresis; the comparison ignores case,
// so a piece spelled KYRP\xC4 matches it.
constexpr std::array<std::string_view, 34> badWords{
    "Allah",        "Adonai",   "Anal",     "Anus",   "Arsch",  "Arse",     "Ass",
    "Butt",         "Clit",     "Clitoris", "Crap",   "Cunt",   "Dildo",    "Ejaculate",
    "Eloyhim",      "Erection", "Jahve",    "Jahveh", "Kulli",  "Kyrp\xE4", "Masturbate",
    "Masturbation", "Penis",    "Pillu",    "Prick",  "Pussy",  "Shit",     "Urine",
    "Vagina",       "Vittu",    "Yahve",    "Yahveh", "Yehova", "Yehovah"};

namespace {

// The only letters whose share is screened: the name letter set without the
// final space and hyphen.
constexpr int kScreenedLetters = kNameLetterSetSize - 2;

// A four-letter sequence that occurs twice. The windows may overlap, but the
// window ending on the last character is never compared, so a piece shorter
// than six letters always passes.
bool HasRepeatedSequence(std::string_view candidate) {
  const int length = static_cast<int>(candidate.size());
  if (length <= 4) return false;
  const auto window = [&](int at) {
    std::uint32_t bytes;
    std::memcpy(&bytes, candidate.data() + at, sizeof bytes);
    return bytes;
  };
  for (int a = 0; a < length - 5; ++a) {
    const std::uint32_t first = window(a);
    for (int b = a + 1; b < length - 4; ++b) {
      if (window(b) == first) return true;
    }
  }
  return false;
}

// The first letter that repeats closer than any sample name repeats it.
// Only the first repeat at distance 2 or more after each position counts,
// the same rule that builds minRepeatDistance.
Screening CloseRepeat(const ChapterTables& chapter, std::string_view candidate) {
  const int length = static_cast<int>(candidate.size());
  for (int j = 0; j < length - 2; ++j) {
    const char letter = candidate[j];
    int k = j + 2;
    while (k < length && candidate[k] != letter) ++k;
    if (k == length) continue;
    const int index = NameLetterIndex(letter);
    if (index < 0) continue;  // not a name letter: no statistics to compare with
    if (chapter.minRepeatDistance[index] > k - j) return {ScreeningCheck::Distance, letter};
  }
  return {};
}

// The bad words by length, one bit a word, so that a piece is compared only
// with the words as long as it, which for most pieces is none.
// Gain (scripts/bench-compare --trick BAD_WORD_INDEX; instructions per name, 40
// villages, own / all options / -i K): 5,687 / 16,667 / 19,986 without,
// 5,333 / 16,564 / 19,916 with.
constexpr std::size_t kLongestBadWord = 15;
static_assert(badWords.size() <= 64, "a length's words fit one 64-bit mask");
constexpr std::array<std::uint64_t, kLongestBadWord + 1> kBadWordsByLength = [] {
  std::array<std::uint64_t, kLongestBadWord + 1> byLength{};
  for (std::size_t i = 0; i < badWords.size(); ++i) {
    if (badWords[i].size() > kLongestBadWord) throw "a bad word longer than the index holds";
    byLength[badWords[i].size()] |= std::uint64_t{1} << i;
  }
  return byLength;
}();

bool IsBadWord(std::string_view candidate) {
  if constexpr (!tricks::kBadWordIndex) {
    for (std::string_view word : badWords) {
      if (EqualsIgnoreCase(candidate, word)) return true;
    }
    return false;
  }
  if (candidate.size() > kLongestBadWord) return false;
  for (std::uint64_t words = kBadWordsByLength[candidate.size()]; words != 0; words &= words - 1) {
    if (EqualsIgnoreCase(candidate, badWords[static_cast<std::size_t>(std::countr_zero(words))]))
      return true;
  }
  return false;
}

// The first letter, in set order, that takes a larger share of the piece than
// of any sample name. Shares are whole percent, halves rounded up, computed in
// floating point exactly as the statistics compute them. Only letters of the
// piece can fail, so the set order is kept by taking the failing letter with
// the lowest index.
Screening ExcessShare(const ChapterTables& chapter, std::string_view candidate) {
  // Only the entries of the piece's own letters are cleared and counted.
  std::array<std::uint32_t, 256> counts;
  for (char c : candidate) counts[static_cast<unsigned char>(c)] = 0;
  for (char c : candidate) ++counts[static_cast<unsigned char>(c)];
  const double length = static_cast<double>(candidate.size());
  int failing = kScreenedLetters;
  for (char letter : candidate) {
    const int index = NameLetterIndex(letter);
    if (index < 0 || index >= failing) continue;
    const std::uint32_t count = counts[static_cast<unsigned char>(letter)];
    if (count <= 1) continue;
    const int share = static_cast<int>((count / length + 0.005) * 100.0);
    if (share > chapter.maxLetterPercent[index]) failing = index;
  }
  if (failing == kScreenedLetters) return {};
  return {ScreeningCheck::Share, nameLetterSet[failing]};
}

}  // namespace

Screening ScreenCandidate(const ChapterTables& chapter, std::string_view candidate, int level) {
  // An empty piece passes every check.
  if (level == 0 || candidate.empty()) return {};
  if (HasRepeatedSequence(candidate)) return {ScreeningCheck::Repetition};
  if (Screening close = CloseRepeat(chapter, candidate); !close.accepted()) return close;
  if (level == 1) return {};
  // Every level other than 0 and 1, negative ones included, runs all checks.
  if (IsBadWord(candidate)) return {ScreeningCheck::BadWord};
  return ExcessShare(chapter, candidate);
}

std::string ReasonToken(const Screening& screening) {
  switch (screening.failed) {
    case ScreeningCheck::None:
      return {};
    case ScreeningCheck::Repetition:
      return "!REP";
    case ScreeningCheck::Distance:
      return std::string("!DIST/") + screening.letter;
    case ScreeningCheck::BadWord:
      return "!BAD";
    case ScreeningCheck::Share:
      return std::string("!FREQ/") + screening.letter;
  }
  return {};
}

std::string CheckCandidate(const ChapterTables& chapter, const std::string& candidate, int level) {
  return ReasonToken(ScreenCandidate(chapter, candidate, level));
}

}  // namespace vael
