#pragma once
// The generator's random numbers: the 32-bit Mersenne Twister (MT19937)
// with the standard library's seeding, so that every seed gives exactly the
// sequence std::mt19937 gives. The standard library keeps its state in
// 64-bit words on this platform; this one keeps 32-bit words and refills the
// whole state in one pass, tempering the 624 outputs in the same refill, so
// that a draw is a load. The refill loops are plain element-wise passes
// whose lengths are multiples of four, which the compiler turns into vector
// code. The names of a seed depend on that sequence, so it must never change.

#include <array>
#include <cstdint>

namespace vael {

class MersenneTwister32 {
 public:
  using result_type = std::uint32_t;
  static constexpr result_type kDefaultSeed = 5489u;  // as std::mt19937's

  MersenneTwister32() { seed(kDefaultSeed); }
  explicit MersenneTwister32(result_type value) { seed(value); }

  void seed(result_type value) {
    state_[0] = value;
    for (std::uint32_t i = 1; i < kStateSize; ++i)
      state_[i] = 1812433253u * (state_[i - 1] ^ (state_[i - 1] >> 30)) + i;
    next_ = kStateSize;
  }

  result_type operator()() {
    if (next_ >= kStateSize) Refill();
    return output_[next_++];
  }

  static constexpr result_type min() { return 0; }
  static constexpr result_type max() { return 0xFFFFFFFFu; }

 private:
  static constexpr std::uint32_t kStateSize = 624;
  static constexpr std::uint32_t kShift = 397;

  static std::uint32_t Twist(std::uint32_t upper, std::uint32_t lower, std::uint32_t far) {
    const std::uint32_t y = (upper & 0x80000000u) | (lower & 0x7FFFFFFFu);
    // The odd case's constant by a mask rather than a branch, so that the
    // loops below stay branch-free.
    return far ^ (y >> 1) ^ ((0u - (y & 1u)) & 0x9908B0DFu);
  }

  static std::uint32_t Temper(std::uint32_t z) {
    z ^= z >> 11;
    z ^= (z << 7) & 0x9D2C5680u;
    z ^= (z << 15) & 0xEFC60000u;
    return z ^ (z >> 18);
  }

  void Refill() {
    // Words 0..226 take their far word from the old state ahead of them,
    // the next 396 from words this pass already wrote, and the last wraps
    // round to word 0. The first stretch is 224 words plus three, so that
    // each loop runs a multiple of four times.
    constexpr std::uint32_t kFirst = kStateSize - kShift;  // 227
    static_assert((kFirst - kFirst % 4) % 4 == 0 && (kStateSize - 1 - kFirst) % 4 == 0 &&
                  kStateSize % 4 == 0, "the long loops run a multiple of four times");
    std::uint32_t k = 0;
    for (; k < kFirst - kFirst % 4; ++k)
      state_[k] = Twist(state_[k], state_[k + 1], state_[k + kShift]);
    for (; k < kFirst; ++k) state_[k] = Twist(state_[k], state_[k + 1], state_[k + kShift]);
    for (; k < kStateSize - 1; ++k)
      state_[k] = Twist(state_[k], state_[k + 1], state_[k + kShift - kStateSize]);
    state_[kStateSize - 1] = Twist(state_[kStateSize - 1], state_[0], state_[kShift - 1]);
    for (std::uint32_t i = 0; i < kStateSize; ++i) output_[i] = Temper(state_[i]);
    next_ = 0;
  }

  std::array<std::uint32_t, kStateSize> state_{};
  std::array<std::uint32_t, kStateSize> output_{};  // state_ tempered, drawn in order
  std::uint32_t next_ = kStateSize;
};

}  // namespace vael
