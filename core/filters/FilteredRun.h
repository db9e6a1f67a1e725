#pragma once
// A run of names through a NameFilter: the one loop with the one bound,
// which every program that filters names runs.

#include <cstdint>
#include <functional>

#include "core/filters/NameFilter.h"
#include "core/generation/Generator.h"

namespace vael {

// A filtered run ends when this many names in a row were turned away: the
// chapter cannot give what was asked, and trying longer would only hang.
inline constexpr int kMaxTriesWithoutName = 100000;

struct FilteredRun {
  std::int64_t passed = 0;  // names handed to the sink
  std::int64_t tries = 0;   // names made, passed or not
  bool exhausted = false;   // ended by kMaxTriesWithoutName
};

// Makes up to `count` names into the sink, in order, until the sink returns
// false: the run a filter picks from.
using NameMaker = std::function<void(std::int64_t count, const NameSink& sink)>;

// `count` names that pass the filter, into the sink: the run goes on until
// enough names passed, the sink ends it, or kMaxTriesWithoutName names in a
// row failed. Without an active filter it is the plain run of `count`. A
// filter no name can pass (NameFilter::Impossible) ends it before any try.
FilteredRun FilterNames(std::int64_t count, NameFilter& filter, const NameMaker& make, const NameSink& sink);

// The same over a generator's names in order (Generator::Generate).
FilteredRun GenerateFilteredNames(Generator& generator, const GenerationOptions& options, std::int64_t count,
                                  NameFilter& filter, const NameSink& sink);

}  // namespace vael
