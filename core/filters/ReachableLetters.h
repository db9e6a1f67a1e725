#pragma once
// What a chapter's tables allow the letters of its names to be, so that a
// filter no name can meet is told at once instead of tried for ever. The
// sets are generous: a letter a name could hold is never missing, while a
// letter that is there may still be rare or, in some combinations, never
// come.

#include <bitset>
#include <string>

#include "core/chapter/ChapterTables.h"
#include "core/filters/FilterOptions.h"

namespace vael {

// Folded letters (collation weights) by the place a name can have them.
struct ReachableLetters {
  static constexpr std::size_t kWeights = 512;  // above every collation weight
  std::bitset<kWeights> anywhere, first, last;
};

// From the spelling of every letter group (special and soft consonants
// written out), the letter groups that begin and end a part of a sample
// name, every character a template writes, and the vowels that harmony may
// turn into others. The one-letter name the generator falls back on when
// its tables can form nothing is not counted.
ReachableLetters LettersOfNames(const ChapterTables& chapter);

// Why no name can pass the filters: a letter no name can hold, begin or end
// with, or filters that contradict each other. initialLetter is the run's
// ('*' for any), which the generator's fallback name may be. Code-page text
// naming the letter or texts as the options give them; empty when names may
// pass.
std::string ImpossibleFilters(const ChapterTables& chapter, const FilterOptions& options, char initialLetter);

}  // namespace vael
