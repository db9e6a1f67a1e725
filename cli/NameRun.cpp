#include "cli/NameRun.h"

#include <chrono>

namespace vael::cli {

GenerationOptions RequestFor(const TVaelChapter& chapter, const CommandLine& line, char initialLetter) {
  GenerationOptions request;
  // The window knows fit levels 0 to 3 only; a chapter asking for another
  // leaves its starting level, 0.
  int chapterFit = (chapter.fitLevel >= 0 && chapter.fitLevel <= 3) ? chapter.fitLevel : 0;
  request.fit = line.fit.value_or(chapterFit);
  request.val = line.val.value_or(chapter.valLevel);
  request.structural = line.structural.value_or(chapter.structGen);
  request.statistical = line.statistical.value_or(chapter.statGen);
  request.prefixes = line.prefixes.value_or(chapter.prefixOption);
  request.suffixes = line.suffixes.value_or(chapter.suffixOption);
  request.initialLetter = initialLetter;
  request.log = line.log;
  return request;
}

void MakeNames(TVaelChapter& chapter, const GenerationOptions& request, const CommandLine& line,
               const NameSink& sink) {
  if (line.threads) {
    BlockRun run;
    run.threads = *line.threads;
    if (line.seed) {
      run.seed = *line.seed;
    } else {
      const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
      run.seed = static_cast<std::uint32_t>(ticks ^ (ticks >> 32));
    }
    GenerateNameBlocks(chapter, request, line.count, run, sink);
  } else if (request.log) {
    // The decision log is written by a single GenerateName.
    sink(GenerateName(chapter, request));
  } else {
    GenerateNames(chapter, request, line.count, sink);
  }
}

}  // namespace vael::cli
