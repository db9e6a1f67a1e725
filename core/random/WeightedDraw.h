#pragma once
// The engine's one weighted draw: r, a random number below the total
// weight, then the first place whose running sum (w0, w0 + w1, ...) exceeds
// r; nothing (-1) when the total is 0 or less or no running sum exceeds r.
// Every choice by weight (templates, structure types, variants, element and
// pair candidates) is this draw, in one of two forms:
//  - WalkWeights reads the weights as it goes: for a draw made once, such
//    as a fallback among the templates that can begin with a letter;
//  - RunningDraw keeps a table that is drawn from again and again. Where no
//    weight is below 0 and the total is small, the place of every r is
//    written out, so that a draw is one remainder and one lookup instead of
//    a walk whose end the processor cannot foresee; otherwise it walks its
//    kept running sums, which is the same rule.
// A seeded run repeats its names only while every draw keeps this rule and
// takes exactly one random number (none when the total is 0 or less).

#include <cstdint>
#include <limits>
#include <type_traits>
#include <span>
#include <vector>

#include "core/random/MersenneTwister.h"
#include "core/random/RandomBelow.h"

namespace vael {

// The draw over places visited in order: visit(take) calls take(place,
// weight) for each place, in order, until take returns true. Gives the
// place drawn. Weights may be negative (template and pair weights are
// written by hand), so the running sum may fall; it is summed in 64 bits.
template <typename Visit>
int WalkPlaces(MersenneTwister32& random, Visit visit) {
  std::int64_t total = 0;
  visit([&](int, std::int64_t weight) {
    total += weight;
    return false;
  });
  if (total <= 0) return -1;
  const std::int64_t r = RandomBelow(random, total);
  std::int64_t running = 0;
  int drawn = -1;
  visit([&](int place, std::int64_t weight) {
    running += weight;
    if (running <= r) return false;
    drawn = place;
    return true;
  });
  return drawn;
}

// The draw over `count` weights, weightAt(i) giving weight i.
template <typename WeightAt>
int WalkWeights(MersenneTwister32& random, int count, WeightAt weightAt) {
  return WalkPlaces(random, [&](auto take) {
    for (int i = 0; i < count; ++i) {
      if (take(i, weightAt(i))) return;
    }
  });
}

inline int WeightedDraw(MersenneTwister32& random, std::span<const int> weights) {
  return WalkWeights(random, static_cast<int>(weights.size()),
                     [&](int i) { return weights[static_cast<std::size_t>(i)]; });
}

// A written-out draw: the outcome of every r below the total, and the
// remainder that picks r. Small enough to be copied beside what it draws
// for (a cache entry), so that the common draw reads nothing else.
struct WrittenOutDraw {
  const std::int16_t* places = nullptr;  // nullptr: not written out
  FixedModulus modulus;

  int Draw(MersenneTwister32& random) const { return Draw(places, modulus, random); }
  static int Draw(const std::int16_t* places, const FixedModulus& modulus,
                  MersenneTwister32& random) {
    return places[modulus.Of(random())];
  }
};
// Copied by value into every cache entry.
static_assert(std::is_trivially_copyable_v<WrittenOutDraw>);

// Gain (scripts/bench-compare --trick WRITTEN_OUT_DRAWS; instructions per name, 40
// villages, own / all options / -i K): 6,531 / 19,164 / 24,225 without,
// 5,326 / 16,151 / 19,782 with.
class RunningDraw {
 public:
  // Totals up to this many get their places written out.
  static constexpr std::int64_t kMostWrittenOut = 2048;
  // Values written out must fit in 16 bits.
  static constexpr int kMostValue = 0x7FFF;
  static_assert(kMostValue <= std::numeric_limits<std::int16_t>::max());

  RunningDraw() = default;
  // `total` is given apart from the sums: some tables draw below a count
  // kept beside the weights, which a damaged chapter may not match.
  // `values`, when given, holds a value of 0 or more for each place, and a
  // draw gives the value of the place instead of the place.
  RunningDraw(std::span<const std::int64_t> running, std::int64_t total,
              std::span<const int> values = {});

  int Draw(MersenneTwister32& random) const {
    if (total_ <= 0) return -1;
    if (!places_.empty()) return WrittenOutDraw::Draw(places_.data(), modulus_, random);
    return Walk(random);
  }

  // The written-out form; its places are nullptr when there is none.
  WrittenOutDraw WrittenOut() const {
    return places_.empty() ? WrittenOutDraw{} : WrittenOutDraw{places_.data(), modulus_};
  }
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
