#include "cli/NameRun.h"

#include "core/analysis/Request.h"
#include "core/generation/GenerationLog.h"

namespace vael::cli {

GenerationOptions RequestFor(const ChapterTables& chapter, const CommandLine& line,
                             char initialLetter) {
  SettingChoices choices{line.fit, line.val, line.statistical, line.structural, line.prefixes,
                         line.suffixes};
  GenerationOptions request = vael::RequestFor(chapter, choices, initialLetter);
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
