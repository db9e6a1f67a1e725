#include "core/filters/NameFilter.h"

#include "core/analysis/NameDistribution.h"
#include "core/chapter/CaseMapping.h"
#include "core/filters/ReachableLetters.h"

namespace vael {

NameFilter::NameFilter(const ChapterTables& chapter, FilterOptions options,
                       const std::vector<std::string>& samples, char initialLetter)
    : options_(std::move(options)),
      active_(HasFilters(options_)),
      impossible_(ImpossibleFilters(chapter, options_, initialLetter)),
      texts_(options_) {
  if (options_.clean) offensive_ = std::make_unique<OffensiveWords>(options_.cleanWords);
  if (NeedsSamples(options_)) {
    std::vector<std::string> upper;
    upper.reserve(samples.size());
    for (const std::string& sample : samples) upper.push_back(ToUpper(sample));
    upperSamples_.insert(upper.begin(), upper.end());
    if (options_.novel) copies_ = std::make_unique<SampleComparison>(chapter, upper);
  }
}

NameFilter::~NameFilter() = default;

bool NameFilter::Passes(std::string_view name) {
  if (!active_) return true;
  const int letters = LetterCount(name);
  if (letters < options_.minLength) return false;
  if (options_.maxLength > 0 && letters > options_.maxLength) return false;
  if (!texts_.Meets(name)) return false;
  if (offensive_ && !offensive_->Offence(name).empty()) return false;
  if (!upperSamples_.empty() && upperSamples_.count(ToUpper(name)) != 0) return false;
  if (copies_ && copies_->Copies(name)) return false;
  if (options_.unique) return passed_.emplace(name).second;
  return true;
}

}  // namespace vael
