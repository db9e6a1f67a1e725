#include "core/generation/RandomDraws.h"

#include <chrono>

#include "core/generation/Generator.h"

namespace vael {

std::int64_t RandomBelow(std::mt19937& random, std::int64_t n) {
  if (n <= 0) return 0;
  return static_cast<std::int64_t>(random()) % n;
}

int WeightedDraw(std::mt19937& random, std::span<const int> weights) {
  // Template weights are user-written and may be huge or negative.
  std::int64_t total = 0;
  for (int weight : weights) total += weight;
  return WeightedDraw(random, weights, total);
}

int WeightedDraw(std::mt19937& random, std::span<const int> weights, std::int64_t total) {
  if (total <= 0) return -1;
  const std::int64_t r = RandomBelow(random, total);
  std::int64_t running = 0;
  for (std::size_t i = 0; i < weights.size(); ++i) {
    running += weights[i];
    if (running > r) return static_cast<int>(i);
  }
  return -1;
}

void EnsureSeeded(TVaelChapter& chapter) {
  if (chapter.randomSeeded) return;
  const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
  chapter.random.seed(static_cast<std::uint32_t>(ticks ^ (ticks >> 32)));
  chapter.randomSeeded = true;
}

void SeedRandom(TVaelChapter& chapter, std::uint32_t seed) {
  chapter.random.seed(seed);
  chapter.randomSeeded = true;
}

}  // namespace vael
