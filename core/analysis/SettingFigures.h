#pragma once
// The settings a chapter report tries, and the figures of one setting: a
// fixed number of names made with a fixed seed, held against the samples.

#include <cstdint>
#include <string>
#include <vector>

#include "core/analysis/NameDistribution.h"
#include "core/analysis/SampleComparison.h"
#include "core/chapter/Chapter.h"
#include "core/generation/Generator.h"

namespace vael {

// Names made per setting, and the seed they are made with, unless a caller
// asks for others. Enough names that one percent is a hundred of them.
inline constexpr int kReportNames = 10000;
inline constexpr std::uint32_t kReportSeed = 1;
// Names shown as examples: the first ones of a setting's run.
inline constexpr int kExampleNames = 40;

// The chapter's recommended options as a request: fit, switches and val
// level from GENOPT, any initial letter. A fit level outside 0..3, which the
// window cannot show, starts at 0.
GenerationOptions RecommendedSetting(const ChapterTables& chapter);

// Whether two requests make the same names: fit and the four switches (the
// val level is always the chapter's).
bool SameSetting(const GenerationOptions& a, const GenerationOptions& b);

// The setting in the words of a chapter's GENOPT tag, e.g.
// "STATGEN STRUCTGEN PREFIX SUFFIX FIT:2".
std::string GenoptWords(const GenerationOptions& setting);

// The settings to try, in the order a tie is decided in: fit levels 0 to 3,
// each with the four switches off, the statistical switch alone, with the
// structural, the prefix and the suffix switch in turn beside it, and all
// four on; the recommended setting first unless it is one of those.
// recommendedRow receives its place.
std::vector<GenerationOptions> SettingsToTry(const ChapterTables& chapter, int& recommendedRow);

struct SettingFigures {
  GenerationOptions setting;
  bool compared = false;  // the sample figures below were measured
  int names = 0;
  int distinct = 0;
  int distinctNew = 0;    // distinct names that are neither a sample nor a near-copy
  int sampleCopies = 0;   // names equal to a sample, every repeat counted
  int nearCopies = 0;     // names that are near-copies of a sample
  int unseenPairs = 0;    // names holding a letter pair no sample holds
  double meanLength = 0;  // letters
  // Held against the make-up the samples lead one to expect (NameShape.h),
  // when compared: its mean length, and the gaps in percentage points.
  double expectedMeanLength = 0;
  double lengthGap = 0, initialGap = 0, accentGap = 0;
  double namesPerSecond = 0;
  std::vector<std::string> examples;  // the first kExampleNames names
};

// Share of names in percent; 0 when there are none.
double PercentOf(long long part, long long whole);

// Makes `count` names with the setting on a generator of its own seeded
// with seed, so the names are the ones vaelgen prints for the same seed and
// options; the chapter's own generator is left alone. samples may be null
// (a compiled chapter keeps none); generated, when given, receives the
// make-up of the names, in capitals. requires: chapter.loaded.
SettingFigures MeasureSetting(const Chapter& chapter, const GenerationOptions& setting,
                              SampleComparison* samples, int count, std::uint32_t seed,
                              NameDistribution* generated = nullptr);

}  // namespace vael
