#pragma once
// One generator's state: the history ring, the structure builder's state,
// the random generator and reused scratch storage. A generator of its own
// (Generator.h), each block of a bulk run and the window's chapter object
// each hold one, so that any number of them can make names from the same
// read-only chapter side by side.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "core/chapter/ChapterLimits.h"
#include "core/chapter/DerivedTables.h"
#include "core/generation/CandidateCache.h"
#include "core/random/MersenneTwister.h"
#include "core/screening/ScreeningCache.h"

namespace vael {

class LogSink;

struct GenerationState {
  // --- What the window and the builder read and write ---
  std::array<std::string, kHistorySize> history;
  int historyNext = 0;
  int historyCount = 0;
  // False when the last logged name could not be logged whole (a read-only
  // folder, a full disk).
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

  // The one way to start over, as after a load and at every block of a bulk
  // run: no history, a new structure next, and the random numbers from
  // `seed` (from the clock at the first name, when there is none). The
  // scratch storage and the candidates worked out for the chapter stay.
  void Restart(std::optional<std::uint32_t> seed);

  // --- Kept beside the design state for speed; never seen outside the
  // generator ---
  // Hash of each history slot's name, written with it, so that the history
  // check compares strings only where the hashes agree.
  std::array<std::uint64_t, kHistorySize> historyHashes{};
  // Which history slots hold a hash in each bucket (the hash's low bits),
  // one bit a slot, so that the check compares only the slots that can hold
  // the name: none for almost every name, one or two for a name refused.
  // Emptied by the first name recorded after the history was cleared.
  static constexpr std::size_t kHistoryBuckets = 1024;
  using HistorySlots = std::array<std::uint64_t, 2>;
  static_assert(kHistorySize <= 64 * std::tuple_size_v<HistorySlots>);
  std::array<HistorySlots, kHistoryBuckets> historyBuckets{};
  // The log of the name being made, when it is logged; nullptr otherwise.
  LogSink* logSink = nullptr;
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
  // The outcome of each piece screened so far.
  ScreeningCache screened;
};

// Seeds the random numbers and marks them seeded, so that a run can be
// repeated; the history stays.
void SeedRandom(GenerationState& state, std::uint32_t seed);

// Seeds the random numbers from the clock unless a caller seeded them.
void EnsureSeeded(GenerationState& state);

// A seed from the clock, for a run that was given none.
std::uint32_t ClockSeed();

}  // namespace vael
