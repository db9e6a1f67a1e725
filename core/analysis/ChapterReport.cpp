#include "core/analysis/ChapterReport.h"

#include <optional>
#include <unordered_set>

#include "core/chapter/ElementLookup.h"

namespace vael {
namespace {

std::vector<std::string> Notes(const ChapterReport& report, const SampleComparison* samples) {
  std::vector<std::string> notes;
  if (!report.samplesKnown) {
    notes.push_back("A compiled chapter does not keep its sample names: the figures that compare "
                    "names with the samples are left out.");
  } else if (report.sampleCount == 0) {
    notes.push_back("The chapter has no sample names.");
  } else if (report.sampleCount == 1) {
    notes.push_back("The chapter has a single sample name, " + samples->Spellings().front() +
                    ": every figure compares with that one name.");
  } else {
    const std::unordered_set<std::string> distinct(samples->Spellings().begin(),
                                                   samples->Spellings().end());
    if (distinct.size() == 1) {
      notes.push_back("All " + std::to_string(report.sampleCount) + " sample names are the same name, " +
                      samples->Spellings().front() + ".");
    }
  }
  const SettingFigures& recommended = report.rows[report.recommendedRow];
  if (recommended.distinct == 1) {
    notes.push_back("Every name made with the recommended options is the same name, " +
                    recommended.examples.front() + ".");
  }
  return notes;
}

}  // namespace

ChapterReport MakeChapterReport(const Chapter& chapter, const std::vector<std::string>* samples,
                                std::uint32_t seed, int namesPerSetting) {
  ChapterReport report;
  report.seed = seed;
  report.namesPerSetting = namesPerSetting;
  report.samplesKnown = samples != nullptr;
  std::optional<SampleComparison> comparison;
  if (samples != nullptr) {
    comparison.emplace(chapter, *samples);
    report.sampleCount = static_cast<int>(samples->size());
    for (const std::string& spelled : comparison->Spellings()) report.samples.Add(spelled);
  }

  const std::vector<GenerationOptions> settings = SettingsToTry(chapter, report.recommendedRow);
  for (int row = 0; row < static_cast<int>(settings.size()); ++row) {
    report.rows.push_back(MeasureSetting(chapter, settings[row], comparison ? &*comparison : nullptr,
                                         namesPerSetting, seed,
                                         row == report.recommendedRow ? &report.generated : nullptr));
  }
  for (int i = 0; i < chapter.vowelElementCount; ++i) {
    report.vowelElements.push_back(FinishedText(chapter, ElementText(chapter, i)));
  }
  for (int i = 0; i < chapter.consonantElementCount; ++i) {
    report.consonantElements.push_back(
        FinishedText(chapter, ElementText(chapter, kFirstConsonantCode + i)));
  }
  report.judgement = JudgeFigures(report.rows, report.sampleCount);
  report.notes = Notes(report, comparison ? &*comparison : nullptr);
  return report;
}

}  // namespace vael
