#pragma once
// Which setting suits a chapter best: the most distinct new names among the
// settings that stay close to the samples without copying them.

#include <cstdint>
#include <string>
#include <vector>

#include "core/analysis/SettingFigures.h"

namespace vael {

// A setting qualifies when samples and near-copies together make no more
// than kMaxCopyPercent of its names, and names with an unseen letter pair no
// more than kMaxUnseenPairPercent.
inline constexpr int kMaxCopyPercent = 3;
inline constexpr int kMaxUnseenPairPercent = 1;

bool MeetsBounds(const SettingFigures& figures);

struct Judgement {
  int best = -1;       // row of the best setting; -1 when none qualifies
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
