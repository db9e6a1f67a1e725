#pragma once
// A hash of a short text for the tables a run keeps in memory (the history,
// the screening outcomes): eight bytes a step and inline, since names and
// pieces are short and hashing them is much of what finding them costs. Never
// stored: a table that finds a text by it also compares the text itself.

#include <cstdint>
#include <cstring>
#include <string_view>

namespace vael {

inline std::uint64_t TextHash(std::string_view text, std::uint64_t salt = 0) {
  constexpr std::uint64_t kMix = 0xBF58476D1CE4E5B9ULL;
  std::uint64_t hash = (text.size() ^ (salt << 32)) * 0x9E3779B97F4A7C15ULL;
  std::size_t at = 0;
  for (; at + 8 <= text.size(); at += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + at, 8);
    hash = (hash ^ word) * kMix;
    hash ^= hash >> 29;
  }
  std::uint64_t tail = 0;
  std::memcpy(&tail, text.data() + at, text.size() - at);
  hash = (hash ^ tail) * kMix;
  return hash ^ (hash >> 32);
}

}  // namespace vael
