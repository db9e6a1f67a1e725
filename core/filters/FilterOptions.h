#pragma once
// What a user may ask of the names of a run beyond the generation options:
// filters that pick among the names made. Every program that makes names
// (vaelgen, and any interface to the library) takes the same options and
// hands them to NameFilter, so a filter means the same everywhere.
//
// Texts are code-page bytes. Letters are matched without regard to case or
// accents, by the collation rule of titles (Collation.h): "e" matches É and
// è, "ss" matches ß, "ae" matches Æ.

#include <string>
#include <vector>

namespace vael {

struct FilterOptions {
  bool unique = false;  // never the same name twice in one run
  int minLength = 0;    // letters (spaces and hyphens not counted); 0: no bound
  int maxLength = 0;    // 0: no bound
  // Never a sample name, ignoring case.
  bool noSamples = false;
  // Never a sample, nor a near-copy of one (noSamples and more).
  bool novel = false;
  // Every text of each list must hold: the name begins with each of
  // startsWith, ends with each of endsWith, holds each of contains, and
  // holds none of excludes.
  std::vector<std::string> startsWith, endsWith, contains, excludes;
  // Never a name that is, or holds as a word, a word of cleanWords
  // (OffensiveWords.h tells the rule).
  bool clean = false;
  std::vector<std::string> cleanWords;
};

// Whether any filter is asked for; without one, a run's names are those of
// a plain run.
bool HasFilters(const FilterOptions& options);

// Whether the filters need the chapter's sample names.
bool NeedsSamples(const FilterOptions& options);

}  // namespace vael
