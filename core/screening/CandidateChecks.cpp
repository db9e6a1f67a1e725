#include "core/screening/CandidateChecks.h"

#include <array>

#include "core/chapter/CaseMapping.h"
#include "core/chapter/LetterClasses.h"

namespace vael {

// "Kyrp\xE4" ends in the small a with diaeresis; the comparison ignores case,
// so a piece spelled KYRP\xC4 matches it.
const std::array<std::string_view, 34> badWords{
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
bool HasRepeatedSequence(const std::string& candidate) {
  const int length = static_cast<int>(candidate.size());
  if (length <= 4) return false;
  for (int a = 0; a < length - 5; ++a) {
    for (int b = a + 1; b < length - 4; ++b) {
      if (candidate.compare(a, 4, candidate, b, 4) == 0) return true;
    }
  }
  return false;
}

// The first letter that repeats closer than any sample name repeats it, or
// "". Only the first repeat at distance 2 or more after each position counts,
// the same rule that builds minRepeatDistance.
std::string CloseRepeat(const TVaelChapter& chapter, const std::string& candidate) {
  const int length = static_cast<int>(candidate.size());
  for (int j = 0; j < length - 2; ++j) {
    const char letter = candidate[j];
    int k = j + 2;
    while (k < length && candidate[k] != letter) ++k;
    if (k == length) continue;
    const int index = NameLetterIndex(letter);
    if (index < 0) continue;  // not a name letter: no statistics to compare with
    if (chapter.minRepeatDistance[index] > k - j) return std::string("!DIST/") + letter;
  }
  return {};
}

bool IsBadWord(const std::string& candidate) {
  for (std::string_view word : badWords) {
    if (EqualsIgnoreCase(candidate, word)) return true;
  }
  return false;
}

// The first letter, in set order, that takes a larger share of the piece than
// of any sample name. Shares are whole percent, halves rounded up, computed in
// floating point exactly as the statistics compute them. Only letters of the
// piece can fail, so the set order is kept by taking the failing letter with
// the lowest index.
std::string ExcessShare(const TVaelChapter& chapter, const std::string& candidate) {
  std::array<int, 256> counts{};
  for (char c : candidate) ++counts[static_cast<unsigned char>(c)];
  const double length = static_cast<double>(candidate.size());
  int failing = kScreenedLetters;
  for (char letter : candidate) {
    const int index = NameLetterIndex(letter);
    if (index < 0 || index >= failing) continue;
    const int count = counts[static_cast<unsigned char>(letter)];
    if (count <= 1) continue;
    const int share = static_cast<int>((count / length + 0.005) * 100.0);
    if (share > chapter.maxLetterPercent[index]) failing = index;
  }
  if (failing == kScreenedLetters) return {};
  return std::string("!FREQ/") + nameLetterSet[failing];
}

}  // namespace

std::string CheckCandidate(const TVaelChapter& chapter, const std::string& candidate, int level) {
  // An empty piece passes every check.
  if (level == 0 || candidate.empty()) return {};
  if (HasRepeatedSequence(candidate)) return "!REP";
  if (std::string reason = CloseRepeat(chapter, candidate); !reason.empty()) return reason;
  if (level == 1) return {};
  // Every level other than 0 and 1, negative ones included, runs all checks.
  if (IsBadWord(candidate)) return "!BAD";
  return ExcessShare(chapter, candidate);
}

}  // namespace vael
