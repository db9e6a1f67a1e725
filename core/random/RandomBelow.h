#pragma once
// A random number below n: the generator's next value modulo n. Every
// uniform choice of the engine and every weighted draw takes its number
// this way, so that a seeded run can be repeated exactly.

#include <cstdint>

#include "core/SpeedTricks.h"
#include "core/random/MersenneTwister.h"

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

// A generator value modulo a fixed n below 2^32, by two multiplications with
// a kept reciprocal instead of a division; exact for every value and n.
// Gain (scripts/bench-compare --trick --wall FIXED_MODULUS, 40 villages): a division is one
// instruction (own / all / -i K: 5,294 / 16,068 / 19,648 per name without, 5,326 / 16,151 /
// 19,782 with); 1,000,000 names took 0.78 s / 2.34 s without, 0.68 s / 2.54 s with (own, -i K).
class FixedModulus {
 public:
  FixedModulus() = default;
  explicit FixedModulus(std::uint32_t n) : n_(n), reciprocal_(~std::uint64_t{0} / n + 1) {}
  std::uint32_t Of(std::uint32_t value) const {
#if defined(__wasm__)
    // WebAssembly has no wide multiplication: a 128-bit product is a library
    // call there, and the one 32-bit remainder it stands for is cheaper.
    return value % n_;
#else
    if constexpr (!tricks::kFixedModulus) return value % n_;
    const std::uint64_t fraction = reciprocal_ * value;
    return static_cast<std::uint32_t>((static_cast<unsigned __int128>(fraction) * n_) >> 64);
#endif
  }

 private:
  std::uint32_t n_ = 1;
  [[maybe_unused]] std::uint64_t reciprocal_ = 0;  // not needed where % is used instead
};

}  // namespace vael
