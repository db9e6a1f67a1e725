#include "core/generation/RandomDraws.h"

#include <chrono>

#include "core/generation/Generator.h"

namespace vael {

int WeightedDraw(MersenneTwister32& random, std::span<const int> weights) {
  // Template weights are user-written and may be huge or negative.
  std::int64_t total = 0;
  for (int weight : weights) total += weight;
  return WeightedDraw(random, weights, total);
}

int WeightedDraw(MersenneTwister32& random, std::span<const int> weights, std::int64_t total) {
  if (total <= 0) return -1;
  const std::int64_t r = RandomBelow(random, total);
  std::int64_t running = 0;
  for (std::size_t i = 0; i < weights.size(); ++i) {
    running += weights[i];
    if (running > r) return static_cast<int>(i);
  }
  return -1;
}

void EnsureSeeded(GenerationState& state) {
  if (state.randomSeeded) return;
  const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
  state.random.seed(static_cast<std::uint32_t>(ticks ^ (ticks >> 32)));
  state.randomSeeded = true;
}

void SeedRandom(GenerationState& state, std::uint32_t seed) {
  state.random.seed(seed);
  state.randomSeeded = true;
}

}  // namespace vael
