#pragma once
// Generated names held against a chapter's sample names: equal to one, a
// near-copy of one, or holding a letter pair that none holds.

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/analysis/NameShape.h"
#include "core/analysis/TemplateRuns.h"
#include "core/chapter/ChapterTables.h"

namespace vael {

class SampleComparison {
 public:
  struct Verdict {
    // Equal to a sample, ignoring case, or to a sample as a template of one
    // element group writes it whole (Mac_# and Leod make MacLeod).
    bool sample = false;
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

  // Whether the name is a sample or a near-copy of one, as Judge finds it,
  // without remembering the name: for runs too long to remember every name.
  bool Copies(std::string_view name) const;

  // The samples in capitals as the generator spells them, in file order.
  const std::vector<std::string>& Spellings() const { return spellings_; }

  // The make-up of names that the samples lead one to expect (ExpectedShape).
  const NameShape& Expected() const { return expected_; }

 private:
  static std::size_t PairIndex(char first, char second);
  void AddPairsOf(std::string_view plain);
  void AddTemplateLetters(const std::vector<WeightedTemplate>& templates);
  // A spelling that a generated name copies when it is equal or near.
  void AddCopyTarget(std::string spelled);
  bool IsSeenPair(char first, char second) const;
  // The verdict's sample and nearCopy for a name in capitals.
  void JudgeCopy(const std::string& upper, Verdict& verdict) const;

  const ChapterTables& chapter_;
  std::vector<std::string> spellings_;
  NameShape expected_;
  std::unordered_set<std::string> spellingSet_;
  // Distinct spellings by length, so a name meets only the samples close
  // enough in length to be near-copies.
  struct CopyTarget {
    std::string spelling;
    std::uint64_t letterBits = 0;
  };
  std::vector<std::vector<CopyTarget>> spellingsByLength_;
  std::bitset<65536> pairs_;
  // Letters a template writes right after a piece may follow any letter;
  // those it writes right before one may precede any letter.
  std::bitset<256> afterAnyLetter_, beforeAnyLetter_;
  std::unordered_map<std::string, Verdict> verdicts_;
};

}  // namespace vael
