#include "core/analysis/EditDistance.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <vector>

namespace vael {
namespace {

constexpr std::size_t kWordBits = 64;

// The whole table, row by row, for names too long for one word.
int DistanceByTable(std::string_view a, std::string_view b) {
  std::vector<int> previous(b.size() + 1), current(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) previous[j] = static_cast<int>(j);
  for (std::size_t i = 1; i <= a.size(); ++i) {
    current[0] = static_cast<int>(i);
    for (std::size_t j = 1; j <= b.size(); ++j) {
      current[j] = std::min({previous[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1), previous[j] + 1,
                             current[j - 1] + 1});
    }
    std::swap(previous, current);
  }
  return previous[b.size()];
}

}  // namespace

std::uint64_t LetterBits(std::string_view name) {
  std::uint64_t bits = 0;
  for (char c : name) bits |= std::uint64_t{1} << (static_cast<unsigned char>(c) & 63);
  return bits;
}

EditDistanceFrom::EditDistanceFrom(std::string_view name) : name_(name), letterBits_(LetterBits(name)) {
  if (name_.size() > kWordBits) return;
  for (std::size_t i = 0; i < name_.size(); ++i) {
    positions_[static_cast<unsigned char>(name_[i])] |= std::uint64_t{1} << i;
  }
}

int EditDistanceFrom::To(std::string_view other, int limit) const {
  if (limit < 0) return 0;
  const int beyond = limit + 1;
  const long long difference =
      static_cast<long long>(name_.size()) - static_cast<long long>(other.size());
  if (std::llabs(difference) > limit) return beyond;
  if (name_.empty()) return std::min(static_cast<int>(other.size()), beyond);
  if (name_.size() > kWordBits) return std::min(DistanceByTable(name_, other), beyond);

  // The table by columns of bits (Myers, in Hyyrö's form for whole strings):
  // one pass over other with a few word operations per letter, keeping the
  // vertical differences of the column as two bit sets.
  const std::uint64_t last = std::uint64_t{1} << (name_.size() - 1);
  std::uint64_t plus = ~std::uint64_t{0}, minus = 0;
  int distance = static_cast<int>(name_.size());
  for (char c : other) {
    const std::uint64_t equal = positions_[static_cast<unsigned char>(c)];
    const std::uint64_t vertical = equal | minus;
    const std::uint64_t horizontal = (((equal & plus) + plus) ^ plus) | equal;
    std::uint64_t horizontalPlus = minus | ~(horizontal | plus);
    std::uint64_t horizontalMinus = plus & horizontal;
    if (horizontalPlus & last) ++distance;
    else if (horizontalMinus & last) --distance;
    // The top row grows by one per letter of other: a +1 enters from above.
    horizontalPlus = (horizontalPlus << 1) | 1;
    horizontalMinus <<= 1;
    plus = horizontalMinus | ~(vertical | horizontalPlus);
    minus = horizontalPlus & vertical;
  }
  return std::min(distance, beyond);
}

bool EditDistanceFrom::IsNearCopy(std::string_view other) const { return IsNearCopy(other, LetterBits(other)); }

bool EditDistanceFrom::IsNearCopy(std::string_view other, std::uint64_t otherLetterBits) const {
  const int longer = static_cast<int>(std::max(name_.size(), other.size()));
  const int limit = longer / kLettersPerNearCopyEdit;
  if (limit == 0 || std::popcount(letterBits_ ^ otherLetterBits) > 2 * limit || other == name_) {
    return false;
  }
  return To(other, limit) <= limit;
}

int BoundedEditDistance(std::string_view a, std::string_view b, int limit) {
  return EditDistanceFrom(a).To(b, limit);
}

bool IsNearCopyOf(std::string_view a, std::string_view b) { return EditDistanceFrom(a).IsNearCopy(b); }

}  // namespace vael
