#pragma once
// The candidates of one element position, kept for the rest of the run.
//
// Which elements may stand at a position follows from a handful of facts:
// the kind and slot of the position, the initial letter at position 0, the
// variant digit, and what the fit tests read of the neighbours before it.
// A chapter yields only a few hundred such combinations, and a run meets
// them again and again, so each is worked out once: its members in index
// order, with the draw by their weights at the slot. A choice is then one
// lookup and one draw, with the very random numbers and outcome the builder
// had when it tested every element itself.

#include <cstdint>
#include <span>
#include <vector>

#include "core/generation/MersenneTwister.h"
#include "core/generation/RunningDraw.h"

namespace vael {

class CandidateCache {
 public:
  // The members of one combination; none when nothing may stand there.
  struct List {
    std::uint64_t key = 0;
    std::vector<int> members;
    RunningDraw byWeight;  // gives members, not places
    FixedModulus byCount;
  };

  // Forgets everything unless it was worked out from tables with this serial.
  void UseTables(std::uint64_t serial) {
    if (serial != serial_ || entries_.empty()) Reset(serial, kFirstBits);
  }

  // The list stored for `key`, or nullptr. Keys are never 0.
  const List* Find(std::uint64_t key) const {
    const std::size_t mask = entries_.size() - 1;
    for (std::size_t i = Home(key);; i = (i + 1) & mask) {
      const Entry& entry = entries_[i];
      if (entry.key == key) return &lists_[entry.list];
      if (entry.key == 0) return nullptr;
    }
  }

  // Stores the members in index order with their weights, and returns the
  // list. May forget every list found before (the cache has a bound).
  const List& Add(std::uint64_t key, std::span<const int> members, std::span<const int> weights);

  // The choice among a list's members: with `statistical` a draw by their
  // weights, otherwise, or when the weights draw nothing, a uniform one. The
  // list must not be empty.
  static int Draw(MersenneTwister32& random, const List& list, bool statistical) {
    if (statistical) {
      const int member = list.byWeight.Draw(random);
      if (member >= 0) return member;
    }
    return list.members[list.byCount.Of(random())];
  }

 private:
  // The table itself holds only keys, so that it stays small enough for
  // the fastest cache; the lists lie side by side in the order they came.
  struct Entry {
    std::uint64_t key = 0;  // 0: free
    std::uint32_t list = 0;
  };
  // Open addressing over a power of two, at most half full. It starts
  // small and doubles as a run meets more combinations (a large chapter
  // with every option on meets thousands); at its largest it is cleared
  // whole when it fills, as it is when the numbers kept reach their bound:
  // a chapter with a thousand consonants can list many for a combination,
  // and memory must stay bounded however long the run.
  static constexpr int kFirstBits = 10;
  static constexpr int kMostBits = 15;
  static constexpr std::size_t kMostNumbers = std::size_t{1} << 20;

  std::size_t Home(std::uint64_t key) const {
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ULL) >> (64 - bits_));
  }
  void Reset(std::uint64_t serial, int bits);
  void Place(std::uint64_t key, std::uint32_t list);

  std::uint64_t serial_ = 0;
  int bits_ = kFirstBits;
  std::size_t numbers_ = 0;
  std::vector<Entry> entries_;
  std::vector<List> lists_;
};

}  // namespace vael
