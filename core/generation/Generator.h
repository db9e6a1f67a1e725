#pragma once
// Name generation: the driver (GenerateName), the structure builder
// (BuildCandidate) and the random draws they share.

#include <cstdint>
#include <string>

#include "core/chapter/TVaelChapter.h"

namespace vael {

// One request of the window or the command-line tool.
struct GenerationOptions {
  int fit = 0;  // 0..3
  int val = 0;  // screening level; the chapter's valLevel
  bool structural = false;
  bool statistical = false;
  bool prefixes = false;
  bool suffixes = false;
  char initialLetter = '*';  // '*' for any
  bool log = false;          // write "!vel_log.txt" for this name
};

// A finished, non-empty name, recorded in the chapter's history; the empty
// string when the chapter is not loaded.
std::string GenerateName(TVaelChapter& chapter, const GenerationOptions& options);

// The name generated `age` calls ago (0 = newest); empty when there is none.
std::string HistoryEntry(const TVaelChapter& chapter, int age);

// One candidate piece in capitals for the element group the driver prepared
// in allowedTypeWeights; empty when some position had no element.
std::string BuildCandidate(TVaelChapter& chapter, int fit, int val, bool structural,
                           bool statistical, bool prefixes, bool suffixes, char initialLetter,
                           bool log);

// Seeds the chapter's generator and marks it seeded, so a run can be repeated.
void SeedRandom(TVaelChapter& chapter, std::uint32_t seed);

}  // namespace vael
