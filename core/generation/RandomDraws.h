#pragma once
// The random draws of the generator, all from one generator's own random
// numbers so that a seeded run can be repeated exactly.

#include <cstdint>
#include <span>

#include "core/generation/GenerationState.h"
#include "core/generation/MersenneTwister.h"

namespace vael {

// The generator's next value modulo n; 0, without drawing, when n is 0 or less.
inline std::int64_t RandomBelow(MersenneTwister32& random, std::int64_t n) {
  if (n <= 0) return 0;
  const std::uint32_t value = random();
  // A value below 2^32 is its own remainder by anything larger; below that
  // the 32-bit remainder is the same number and much cheaper.
  if (n > static_cast<std::int64_t>(MersenneTwister32::max())) return value;
  return value % static_cast<std::uint32_t>(n);
}

// Takes r below the sum of the weights and returns the first index whose
// running sum exceeds r; -1 when the sum is 0 or less (nothing can be drawn).
int WeightedDraw(MersenneTwister32& random, std::span<const int> weights);

// The same draw with a total the caller knows (a type's structure count over
// its variant weights); -1 when no running sum exceeds r.
int WeightedDraw(MersenneTwister32& random, std::span<const int> weights, std::int64_t total);

// Seeds the generator from the clock unless a caller seeded it.
void EnsureSeeded(GenerationState& state);

}  // namespace vael
