#include "core/analysis/Judgement.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace vael {
namespace {

// Figures are compared with their bounds as measured; the margin only keeps
// a gap computed as 10.000000001 from breaking a bound of 10.
constexpr double kMargin = 1e-9;

constexpr unsigned Bit(Bound bound) { return 1u << static_cast<unsigned>(bound); }
constexpr unsigned kMakeUpBounds =
    Bit(Bound::MeanLength) | Bit(Bound::Lengths) | Bit(Bound::Initials) | Bit(Bound::Accents);

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

bool KeepsMakeUp(const SettingFigures& row) { return (BrokenBounds(row) & kMakeUpBounds) == 0; }

std::string Fixed(double value, const char* format) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// Two decimals, so that a share just over a bound never reads as the bound.
std::string PercentText(double percent) { return Fixed(percent, "%.2f %%"); }

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

// "a", "a and b", "a, b and c".
std::string Listed(const std::vector<std::string>& items) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    text += (i == 0 ? "" : i + 1 == items.size() ? " and " : ", ") + items[i];
  }
  return text;
}

// How the row strays from the samples' make-up, bound by bound.
std::string Strays(const SettingFigures& row) {
  const unsigned broken = BrokenBounds(row);
  std::vector<std::string> parts;
  if (Breaks(broken, Bound::MeanLength)) {
    parts.push_back("names " + Fixed(row.meanLength, "%.2f") + " letters long against the samples' " +
                    Fixed(row.expectedMeanLength, "%.2f"));
  }
  if (Breaks(broken, Bound::Lengths)) {
    parts.push_back("a length gap of " + Fixed(row.lengthGap, "%.1f") + " points");
  }
  if (Breaks(broken, Bound::Initials)) {
    parts.push_back("an initials gap of " + Fixed(row.initialGap, "%.1f") + " points");
  }
  if (Breaks(broken, Bound::Accents)) {
    parts.push_back("an accents gap of " + Fixed(row.accentGap, "%.1f") + " points");
  }
  return Listed(parts);
}

// What the samples fail to teach, named by the make-up bounds broken.
std::string Untaught(unsigned broken) {
  std::vector<std::string> what;
  if (broken & (Bit(Bound::MeanLength) | Bit(Bound::Lengths))) what.push_back("the lengths");
  if (Breaks(broken, Bound::Initials)) what.push_back("the initial letters");
  if (Breaks(broken, Bound::Accents)) what.push_back("the accents");
  return Listed(what);
}

// How far a row's figures lie beyond their bounds, each excess counted as
// a share of its bound, so that 6 % copies weigh as much as a length gap of
// 20 points: 0 for a row that keeps every bound.
double Excess(const SettingFigures& row) {
  auto over = [](double value, double bound) { return std::max(0.0, value / bound - 1); };
  return over(PercentOf(CopiesOf(row), row.names), kMaxCopyPercent) +
         over(PercentOf(row.unseenPairs, row.names), kMaxUnseenPairPercent) +
         over(std::fabs(row.meanLength - row.expectedMeanLength), kMaxMeanLengthDrift) +
         over(row.lengthGap, kMaxLengthGap) + over(row.initialGap, kMaxInitialGap) +
         over(row.accentGap, kMaxAccentGap);
}

// Copies can be left out of the names made; names that stray from the
// samples, or join letters no sample joins, cannot be mended. So a row
// that breaks no bound but the copies comes first, the one copying least;
// failing those, the row whose figures exceed their bounds least.
int Closest(const std::vector<SettingFigures>& rows) {
  int closest = -1;
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    if ((BrokenBounds(rows[i]) & ~Bit(Bound::Copies)) != 0) continue;
    if (closest < 0 || CopiesOf(rows[i]) < CopiesOf(rows[closest])) closest = i;
  }
  if (closest >= 0) return closest;
  closest = 0;
  for (int i = 1; i < static_cast<int>(rows.size()); ++i) {
    const double a = Excess(rows[i]), b = Excess(rows[closest]);
    if (a < b || (a == b && CopiesOf(rows[i]) < CopiesOf(rows[closest]))) closest = i;
  }
  return closest;
}

std::string NoMakeUpKept(const SettingFigures& closest, int sampleCount) {
  return "Every setting strays from the make-up of the samples; the closest, " +
         GenoptWords(closest.setting) + ", makes " + Strays(closest) + " (bounds: " +
         Fixed(kMaxMeanLengthDrift, "%.1f") + " letters, " + Fixed(kMaxLengthGap, "%.0f") + ", " +
         Fixed(kMaxInitialGap, "%.0f") + " and " + Fixed(kMaxAccentGap, "%.0f") + " points). " +
         std::to_string(sampleCount) + (sampleCount == 1 ? " sample is" : " samples are") +
         " too few to learn " + Untaught(BrokenBounds(closest) & kMakeUpBounds) +
         " of names from; add sample names.";
}

