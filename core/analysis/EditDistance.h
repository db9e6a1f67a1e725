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

 private:
  std::string name_;
  // Bit i of the entry of a character: the name's letter i is that
  // character (names of up to 64 letters).
  std::array<std::uint64_t, 256> positions_{};
};

// A name is a near-copy of a sample when they differ, but by no more than
// one edit per five letters of the longer of the two.
inline constexpr int kLettersPerNearCopyEdit = 5;

// The same for one pair of names.
int BoundedEditDistance(std::string_view a, std::string_view b, int limit);
bool IsNearCopyOf(std::string_view a, std::string_view b);

}  // namespace vael
