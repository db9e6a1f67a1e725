#include "core/analysis/Judgement.h"

#include <cstdio>
#include <limits>

namespace vael {
namespace {

long long CopiesOf(const SettingFigures& row) {
  return static_cast<long long>(row.sampleCopies) + row.nearCopies;
}

bool CopiesWithinBound(const SettingFigures& row) {
  return row.names > 0 && 100 * CopiesOf(row) <= kMaxCopyPercent * static_cast<long long>(row.names);
}

bool PairsWithinBound(const SettingFigures& row) {
  return row.names > 0 &&
         100LL * row.unseenPairs <= kMaxUnseenPairPercent * static_cast<long long>(row.names);
}

std::string PercentText(double percent) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f %%", percent);
  return text;
}

// The row with the fewest of some count among those `keep` accepts; -1 when
// it accepts none.
template <typename Count, typename Keep>
int Fewest(const std::vector<SettingFigures>& rows, Count count, Keep keep) {
  int best = -1;
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    if (!keep(rows[i])) continue;
    if (best < 0 || count(rows[i]) < count(rows[best])) best = i;
  }
  return best;
}

std::string ShareWith(const std::vector<SettingFigures>& rows, int row, long long count) {
  return PercentText(PercentOf(count, rows[row].names)) + " with " + GenoptWords(rows[row].setting);
}

std::string NothingQualifies(const std::vector<SettingFigures>& rows, int sampleCount) {
  const std::string copyBound = std::to_string(kMaxCopyPercent) + " %";
  const std::string pairBound = std::to_string(kMaxUnseenPairPercent) + " %";
  const std::string samples = std::to_string(sampleCount) + (sampleCount == 1 ? " sample" : " samples");
  auto all = [](const SettingFigures&) { return true; };
  auto pairsFine = [](const SettingFigures& row) { return PairsWithinBound(row); };
  const int fewestCopies = Fewest(rows, CopiesOf, all);
  const int fewestUnseen = Fewest(rows, [](const SettingFigures& r) { return r.unseenPairs; }, all);
  bool anyCopiesFine = false, anyPairsFine = false;
  for (const SettingFigures& row : rows) {
    anyCopiesFine |= CopiesWithinBound(row);
    anyPairsFine |= PairsWithinBound(row);
  }

  if (!anyCopiesFine && !anyPairsFine) {
    return "Every setting makes more than " + copyBound + " samples and near-copies (fewest: " +
           ShareWith(rows, fewestCopies, CopiesOf(rows[fewestCopies])) + ") and more than " + pairBound +
           " names with an unseen letter pair (fewest: " +
           ShareWith(rows, fewestUnseen, rows[fewestUnseen].unseenPairs) + "): the chapter has too few "
           "samples (" + samples + ") to learn its style from; add sample names.";
  }
  if (!anyPairsFine) {
    return "Every setting makes more than " + pairBound +
           " names with a letter pair that no sample holds (fewest: " +
           ShareWith(rows, fewestUnseen, rows[fewestUnseen].unseenPairs) +
           "): the templates join letters that no sample name joins; check the templates, or "
           "add samples that hold those pairs.";
  }
  // Letter pairs are kept only from some fit level up, and there the
  // samples are copied: the higher fit levels need more samples.
  int lowestFit = std::numeric_limits<int>::max();
  for (const SettingFigures& row : rows) {
    if (PairsWithinBound(row)) lowestFit = std::min(lowestFit, row.setting.fit);
  }
  const int fewestKeeping = Fewest(rows, CopiesOf, pairsFine);
  if (!anyCopiesFine) {
    return "Every setting makes more than " + copyBound + " samples and near-copies (fewest: " +
           ShareWith(rows, fewestCopies, CopiesOf(rows[fewestCopies])) + "): too few samples (" +
           samples + ") for fit " + std::to_string(lowestFit) + "; add sample names.";
  }
  return "The settings that keep to the samples' letter pairs make more than " + copyBound +
         " samples and near-copies (fewest: " +
         ShareWith(rows, fewestKeeping, CopiesOf(rows[fewestKeeping])) + "), and those that copy "
         "less make unseen letter pairs: too few samples (" + samples + ") for fit " +
         std::to_string(lowestFit) + "; add sample names.";
}

}  // namespace

bool MeetsBounds(const SettingFigures& figures) {
  return figures.compared && CopiesWithinBound(figures) && PairsWithinBound(figures);
}

Judgement JudgeFigures(const std::vector<SettingFigures>& rows, int sampleCount) {
  Judgement judgement;
  bool compared = !rows.empty();
  for (const SettingFigures& row : rows) compared = compared && row.compared;
  if (!compared) {
    judgement.reason =
        "The names cannot be held against the samples: a compiled chapter does not keep its "
        "sample names. Make the report from the text chapter it was compiled from.";
    return judgement;
  }
  if (sampleCount == 0) {
    judgement.reason = "The chapter has no sample names to compare with.";
    return judgement;
  }
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    if (!MeetsBounds(rows[i])) continue;
    const int best = judgement.best;
    if (best < 0 || rows[i].distinctNew > rows[best].distinctNew ||
        (rows[i].distinctNew == rows[best].distinctNew &&
         rows[i].setting.fit < rows[best].setting.fit)) {
      judgement.best = i;
    }
  }
  if (judgement.best < 0) judgement.reason = NothingQualifies(rows, sampleCount);
  return judgement;
}

SettingChoice JudgeSettings(const Chapter& chapter, const std::vector<std::string>& samples,
                            int count, std::uint32_t seed) {
  int recommendedRow = 0;
  SampleComparison comparison(chapter, samples);
  std::vector<SettingFigures> rows;
  for (const GenerationOptions& setting : SettingsToTry(chapter, recommendedRow)) {
    rows.push_back(MeasureSetting(chapter, setting, &comparison, count, seed));
  }
  const Judgement judgement = JudgeFigures(rows, static_cast<int>(samples.size()));
  SettingChoice choice;
  choice.found = judgement.best >= 0;
  if (choice.found) {
    choice.setting = rows[judgement.best].setting;
    choice.figures = rows[judgement.best];
  }
  choice.reason = judgement.reason;
  return choice;
}

}  // namespace vael
