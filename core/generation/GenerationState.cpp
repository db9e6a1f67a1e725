#include "core/generation/GenerationState.h"

#include <chrono>

namespace vael {

void GenerationState::Restart(std::optional<std::uint32_t> seed) {
  historyCount = 0;
  historyNext = 0;
  newStructure = true;
  retryCount = 0;
  if (seed) {
    SeedRandom(*this, *seed);
  } else {
    randomSeeded = false;
  }
}

void SeedRandom(GenerationState& state, std::uint32_t seed) {
  state.random.seed(seed);
  state.randomSeeded = true;
}

void EnsureSeeded(GenerationState& state) {
  if (!state.randomSeeded) SeedRandom(state, ClockSeed());
}

std::uint32_t ClockSeed() {
  const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
  return static_cast<std::uint32_t>(ticks ^ (ticks >> 32));
}

}  // namespace vael
