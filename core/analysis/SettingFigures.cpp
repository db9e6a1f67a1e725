#include "core/analysis/SettingFigures.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <unordered_set>

#include "core/chapter/CaseMapping.h"

namespace vael {

GenerationOptions RecommendedSetting(const ChapterTables& chapter) {
  GenerationOptions setting;
  setting.fit = (chapter.fitLevel >= 0 && chapter.fitLevel <= 3) ? chapter.fitLevel : 0;
  setting.val = chapter.valLevel;
  setting.structural = chapter.structGen;
  setting.statistical = chapter.statGen;
  setting.prefixes = chapter.prefixOption;
  setting.suffixes = chapter.suffixOption;
  return setting;
}

bool SameSetting(const GenerationOptions& a, const GenerationOptions& b) {
  return a.fit == b.fit && a.statistical == b.statistical && a.structural == b.structural &&
         a.prefixes == b.prefixes && a.suffixes == b.suffixes;
}

std::string GenoptWords(const GenerationOptions& setting) {
  std::string words;
  if (setting.statistical) words += "STATGEN ";
  if (setting.structural) words += "STRUCTGEN ";
  if (setting.prefixes) words += "PREFIX ";
  if (setting.suffixes) words += "SUFFIX ";
  return words + "FIT:" + std::to_string(setting.fit);
}

std::vector<GenerationOptions> SettingsToTry(const ChapterTables& chapter, int& recommendedRow) {
  const GenerationOptions recommended = RecommendedSetting(chapter);
  // Per fit level: the switches off; the statistical switch alone, which
  // keeps the samples' shares; with each of the other three beside it; and
  // all four on.
  struct Switches {
    bool statistical, structural, prefixes, suffixes;
  };
  static constexpr Switches kSwitches[] = {{false, false, false, false}, {true, false, false, false},
                                           {true, true, false, false},   {true, false, true, false},
                                           {true, false, false, true},   {true, true, true, true}};
  std::vector<GenerationOptions> settings;
  for (int fit = 0; fit <= 3; ++fit) {
    for (const Switches& switches : kSwitches) {
      GenerationOptions setting = recommended;
      setting.fit = fit;
      setting.statistical = switches.statistical;
      setting.structural = switches.structural;
      setting.prefixes = switches.prefixes;
      setting.suffixes = switches.suffixes;
      settings.push_back(setting);
    }
  }
  auto found = std::find_if(settings.begin(), settings.end(), [&](const GenerationOptions& s) {
    return SameSetting(s, recommended);
  });
  if (found == settings.end()) found = settings.insert(settings.begin(), recommended);
  recommendedRow = static_cast<int>(found - settings.begin());
  return settings;
}

double PercentOf(long long part, long long whole) {
  return whole <= 0 ? 0.0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole);
}

SettingFigures MeasureSetting(const Chapter& chapter, const GenerationOptions& setting,
                              SampleComparison* samples, int count, std::uint32_t seed,
                              NameDistribution* generated) {
  SettingFigures figures;
  figures.setting = setting;
  figures.compared = samples != nullptr;

  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(std::max(count, 0)));
  // A generator of its own, as fresh as the window's after a load.
  Generator generator(chapter, seed);
  const auto start = std::chrono::steady_clock::now();
  generator.Generate(setting, count, [&](std::string_view name) {
    names.emplace_back(name);
    return true;
  });
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  if (took.count() > 0) figures.namesPerSecond = names.size() / took.count();

  figures.names = static_cast<int>(names.size());
  NameDistribution made;
  std::unordered_set<std::string> seen;
  for (const std::string& name : names) {
    made.Add(ToUpper(name));
    const bool first = seen.insert(name).second;
    if (first) ++figures.distinct;
    if (samples == nullptr) continue;
    const SampleComparison::Verdict& verdict = samples->Judge(name);
    figures.sampleCopies += verdict.sample;
    figures.nearCopies += verdict.nearCopy;
    figures.unseenPairs += verdict.unseenPair;
    if (first && !verdict.sample && !verdict.nearCopy) ++figures.distinctNew;
  }
  figures.meanLength = made.MeanLength();
  if (samples != nullptr) {
    const NameShape shape = ShapeOf(made);
    const NameShape& expected = samples->Expected();
    figures.expectedMeanLength = expected.MeanLength();
    figures.lengthGap = LengthGap(shape, expected);
    figures.initialGap = InitialGap(shape, expected);
    figures.accentGap = AccentGap(shape, expected);
  }
  if (generated != nullptr) *generated = std::move(made);
  const std::size_t shown = std::min<std::size_t>(names.size(), kExampleNames);
  figures.examples.assign(names.begin(), names.begin() + static_cast<long>(shown));
  return figures;
}

}  // namespace vael
