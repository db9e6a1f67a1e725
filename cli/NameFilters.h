#pragma once
// The filters of vaelgen (--unique, --min-length, --max-length,
// --no-samples, --novel, --starts-with, --ends-with, --contains,
// --excludes, --clean, --clean-list) handed to the core's NameFilter, and
// vaelgen's run through them.

#include <optional>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "core/filters/FilteredRun.h"
#include "core/generation/Generator.h"

namespace vael::cli {

// What the command line's filters need that the command line does not hold:
// the chapter's sample names (read by the caller, who refuses a chapter that
// keeps none) and the words of the lists, read from their files.
struct FilterSetup {
  FilterOptions options;
  std::string problem;    // UTF-8, for the user; empty when the options are sound
  bool badUsage = false;  // the problem is the command line's, not a file's
};

// The command line's filters in code-page text, with --clean's word lists
// read: the program's own (offensiveWords, the file OffensiveWordsFile
// finds; empty when it is not installed), then each --clean-list file.
FilterSetup FilterOptionsFor(const CommandLine& line, const std::string& offensiveWords);

// line.count names through the filter into the sink, made by vaelgen's
// generation loop (MakeNames): with --threads in blocks.
FilteredRun MakeFilteredNames(Generator& generator, const GenerationOptions& request, const CommandLine& line,
                              NameFilter& filter, const NameSink& sink);

}  // namespace vael::cli
