#include "cli/NameRun.h"

#include <chrono>

#include "core/analysis/SettingFigures.h"

namespace vael::cli {

GenerationOptions RequestFor(const TVaelChapter& chapter, const CommandLine& line, char initialLetter) {
  GenerationOptions request = RecommendedSetting(chapter);
  request.fit = line.fit.value_or(request.fit);
  request.val = line.val.value_or(request.val);
  request.structural = line.structural.value_or(request.structural);
  request.statistical = line.statistical.value_or(request.statistical);
  request.prefixes = line.prefixes.value_or(request.prefixes);
  request.suffixes = line.suffixes.value_or(request.suffixes);
  request.initialLetter = initialLetter;
  request.log = line.log;
  return request;
}

BlockRun RunFor(const CommandLine& line) {
  BlockRun run;
  run.threads = line.threads.value_or(1);
  if (line.seed) {
    run.seed = *line.seed;
  } else {
    const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    run.seed = static_cast<std::uint32_t>(ticks ^ (ticks >> 32));
  }
  return run;
}

void MakeNames(TVaelChapter& chapter, const GenerationOptions& request, const CommandLine& line,
               const NameSink& sink) {
  if (line.threads) {
    GenerateNameBlocks(chapter, request, line.count, RunFor(line), sink);
  } else if (request.log) {
    // The decision log is written by a single GenerateName.
    sink(GenerateName(chapter, request));
  } else {
    GenerateNames(chapter, request, line.count, sink);
  }
}

}  // namespace vael::cli
