#pragma once
// The random draws of the generator, all from the chapter's own generator so
// that a seeded run can be repeated exactly.

#include <cstdint>
#include <random>
#include <span>

#include "core/chapter/TVaelChapter.h"

namespace vael {

// The generator's next value modulo n; 0, without drawing, when n is 0 or less.
std::int64_t RandomBelow(std::mt19937& random, std::int64_t n);

// Takes r below the sum of the weights and returns the first index whose
// running sum exceeds r; -1 when the sum is 0 or less (nothing can be drawn).
int WeightedDraw(std::mt19937& random, std::span<const int> weights);

// The same draw with a total the caller knows (a type's structure count over
// its variant weights); -1 when no running sum exceeds r.
int WeightedDraw(std::mt19937& random, std::span<const int> weights, std::int64_t total);

// Seeds the chapter's generator from the clock unless a caller seeded it.
void EnsureSeeded(TVaelChapter& chapter);

}  // namespace vael
