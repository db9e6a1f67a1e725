// Every name of a seed hangs on the exact random sequence and on how it is
// reduced to a range, so the generator's own Mersenne Twister must repeat
// std::mt19937 draw for draw, and the quick remainder must equal the
// 64-bit one it replaced.

#include <gtest/gtest.h>

#include <limits>

#include <random>
#include <vector>

#include "core/random/MersenneTwister.h"
#include "core/random/WeightedDraw.h"
#include "core/random/WeightedDraw.h"

namespace vael {
namespace {

TEST(RandomSequence, RepeatsTheStandardMersenneTwisterOverMillionsOfDraws) {
  // The default seed, seeds at the ends of the range, and a reseed midway.
  for (std::uint32_t seed : {5489u, 0u, 1u, 1000u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
    std::mt19937 standard(seed);
    MersenneTwister32 ours(seed);
    int mismatches = 0;
    for (int i = 0; i < 2'000'000; ++i) mismatches += standard() != ours();
    EXPECT_EQ(mismatches, 0) << "seed " << seed;
  }
  std::mt19937 standard;
  MersenneTwister32 ours;
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(standard(), ours()) << i;
  standard.seed(42);
  ours.seed(42);
  for (int i = 0; i < 1'000'000; ++i) ASSERT_EQ(standard(), ours()) << i;
}

TEST(RandomSequence, RemainderEqualsTheSixtyFourBitOne) {
  MersenneTwister32 draws(9);
  MersenneTwister32 reference(9);
  const std::vector<std::int64_t> ranges{1,          2,          3,           7,
                                         1000,       65537,      0x7FFFFFFF,  0xFFFFFFFF,
                                         0x100000000, 0x100000001, 1LL << 40};
  for (int i = 0; i < 200'000; ++i) {
    const std::int64_t n = ranges[i % ranges.size()];
    ASSERT_EQ(RandomBelow(draws, n), static_cast<std::int64_t>(reference()) % n) << n;
  }
  EXPECT_EQ(RandomBelow(draws, 0), 0);
  EXPECT_EQ(RandomBelow(draws, -3), 0);
  EXPECT_EQ(draws(), reference());  // no draw is spent on an empty range
}

// The rule every weighted draw keeps, walked over the weights with a total
// given apart from them (r may pass every running sum): the reference the
// kept draw is held to.
int ReferenceDraw(MersenneTwister32& random, const std::vector<int>& weights, std::int64_t total) {
  if (total <= 0) return -1;
  const std::int64_t r = RandomBelow(random, total);
  std::int64_t running = 0;
  for (std::size_t i = 0; i < weights.size(); ++i) {
    running += weights[i];
    if (running > r) return static_cast<int>(i);
  }
  return -1;
}

// The kept draw over running sums must give the walk over the weights in
// every case: written out, searched, walked (sums that fall), a total apart
// from the sums, and totals past what a remainder by reciprocal can take.
// With the total of the weights, WeightedDraw must give it too.
TEST(RandomSequence, KeptDrawEqualsTheDrawOverWeights) {
  const int most = std::numeric_limits<int>::max();
  const std::vector<std::vector<int>> lists{
      {3, 1, 4, 1, 5}, {0, 0, 9}, {-5, 3, 4}, {7}, {0, 0}, {1000, 0, 1000, 48},
      {1000, 1000, 49}, {250000, 1, 0, 77}, {most, most, most, 5}, {6, -3, 4, -10, 8}};
  for (const auto& weights : lists) {
    std::vector<std::int64_t> running;
    std::int64_t sum = 0;
    for (int weight : weights) running.push_back(sum += weight);
    for (const std::int64_t total : {sum, sum + 2, sum - 1, std::int64_t{1}}) {
      const RunningDraw kept(running, total);
      MersenneTwister32 a(3), b(3);
      for (int i = 0; i < 3000; ++i)
        ASSERT_EQ(ReferenceDraw(a, weights, total), kept.Draw(b)) << "total " << total;
    }
    MersenneTwister32 a(4), b(4);
    for (int i = 0; i < 3000; ++i) ASSERT_EQ(ReferenceDraw(a, weights, sum), WeightedDraw(b, weights));
  }
}

}  // namespace
}  // namespace vael
