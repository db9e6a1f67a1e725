#pragma once
// The filters of vaelgen (--unique, --min-length, --max-length,
// --no-samples). They sit between the generation loop and the output and
// only pick among finished names: a name is made exactly as without them,
// so the names that pass are a subsequence of the same run unfiltered.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "cli/CommandLine.h"
#include "core/generation/Generator.h"

namespace vael::cli {

// A filtered run ends when this many names in a row were turned away: the
// chapter cannot give what was asked, and trying longer would only hang.
inline constexpr int kMaxTriesWithoutName = 100000;

// The letters of a name: every byte but spaces and hyphens (names are
// Windows-1252, so an accented letter is one byte).
int LetterCount(std::string_view name);

class NameFilters {
 public:
  // samples: the chapter's sample names as written; used for --no-samples.
  NameFilters(const CommandLine& line, const std::vector<std::string>& samples);

  // Whether name passes every filter; a name that passes is remembered for
  // --unique.
  bool Passes(std::string_view name);

 private:
  bool unique_;
  int minLength_, maxLength_;
  std::unordered_set<std::string> printed_;
  std::unordered_set<std::string> upperSamples_;  // in the chapter's capitals
};

struct FilteredRun {
  std::int64_t passed = 0;  // names handed to the sink
  bool exhausted = false;   // ended by kMaxTriesWithoutName
};

// line.count names through the filters into sink. Without filters this is
// MakeNames itself; with them the run goes on until enough names passed,
// the sink ends it, or kMaxTriesWithoutName names in a row failed.
FilteredRun MakeFilteredNames(Generator& generator, const GenerationOptions& request,
                              const CommandLine& line, NameFilters& filters, const NameSink& sink);

}  // namespace vael::cli
