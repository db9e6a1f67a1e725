#pragma once
// The screening outcomes of the pieces a run has met. A chapter's pieces
// come back again and again (a run from forty samples makes a few thousand
// different names in a million, and with an initial letter a few hundred),
// and a piece's outcome depends on nothing but its text, the level's checks
// and the chapter, so each is worked out once and looked up after. Exact:
// an entry is found by the piece's whole text, never by its hash alone.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/chapter/ChapterTables.h"
#include "core/screening/CandidateChecks.h"

namespace vael {

class ScreeningCache {
 public:
  // Forgets everything unless it was worked out from tables with this serial.
  void UseTables(std::uint64_t serial) {
    if (serial != serial_) {
      serial_ = serial;
      entries_.clear();
    }
  }

  // ScreenCandidate(chapter, piece, level), from the cache where it can be.
  Screening Screen(const ChapterTables& chapter, std::string_view piece, int level);

 private:
  // Longer pieces are screened every time; they are rare, and so seldom met again.
  static constexpr std::size_t kLongestText = 21;
  static constexpr std::size_t kEntries = 4096;
  struct Entry {
    std::uint64_t hash = 0;
    std::uint8_t size = 0;  // 0: free (an empty piece needs no screening)
    Screening outcome;
    std::array<char, kLongestText> text;
  };
  static_assert(sizeof(Entry) <= 32, "two entries to a cache line");
  static_assert(kLongestText < 256, "a text's size fits its byte");

  std::uint64_t serial_ = 0;
  std::vector<Entry> entries_;  // kEntries once used, one place per hash
};

}  // namespace vael
