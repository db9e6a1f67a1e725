#pragma once
// The generator's weighted draw, kept ready for a table it makes again and
// again: a number r below the total, then the first place whose running sum
// (w0, w0 + w1, ...) exceeds r. Where no weight is below 0 the sums never
// fall, and for a small total the place of every r is written out, so that
// a draw is one remainder and one lookup instead of a walk whose end the
// processor cannot foresee.

#include <cstdint>
#include <span>
#include <vector>

#include "core/generation/MersenneTwister.h"

namespace vael {

// A generator value modulo a fixed n below 2^32, by two multiplications with
// a kept reciprocal instead of a division; exact for every value and n.
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

class RunningDraw {
 public:
  // Totals up to this many get their places written out.
  static constexpr std::int64_t kMostWrittenOut = 2048;
  // Values written out must fit in 16 bits.
  static constexpr int kMostValue = 0x7FFF;

  RunningDraw() = default;
  // `total` is given apart from the sums: some tables draw below a count
  // kept beside the weights, which a damaged chapter may not match.
  // `values`, when given, holds a value of 0 or more for each place, and a
  // draw gives the value of the place instead of the place.
  RunningDraw(std::span<const std::int64_t> running, std::int64_t total,
              std::span<const int> values = {});

  // The place (or its value) drawn; -1, without drawing, when the total is
  // 0 or less, and -1 when no running sum exceeds the number drawn.
  int Draw(MersenneTwister32& random) const {
    if (total_ <= 0) return -1;
    if (!places_.empty()) return places_[modulus_.Of(random())];
    return Walk(random);
  }

  // The written-out outcomes, one for each number below the total, and the
  // remainder that picks among them; nullptr when they are not written out.
  const std::int16_t* WrittenOut() const { return places_.empty() ? nullptr : places_.data(); }
  const FixedModulus& Modulus() const { return modulus_; }
  // Numbers kept, to bound what a cache of draws holds.
  std::size_t size() const { return running_.size() + values_.size() + places_.size(); }

 private:
  int Walk(MersenneTwister32& random) const;
  int ValueOf(std::size_t place) const {
    return values_.empty() ? static_cast<int>(place) : values_[place];
  }

  std::vector<std::int64_t> running_;
  std::int64_t total_ = 0;
  bool rising_ = true;       // no sum below the one before
  FixedModulus modulus_;     // by total_, when it is below 2^32
  std::vector<int> values_;  // empty: each place is its own value
  // The value for each r below total_, when written out: in 16 bits, so
  // that the tables a run draws from stay in the fastest cache.
  std::vector<std::int16_t> places_;
};

}  // namespace vael
