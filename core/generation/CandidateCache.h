#pragma once
// The candidates of one element position, kept for the rest of the run.
//
// Which elements may stand at a position follows from a handful of facts:
// the kind and slot of the position, the initial letter at position 0, the
// variant digit, and what the fit tests read of the neighbours before it.
// A chapter yields a few hundred such combinations (a few thousand with
// every option on), and a run meets them again and again, so each is
// worked out once: its members in index order, with the draw by their
// weights at the slot. A choice is then one lookup and one draw, with the
// very random numbers and outcome the builder had when it tested every
// element itself.

#include <cassert>
#include <cstdint>
#include <span>
#include <type_traits>
#include <vector>

#include "core/random/MersenneTwister.h"
#include "core/random/WeightedDraw.h"

namespace vael {

// Gain (scripts/bench-compare --trick CANDIDATE_CACHE; instructions per name, 40
// villages, own / all options / -i K): 8,872 / 22,696 / 28,952 without,
// 5,326 / 16,151 / 19,782 with.
class CandidateCache {
 public:
  // Entries point into the lists they hold, so a cache is never copied.
  CandidateCache() = default;
  CandidateCache(const CandidateCache&) = delete;
  CandidateCache& operator=(const CandidateCache&) = delete;
  CandidateCache(CandidateCache&&) = default;
  CandidateCache& operator=(CandidateCache&&) = default;

  // The members of one combination; none when nothing may stand there.
  struct List {
    std::uint64_t key = 0;
    std::vector<int> members;
    RunningDraw byWeight;  // gives members, not places
    FixedModulus byCount;
  };
  // An entry points into its list's written-out draw. When the lists grow,
  // each list is moved, which keeps that draw's storage where it is; a list
  // that could throw while moving would be copied instead, and the entries
  // would point into freed storage.
  static_assert(std::is_nothrow_move_constructible_v<List>);

  // Forgets everything unless it was worked out from tables with this serial.
  void UseTables(std::uint64_t serial) {
    if (serial != serial_ || entries_.empty()) Reset(serial, kFirstBits);
  }

  // A slot of the table: the key, and beside it what a weighted draw from
  // a written-out list reads. Each element's choice waits for the one before
  // it (the next key holds its neighbours), so every load on that chain
  // counts; this way the common draw reads nothing but the entry.
  struct Entry {
    std::uint64_t key = 0;  // 0: free
    WrittenOutDraw byWeight;  // the list's written-out draw, when it has one
    std::uint32_t list = 0;
    std::uint32_t count = 0;
  };

  // The entry stored for `key`, or nullptr. Keys are never 0. The table is
  // never more than half full, so a free slot ends the search long before
  // the bound; the bound only keeps a broken table from hanging the run.
  const Entry* Find(std::uint64_t key) const {
    assert(2 * lists_.size() <= entries_.size());
    if (entries_.empty()) return nullptr;
    const std::size_t mask = entries_.size() - 1;
    const std::size_t home = Home(key);
    std::size_t i = home;
    do {
      const Entry& entry = entries_[i];
      if (entry.key == key) return &entry;
      if (entry.key == 0) return nullptr;
      i = (i + 1) & mask;
    } while (i != home);
    return nullptr;
  }

  // Stores the members in index order with their weights, and returns the
  // entry. May forget every entry found before (the cache has a bound).
  const Entry& Add(std::uint64_t key, std::span<const int> members, std::span<const int> weights);

  const List& ListOf(const Entry& entry) const { return lists_[entry.list]; }

  // The choice among an entry's members: with `statistical` a draw by their
  // weights, otherwise, or when the weights draw nothing, a uniform one. The
  // list must not be empty.
  int Draw(MersenneTwister32& random, const Entry& entry, bool statistical) const {
    if (statistical) {
      const int member = entry.byWeight.places != nullptr ? entry.byWeight.Draw(random)
                                                          : lists_[entry.list].byWeight.Draw(random);
      if (member >= 0) return member;
    }
    const List& list = lists_[entry.list];
    return list.members[list.byCount.Of(random())];
  }

 private:
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
  Entry& Place(std::uint64_t key, std::uint32_t list);

  std::uint64_t serial_ = 0;
  int bits_ = kFirstBits;
  std::size_t numbers_ = 0;
  std::vector<Entry> entries_;
  std::vector<List> lists_;
};

}  // namespace vael
