#pragma once
// The filters of FilterOptions on finished names. They only pick among the
// names a run makes: each name is made exactly as without them, so the
// names that pass are a subsequence of the same run unfiltered.

#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "core/analysis/SampleComparison.h"
#include "core/chapter/ChapterTables.h"
#include "core/filters/FilterOptions.h"
#include "core/filters/OffensiveWords.h"
#include "core/filters/TextFilters.h"

namespace vael {

class NameFilter {
 public:
  // samples: the chapter's sample names (ReadSampleNames, or a list's
  // names; case makes no difference), which noSamples and novel compare
  // with; without them those filters leave nothing out, so a caller that
  // has none refuses the options first (NeedsSamples). initialLetter: the run's ('*' for any),
  // which Impossible takes into account. The chapter must outlive the
  // filter.
  NameFilter(const ChapterTables& chapter, FilterOptions options, const std::vector<std::string>& samples,
             char initialLetter = '*');
  ~NameFilter();
  NameFilter(const NameFilter&) = delete;
  NameFilter& operator=(const NameFilter&) = delete;

  // Whether any filter is set (HasFilters).
  bool Active() const { return active_; }

  // Why no name of the chapter can pass (ImpossibleFilters): code-page
  // text, empty when names may pass.
  const std::string& Impossible() const { return impossible_; }

  // Whether the name passes every filter; with unique, a name that passes
  // is remembered and passes no more.
  bool Passes(std::string_view name);

 private:
  FilterOptions options_;
  bool active_ = false;
  std::string impossible_;
  TextFilters texts_;
  std::unique_ptr<OffensiveWords> offensive_;
  std::unordered_set<std::string> upperSamples_;
  std::unique_ptr<SampleComparison> copies_;  // novel only
  std::unordered_set<std::string> passed_;    // unique only
};

}  // namespace vael
