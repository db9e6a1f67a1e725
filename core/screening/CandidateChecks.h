#pragma once
// Screening of candidate pieces against the chapter's statistics.

#include <array>
#include <string>
#include <string_view>

#include "core/chapter/TVaelChapter.h"

namespace vael {

// Words that are never produced as a name piece, compared ignoring case.
extern const std::array<std::string_view, 34> badWords;

// "" when accepted, else "!REP", "!DIST/"+letter, "!BAD" or "!FREQ/"+letter.
std::string CheckCandidate(const TVaelChapter& chapter, const std::string& candidate, int level);

}  // namespace vael
