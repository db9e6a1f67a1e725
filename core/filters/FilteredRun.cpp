#include "core/filters/FilteredRun.h"

#include <limits>

namespace vael {
namespace {

// Long enough never to end a filtered run before its bound does, short of
// overflowing when a block run rounds it up to whole blocks.
constexpr std::int64_t kEndlessCount = std::numeric_limits<std::int64_t>::max() / 2;

}  // namespace

FilteredRun FilterNames(std::int64_t count, NameFilter& filter, const NameMaker& make, const NameSink& sink) {
  FilteredRun run;
  if (count <= 0) return run;
  if (!filter.Impossible().empty()) {
    run.exhausted = true;
    return run;
  }
  if (!filter.Active()) {
    make(count, [&](std::string_view name) {
      ++run.tries;
      ++run.passed;
      return sink(name);
    });
    return run;
  }
  // The same run, only longer: how many names are asked for never changes
  // which names are made.
  int misses = 0;
  make(kEndlessCount, [&](std::string_view name) {
    ++run.tries;
    if (!filter.Passes(name)) {
      if (++misses < kMaxTriesWithoutName) return true;
      run.exhausted = true;
      return false;
    }
    misses = 0;
    ++run.passed;
    return sink(name) && run.passed < count;
  });
  return run;
}

FilteredRun GenerateFilteredNames(Generator& generator, const GenerationOptions& options, std::int64_t count,
                                  NameFilter& filter, const NameSink& sink) {
  return FilterNames(
      count, filter,
      [&](std::int64_t names, const NameSink& each) { generator.Generate(options, names, each); }, sink);
}

}  // namespace vael
