#pragma once
// The edit distance behind near-copies: how many single letters must be
// inserted, removed or changed to turn one name into another.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vael {

// A name made ready to be compared with many others (every sample).
class EditDistanceFrom {
 public:
  explicit EditDistanceFrom(std::string_view name);

  // The edit distance to other when it is at most limit; limit + 1 when it
  // is larger. Names whose lengths alone differ by more are not compared.
  int To(std::string_view other, int limit) const;

  // Whether other differs from the name by at least one and at most the
  // near-copy share of edits.
  bool IsNearCopy(std::string_view other) const;
  // The same, told other's LetterBits, which rule most names out at once.
  bool IsNearCopy(std::string_view other, std::uint64_t otherLetterBits) const;

 private:
  std::string name_;
  std::uint64_t letterBits_ = 0;
  // Bit i of the entry of a character: the name's letter i is that
  // character (names of up to 64 letters).
  std::array<std::uint64_t, 256> positions_{};
};

// The letters a name holds, as a set of 64 bits (a letter's byte modulo 64).
// An edit changes at most two of them, so names whose sets differ in more
// than 2k bits are more than k edits apart.
std::uint64_t LetterBits(std::string_view name);

// A name is a near-copy of a sample when they differ, but by no more than
// one edit per five letters of the longer of the two.
inline constexpr int kLettersPerNearCopyEdit = 5;

// The same for one pair of names.
int BoundedEditDistance(std::string_view a, std::string_view b, int limit);
bool IsNearCopyOf(std::string_view a, std::string_view b);

}  // namespace vael
