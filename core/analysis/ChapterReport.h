#pragma once
// Everything a chapter report shows: the figures of every setting tried,
// the judgement, and the make-up of the samples against the names made
// with the recommended options.

#include <cstdint>
#include <string>
#include <vector>

#include "core/analysis/Judgement.h"
#include "core/analysis/NameDistribution.h"
#include "core/analysis/SettingFigures.h"
#include "core/chapter/Chapter.h"

namespace vael {

struct ChapterReport {
  std::uint32_t seed = kReportSeed;
  int namesPerSetting = kReportNames;
  bool samplesKnown = false;
  int sampleCount = 0;
  std::vector<SettingFigures> rows;  // in the order of SettingsToTry
  int recommendedRow = 0;
  Judgement judgement;
  NameDistribution samples;    // the samples as the generator spells them
  NameDistribution generated;  // every name of the recommended row
  // The chapter's elements spelled out in capitals, in table order.
  std::vector<std::string> vowelElements, consonantElements;
  // Plain findings about the chapter itself (a single sample, samples all
  // alike...), in Windows-1252 like every chapter text.
  std::vector<std::string> notes;
};

// Measures the loaded chapter. samples: its sample names in capitals
// (ReadSampleNames), or null when they are not known. The chapter's own
// generator is left alone.
ChapterReport MakeChapterReport(const Chapter& chapter, const std::vector<std::string>* samples,
                                std::uint32_t seed = kReportSeed, int namesPerSetting = kReportNames);

}  // namespace vael
