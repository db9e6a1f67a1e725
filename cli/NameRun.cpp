#include "cli/NameRun.h"

#include "core/analysis/SettingFigures.h"
#include "core/generation/GenerationLog.h"

namespace vael::cli {

GenerationOptions RequestFor(const ChapterTables& chapter, const CommandLine& line,
                             char initialLetter) {
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

std::uint32_t SeedFor(const CommandLine& line) { return line.seed ? *line.seed : ClockSeed(); }

BlockRun RunFor(const CommandLine& line) {
  BlockRun run;
  run.threads = line.threads.value_or(1);
  run.seed = SeedFor(line);
  return run;
}

void MakeNames(Generator& generator, const GenerationOptions& request, const CommandLine& line,
               const NameSink& sink) {
  if (line.threads) {
    GenerateNameBlocks(generator.chapter(), request, line.count, RunFor(line), sink);
  } else if (request.log) {
    // The decision log is written for a single name, as the window does.
    LogFile log;
    sink(generator.Next(request, &log));
  } else {
    generator.Generate(request, line.count, sink);
  }
}

}  // namespace vael::cli
