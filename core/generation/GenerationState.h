#pragma once
// One generator's state: the history ring, the structure builder's state,
// the random generator and reused scratch storage. The chapter carries one
// (reset by every load); a bulk run gives each block its own, so blocks can
// be made side by side from the same chapter tables.

#include <array>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "core/chapter/ChapterLimits.h"
#include "core/generation/CandidateCache.h"
#include "core/generation/DerivedTables.h"
#include "core/generation/MersenneTwister.h"

namespace vael {

struct GenerationState {
  // --- Design state ---
  std::array<std::string, kHistorySize> history;
  int historyNext = 0;
  int historyCount = 0;
  std::ofstream logFile;  // open only during a logged GenerateName call
  // False when the last GenerateName call was asked for a log and could not
  // write all of it (a read-only folder, a full disk).
  bool logWritten = true;
  std::array<int, kStructureTypes> allowedTypeWeights{};
  bool randomSeeded = false;
  bool newStructure = true;
  int retryCount = 0;
  int currentType = 0;
  int currentVariant = 0;
  bool keepFit3 = false, keepPrefixes = false, keepSuffixes = false;
  bool keepFit2 = false, keepFit1 = false;
  MersenneTwister32 random;

  // --- Kept beside the design state for speed; never seen outside the
  // generator ---
  // Hash of each history slot's name, written with it, so that the history
  // check compares strings only where the hashes agree.
  std::array<std::uint64_t, kHistorySize> historyHashes{};
  // How many history slots hold a hash in each bucket (the hash's low bits).
  // A name whose bucket is empty is in no slot, so the check is done without
  // looking at the slots at all, which is the case for almost every name.
  // Emptied by the first name recorded after the history was cleared.
  static constexpr std::size_t kHistoryBuckets = 4096;
  std::array<std::uint8_t, kHistoryBuckets> historyBuckets{};
  // The type draw of the element group being filled: allowedTypeWeights
  // with their running sums. Points into the chapter's template groups, or
  // at ownTypeChoice when a caller filled allowedTypeWeights itself.
  const TypeChoice* typeChoice = nullptr;
  TypeChoice ownTypeChoice;
  // Reused buffers, so that a name costs no allocation once they have grown.
  std::string piece;
  std::string name;
  std::string word;
  std::string words;
  std::vector<std::uint8_t> groupDroppedLetter;
  std::vector<std::uint64_t> pairSet;  // the pairs still admitted, as a set
  // The candidates of each combination of element tests met so far.
  CandidateCache candidates;
};

}  // namespace vael
