#pragma once
// Which setting suits a chapter best: the most distinct new names among the
// settings that make names like the samples without copying them.

#include <cstdint>
#include <string>
#include <vector>

#include "core/analysis/SettingFigures.h"

namespace vael {

// What a setting must keep to qualify. Copies: samples and near-copies
// together; unseen pairs: names with a letter pair no sample holds; the
// rest hold the names' make-up against what the samples lead one to expect
// (NameShape.h): the mean length, the spread of lengths, the initial
// letters and the accents.
enum class Bound { Copies, UnseenPairs, MeanLength, Lengths, Initials, Accents };
inline constexpr int kBoundCount = 6;

inline constexpr int kMaxCopyPercent = 3;
inline constexpr int kMaxUnseenPairPercent = 1;
inline constexpr double kMaxMeanLengthDrift = 0.5;  // letters either way
inline constexpr double kMaxLengthGap = 10;         // percentage points
inline constexpr double kMaxInitialGap = 10;
inline constexpr double kMaxAccentGap = 5;

// The bounds the figures break, bit 1 << Bound for each; none for figures
// that were not compared.
unsigned BrokenBounds(const SettingFigures& figures);
bool Breaks(unsigned broken, Bound bound);
// A setting qualifies when it was compared and breaks no bound.
bool MeetsBounds(const SettingFigures& figures);

// "copies", "unseen pairs", "mean length", "lengths", "initials", "accents".
const char* BoundName(Bound bound);
// The broken bounds' names joined by commas, in the order above; "" for none.
std::string BoundNames(unsigned broken);

struct Judgement {
  int best = -1;       // row of the best setting; -1 when none qualifies
  // When none qualifies but the rows were compared, the row nearest to
  // qualifying, else -1: among the rows that break no bound but the
  // copies, the one copying least; when there are none, the one whose
  // figures exceed their bounds least (each excess as a share of its
  // bound, added up), then copying least. Ties go to the earlier row.
  int closest = -1;
  std::string reason;  // when none qualifies: why, and what the chapter lacks
};

// Among the qualifying rows, the one with the most distinct new names; a tie
// goes to the lower fit level, then to the earlier row.
Judgement JudgeFigures(const std::vector<SettingFigures>& rows, int sampleCount);

struct SettingChoice {
  bool found = false;
  GenerationOptions setting;  // the best setting, when found
  SettingFigures figures;     // what was measured of it, when found
  std::string reason;         // when not found
};

// The report's judgement on its own: tries SettingsToTry on the loaded
// chapter with `count` names each against the samples in capitals, and
// returns the best. The chapter's own generator is left alone.
SettingChoice JudgeSettings(const Chapter& chapter, const std::vector<std::string>& samples,
                            int count = kReportNames, std::uint32_t seed = kReportSeed);

}  // namespace vael
