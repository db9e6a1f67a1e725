#pragma once
// The candidates of one element position, kept for the rest of the run.
//
// Which elements may stand at a position follows from a handful of facts:
// the kind and slot of the position, the initial letter at position 0, the
// variant digit, and what the fit tests read of the neighbours before it.
// A chapter yields only a few hundred such combinations, and a run meets
// them again and again, so each is worked out once: its members in index
// order, with the running sums of their weights at the slot. A choice is
// then one lookup and one draw, with the very random numbers and outcome
// the builder had when it tested every element itself.

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "core/generation/MersenneTwister.h"

namespace vael {

// The generator's next value modulo n, for an n below 2^32 fixed long enough
// to keep its reciprocal: the remainder computed by two multiplications
// instead of a division, exact for every 32-bit value and divisor.
class FixedModulus {
 public:
  FixedModulus() = default;
  explicit FixedModulus(std::uint32_t n) : n_(n), reciprocal_(~std::uint64_t{0} / n + 1) {}
  std::uint32_t Of(std::uint32_t value) const {
    const std::uint64_t fraction = reciprocal_ * value;
    return static_cast<std::uint32_t>((static_cast<unsigned __int128>(fraction) * n_) >> 64);
  }

 private:
  std::uint32_t n_ = 1;
  std::uint64_t reciprocal_ = 0;
};

class CandidateCache {
 public:
  // Members of one combination; count 0 when nothing may stand there.
  struct List {
    std::uint32_t at = 0;  // first member in the pools
    std::uint32_t count = 0;
    std::int64_t total = 0;      // the sum of the members' weights
    std::uint32_t picksAt = 0;   // with picks: the member for each value below total
    bool picks = false;
    bool rising = true;          // no weight below 1, so the running sums rise
    FixedModulus countModulus;   // for a uniform draw
    FixedModulus totalModulus;   // for a weighted draw, when total < 2^32
  };

  // Forgets everything unless it was worked out from tables with this serial.
  void UseTables(std::uint64_t serial) {
    if (serial != serial_ || entries_.empty()) Reset(serial);
  }

  // The list stored for `key`, or nullptr. Keys are never 0.
  const List* Find(std::uint64_t key) const {
    for (std::size_t i = Home(key);; i = (i + 1) & (kEntries - 1)) {
      const Entry& entry = entries_[i];
      if (entry.key == key) return &lists_[entry.list];
      if (entry.key == 0) return nullptr;
    }
  }

  // Stores the members in index order with their weights, and returns the
  // list. May forget every list found before (the cache has a bound).
  const List& Add(std::uint64_t key, std::span<const int> members, std::span<const int> weights);

  std::span<const int> Members(const List& list) const {
    return {members_.data() + list.at, list.count};
  }

  // The choice among a list's members: with `statistical` a draw by their
  // weights (the first member whose running sum exceeds a number below the
  // total), otherwise, or when the weights draw nothing, a uniform one. The
  // list must not be empty.
  int Draw(MersenneTwister32& random, const List& list, bool statistical) const {
    const int* members = members_.data() + list.at;
    if (statistical && list.total > 0) {
      if (list.picks) return picks_[list.picksAt + list.totalModulus.Of(random())];
      const int found = WeightedPlace(random, list);
      if (found >= 0) return members[found];
    }
    return members[list.countModulus.Of(random())];
  }

 private:
  // The table itself holds only keys, so that it stays small enough for
  // the fastest cache; the lists lie side by side in the order they came.
  struct Entry {
    std::uint64_t key = 0;  // 0: free
    std::uint32_t list = 0;
  };
  // Open addressing over a power of two; cleared whole when it fills.
  static constexpr int kEntryBits = 10;
  static constexpr std::size_t kEntries = std::size_t{1} << kEntryBits;
  static constexpr std::size_t kMostLists = kEntries / 2;
  // Members and picks kept at most: a chapter with a thousand consonants can
  // list many for a combination, and memory must stay bounded however long
  // the run. Totals up to kMostPicksPerList get a pick for every value.
  static constexpr std::size_t kMostMembers = std::size_t{1} << 18;
  static constexpr std::size_t kMostPicks = std::size_t{1} << 18;
  static constexpr std::int64_t kMostPicksPerList = 2048;

  static std::size_t Home(std::uint64_t key) {
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ULL) >> (64 - kEntryBits));
  }
  void Reset(std::uint64_t serial);
  // The place in the list of a weighted draw without picks; -1 when no
  // running sum exceeds the number drawn.
  int WeightedPlace(MersenneTwister32& random, const List& list) const;

  std::uint64_t serial_ = 0;
  std::vector<Entry> entries_;
  std::vector<List> lists_;
  std::vector<int> members_;
  std::vector<std::int64_t> running_;
  std::vector<int> picks_;
};

}  // namespace vael
