#pragma once
// Screening of candidate pieces against the chapter's statistics.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/chapter/ChapterTables.h"

namespace vael {

// Words that are never produced as a name piece, compared ignoring case.
extern const std::array<std::string_view, 34> badWords;

// The outcome of screening as a code: which check failed, and for the
// distance and share checks the offending letter.
enum class ScreeningCheck : std::uint8_t { None, Repetition, Distance, BadWord, Share };

struct Screening {
  ScreeningCheck failed = ScreeningCheck::None;
  char letter = '\0';
  bool accepted() const { return failed == ScreeningCheck::None; }
};

Screening ScreenCandidate(const ChapterTables& chapter, std::string_view candidate, int level);

// The reason token of an outcome: "" when accepted, else "!REP",
// "!DIST/"+letter, "!BAD" or "!FREQ/"+letter.
std::string ReasonToken(const Screening& screening);

// ReasonToken(ScreenCandidate(...)).
std::string CheckCandidate(const ChapterTables& chapter, const std::string& candidate, int level);

}  // namespace vael