std::string NothingQualifies(const std::vector<SettingFigures>& all, int closest, int sampleCount) {
  // The copy and letter-pair figures matter among the settings that make
  // names like the samples; when none does, that comes first.
  std::vector<SettingFigures> rows;
  for (const SettingFigures& row : all) {
    if (KeepsMakeUp(row)) rows.push_back(row);
  }
  if (rows.empty()) return NoMakeUpKept(all[closest], sampleCount);
  const std::string every = rows.size() == all.size()
                                ? "Every setting"
                                : "Every setting that keeps to the samples' lengths, initials and accents";
  const std::string copyBound = std::to_string(kMaxCopyPercent) + " %";
  const std::string pairBound = std::to_string(kMaxUnseenPairPercent) + " %";
  const std::string samples = std::to_string(sampleCount) + (sampleCount == 1 ? " sample" : " samples");
  auto any = [](const SettingFigures&) { return true; };
  auto pairsFine = [](const SettingFigures& row) { return PairsWithinBound(row); };
  const int fewestCopies = Fewest(rows, CopiesOf, any);
  const int fewestUnseen = Fewest(rows, [](const SettingFigures& r) { return r.unseenPairs; }, any);
  // None of these rows qualifies, so none keeps both bounds.
  bool anyCopiesFine = false, anyPairsFine = false;
  for (const SettingFigures& row : rows) {
    anyCopiesFine |= CopiesWithinBound(row);
    anyPairsFine |= PairsWithinBound(row);
  }
  if (!anyCopiesFine && !anyPairsFine) {
    return every + " makes more than " + copyBound + " samples and near-copies (fewest: " +
           ShareWith(rows, fewestCopies, CopiesOf(rows[fewestCopies])) + ") and more than " + pairBound +
           " names with an unseen letter pair (fewest: " +
           ShareWith(rows, fewestUnseen, rows[fewestUnseen].unseenPairs) + "): the chapter has too few "
           "samples (" + samples + ") to learn its style from; add sample names.";
  }
  if (!anyPairsFine) {
    return every + " makes more than " + pairBound +
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
    // Those that make unseen pairs are no way out; the fewest copies that
    // keep the pairs say how far the chapter is from its bounds.
    return every + " makes more than " + copyBound + " samples and near-copies (fewest: " +
           ShareWith(rows, fewestKeeping, CopiesOf(rows[fewestKeeping])) +
           ", of those that keep the letter pairs): too few samples (" +
           samples + ") for fit " + std::to_string(lowestFit) + "; add sample names.";
  }
  return "The settings that keep to the samples' letter pairs make more than " + copyBound +
         " samples and near-copies (fewest: " +
         ShareWith(rows, fewestKeeping, CopiesOf(rows[fewestKeeping])) + "), and those that copy "
         "less make unseen letter pairs: too few samples (" + samples + ") for fit " +
         std::to_string(lowestFit) + "; add sample names.";
}

}  // namespace

unsigned BrokenBounds(const SettingFigures& figures) {
  if (!figures.compared) return 0;
  unsigned broken = 0;
  if (!CopiesWithinBound(figures)) broken |= Bit(Bound::Copies);
  if (!PairsWithinBound(figures)) broken |= Bit(Bound::UnseenPairs);
  if (std::fabs(figures.meanLength - figures.expectedMeanLength) > kMaxMeanLengthDrift + kMargin) {
    broken |= Bit(Bound::MeanLength);
  }
  if (figures.lengthGap > kMaxLengthGap + kMargin) broken |= Bit(Bound::Lengths);
  if (figures.initialGap > kMaxInitialGap + kMargin) broken |= Bit(Bound::Initials);
  if (figures.accentGap > kMaxAccentGap + kMargin) broken |= Bit(Bound::Accents);
  return broken;
}

bool Breaks(unsigned broken, Bound bound) { return (broken & Bit(bound)) != 0; }

bool MeetsBounds(const SettingFigures& figures) { return figures.compared && BrokenBounds(figures) == 0; }

const char* BoundName(Bound bound) {
  switch (bound) {
    case Bound::Copies: return "copies";
    case Bound::UnseenPairs: return "unseen pairs";
    case Bound::MeanLength: return "mean length";
    case Bound::Lengths: return "lengths";
    case Bound::Initials: return "initials";
    case Bound::Accents: return "accents";
  }
  return "";
}

std::string BoundNames(unsigned broken) {
  std::string names;
  for (int b = 0; b < kBoundCount; ++b) {
    const auto bound = static_cast<Bound>(b);
    if (!Breaks(broken, bound)) continue;
    names += (names.empty() ? "" : ", ") + std::string(BoundName(bound));
  }
  return names;
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
  if (judgement.best < 0) {
    judgement.closest = Closest(rows);
    judgement.reason = NothingQualifies(rows, judgement.closest, sampleCount);
  }
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
