#pragma once
// Generated names held against a chapter's sample names: equal to one, a
// near-copy of one, or holding a letter pair that none holds.

#include <bitset>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/chapter/ChapterTables.h"

namespace vael {

class SampleComparison {
 public:
  struct Verdict {
    bool sample = false;      // equal to a sample, ignoring case
    bool nearCopy = false;    // not equal, but a near-copy of one (EditDistance.h)
    // Holds a letter pair that no sample holds. Compared without the accents
    // and harmony the chapter's spelling adds (PlainVowels), since those
    // follow the vowels around them, not how the pieces were joined. The
    // letters a template writes itself count as seen, and so does any
    // letter beside them where a piece meets them.
    bool unseenPair = false;
  };

  // samples: the chapter's sample names in capitals (ReadSampleNames). Each
  // is compared as the generator would spell it, accents included, so that
  // a sample KAAREN is matched by a generated Káren under long vowels. The
  // chapter must outlive the comparison.
  SampleComparison(const ChapterTables& chapter, const std::vector<std::string>& samples);

  // The verdict on a generated name; remembered, since the same names come
  // up again and again across settings.
  const Verdict& Judge(const std::string& name);

  // The samples in capitals as the generator spells them, in file order.
  const std::vector<std::string>& Spellings() const { return spellings_; }

 private:
  static std::size_t PairIndex(char first, char second);
  void AddPairsOf(std::string_view plain);
  void AddTemplateLetters(const ChapterTables& chapter);
  bool IsSeenPair(char first, char second) const;

  const ChapterTables& chapter_;
  std::vector<std::string> spellings_;
  std::unordered_set<std::string> spellingSet_;
  // Distinct spellings by length, so a name meets only the samples close
  // enough in length to be near-copies.
  std::vector<std::vector<std::string>> spellingsByLength_;
  std::bitset<65536> pairs_;
  // Letters a template writes right after a piece may follow any letter;
  // those it writes right before one may precede any letter.
  std::bitset<256> afterAnyLetter_, beforeAnyLetter_;
  std::unordered_map<std::string, Verdict> verdicts_;
};

}  // namespace vael
