#include "cli/NameFilters.h"

#include <limits>

#include "cli/NameRun.h"
#include "core/chapter/CaseMapping.h"

namespace vael::cli {
namespace {

// Long enough never to end a filtered run before its bound does, short of
// overflowing when the block run rounds it up to whole blocks.
constexpr std::int64_t kEndlessCount = std::numeric_limits<std::int64_t>::max() / 2;

}  // namespace

int LetterCount(std::string_view name) {
  int letters = 0;
  for (char c : name) {
    if (c != ' ' && c != '-') ++letters;
  }
  return letters;
}

NameFilters::NameFilters(const CommandLine& line, const std::vector<std::string>& samples)
    : unique_(line.unique),
      minLength_(line.minLength.value_or(0)),
      maxLength_(line.maxLength.value_or(std::numeric_limits<int>::max())) {
  if (line.noSamples) {
    for (const std::string& sample : samples) upperSamples_.insert(ToUpper(sample));
  }
}

bool NameFilters::Passes(std::string_view name) {
  const int letters = LetterCount(name);
  if (letters < minLength_ || letters > maxLength_) return false;
  if (!upperSamples_.empty() && upperSamples_.count(ToUpper(name)) != 0) return false;
  if (unique_) return printed_.emplace(name).second;
  return true;
}

FilteredRun MakeFilteredNames(Generator& generator, const GenerationOptions& request,
                              const CommandLine& line, NameFilters& filters, const NameSink& sink) {
  FilteredRun run;
  if (!HasNameFilters(line)) {
    MakeNames(generator, request, line, [&](std::string_view name) {
      ++run.passed;
      return sink(name);
    });
    return run;
  }
  // The same run, only longer: how many names are asked for never changes
  // which names are made.
  CommandLine endless = line;
  endless.count = kEndlessCount;
  int misses = 0;
  MakeNames(generator, request, endless, [&](std::string_view name) {
    if (!filters.Passes(name)) {
      if (++misses < kMaxTriesWithoutName) return true;
      run.exhausted = true;
      return false;
    }
    misses = 0;
    ++run.passed;
    return sink(name) && run.passed < line.count;
  });
  return run;
}

}  // namespace vael::cli
