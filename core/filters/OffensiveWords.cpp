#include "core/filters/OffensiveWords.h"

#include <array>

#include "core/chapter/CaseMapping.h"
#include "core/chapter/Collation.h"

namespace vael {
namespace {

constexpr char kStemMark = '*';

// Bytes that spell letters under the collation rule.
const std::array<bool, 256>& LetterBytes() {
  static const std::array<bool, 256> letters = [] {
    std::array<bool, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
      const FoldedText folded = Folded(std::string(1, static_cast<char>(byte)));
      table[byte] = !folded.empty() && IsLetterWeight(folded.front());
    }
    return table;
  }();
  return letters;
}

bool IsLetter(char c) { return LetterBytes()[static_cast<unsigned char>(c)]; }
bool IsCapital(char c) { return ToLowerChar(c) != c; }
bool IsSmall(char c) { return ToUpperChar(c) != c; }

std::u16string Key(const FoldedText& folded) { return std::u16string(folded.begin(), folded.end()); }

}  // namespace

std::string EntryProblem(const std::string& entry) {
  std::string_view letters = entry;
  if (!letters.empty() && letters.front() == kStemMark) letters.remove_prefix(1);
  if (!letters.empty() && letters.back() == kStemMark) letters.remove_suffix(1);
  for (char c : letters) {
    if (!IsLetter(c)) return "an entry is one word of letters, with * before or after it to mark a stem";
  }
  if (letters.empty()) return "an entry needs a letter";
  return {};
}

OffensiveWords::OffensiveWords(const std::vector<std::string>& entries) {
  for (const std::string& entry : entries) {
    if (!EntryProblem(entry).empty()) continue;
    Stem stem;
    std::string_view letters = entry;
    stem.openBefore = letters.front() == kStemMark;
    if (stem.openBefore) letters.remove_prefix(1);
    stem.openAfter = letters.back() == kStemMark;
    if (stem.openAfter) letters.remove_suffix(1);
    stem.letters = Folded(letters);
    stem.written = entry;
    if (!stem.openBefore && !stem.openAfter) {
      words_.emplace(Key(stem.letters), entry);
    } else {
      stems_.push_back(std::move(stem));
    }
  }
}

std::string_view OffensiveWords::WordOffence(std::string_view word) const {
  const FoldedText folded = Folded(word);
  if (auto found = words_.find(Key(folded)); found != words_.end()) return found->second;
  for (const Stem& stem : stems_) {
    const bool holds = stem.openBefore && stem.openAfter ? FoldedContains(folded, stem.letters)
                       : stem.openBefore                 ? FoldedEndsWith(folded, stem.letters)
                                                         : FoldedStartsWith(folded, stem.letters);
    if (holds) return stem.written;
  }
  return {};
}

std::string_view OffensiveWords::Offence(std::string_view name) const {
  std::size_t at = 0;
  while (at < name.size()) {
    if (!IsLetter(name[at])) {
      ++at;
      continue;
    }
    std::size_t end = at + 1;
    while (end < name.size() && IsLetter(name[end])) ++end;
    const std::string_view run = name.substr(at, end - at);
    if (std::string_view found = WordOffence(run); !found.empty()) return found;
    // The words a capital after a small letter begins, when there are any.
    std::size_t wordStart = 0;
    for (std::size_t i = 1; i <= run.size(); ++i) {
      if (i < run.size() && !(IsCapital(run[i]) && IsSmall(run[i - 1]))) continue;
      if (wordStart == 0 && i == run.size()) break;  // not cut: compared whole above
      if (std::string_view found = WordOffence(run.substr(wordStart, i - wordStart)); !found.empty()) {
        return found;
      }
      wordStart = i;
    }
    at = end;
  }
  return {};
}

PlainList ReadWordList(std::string_view bytes) { return ReadListLines(bytes, EntryProblem); }

}  // namespace vael
