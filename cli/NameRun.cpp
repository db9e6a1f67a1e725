#include "cli/NameRun.h"

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

}  // namespace vael::cli
