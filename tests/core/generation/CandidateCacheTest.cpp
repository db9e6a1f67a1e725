// The candidate cache must draw exactly what a walk over the candidates
// draws from the same random numbers, whatever the weights, and must never
// hand back a list under the wrong key when it forgets lists to stay bounded.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "core/SpeedTricks.h"
#include "core/generation/CandidateCache.h"
#include "core/random/WeightedDraw.h"

namespace vael::test {
namespace {

// The draw as the builder made it before there was a cache: the running sum
// walked member by member, a uniform draw when the weights draw nothing.
int WalkedDraw(MersenneTwister32& random, const std::vector<int>& members,
               const std::vector<int>& weights, bool statistical) {
  if (statistical) {
    std::int64_t total = 0;
    for (int weight : weights) total += weight;
    if (total > 0) {
      const std::int64_t r = RandomBelow(random, total);
      std::int64_t running = 0;
      for (std::size_t k = 0; k < members.size(); ++k) {
        if ((running += weights[k]) > r) return members[k];
      }
    }
  }
  return members[RandomBelow(random, static_cast<std::int64_t>(members.size()))];
}

TEST(FixedModulus, EqualsTheRemainderAtTheEdges) {
  const std::vector<std::uint32_t> divisors = {1, 2, 3, 7, 40, 2048, 2049, 65535, 1u << 31,
                                               0xFFFFFFFEu, 0xFFFFFFFFu};
  MersenneTwister32 random(11);
  for (std::uint32_t n : divisors) {
    const FixedModulus modulus(n);
    for (std::uint32_t value : {0u, 1u, n - 1, n, n + 1, 0x7FFFFFFFu, 0xFFFFFFFEu, 0xFFFFFFFFu})
      EXPECT_EQ(modulus.Of(value), value % n) << value << " % " << n;
    for (int i = 0; i < 20000; ++i) {
      const std::uint32_t value = random();
      ASSERT_EQ(modulus.Of(value), value % n) << value << " % " << n;
    }
  }
}

TEST(CandidateCache, DrawsWhatTheWalkDraws) {
  struct Case {
    const char* what;
    std::vector<int> weights;
  };
  const std::vector<Case> cases = {
      {"one member", {5}},
      {"small total, written out", {1, 3, 1, 7, 2}},
      {"total at the written-out bound", {1000, 1000, 48}},
      {"total just above it, searched", {1000, 1000, 49}},
      {"large total", {900000, 1, 1, 250000, 77}},
      {"total above 32 bits", {std::numeric_limits<int>::max(), std::numeric_limits<int>::max(),
                               std::numeric_limits<int>::max(), 9}},
      {"zero weights", {0, 4, 0, 0, 2}},
      {"negative weights", {6, -3, 4, -10, 8}},
      {"nothing to draw by weight", {0, 0, 0}},
      {"weights below zero in all", {-1, -2}},
  };
  for (const Case& c : cases) {
    std::vector<int> members;
    for (std::size_t k = 0; k < c.weights.size(); ++k) members.push_back(static_cast<int>(3 * k + 1));
    CandidateCache cache;
    cache.UseTables(1);
    const CandidateCache::Entry& entry = cache.Add(42, members, c.weights);
    for (bool statistical : {true, false}) {
      MersenneTwister32 cached(99), walked(99);
      for (int i = 0; i < 5000; ++i) {
        ASSERT_EQ(cache.Draw(cached, entry, statistical),
                  WalkedDraw(walked, members, c.weights, statistical))
            << c.what << (statistical ? ", by weight" : ", uniform") << ", draw " << i;
      }
    }
  }
}

TEST(CandidateCache, ForgetsWholeListsOnlyAndNeverMixesKeys) {
  CandidateCache cache;
  cache.UseTables(7);
  // Lists of growing length, enough to pass both the list and the member
  // bound several times over.
  std::vector<int> members, weights;
  for (std::uint64_t key = 1; key <= 6000; ++key) {
    const int count = static_cast<int>(key % 300) + 1;
    members.assign(count, 0);
    weights.assign(count, 1);
    for (int k = 0; k < count; ++k) members[k] = static_cast<int>(key) + k;
    cache.Add(key, members, weights);
    for (std::uint64_t probe : {key, key - key / 2, key / 3 + 1}) {
      const CandidateCache::Entry* found = cache.Find(probe);
      if (found == nullptr) continue;
      const std::vector<int>& kept = cache.ListOf(*found).members;
      ASSERT_EQ(kept.size(), probe % 300 + 1) << "key " << probe << " after " << key;
      ASSERT_EQ(kept.front(), static_cast<int>(probe));
      ASSERT_EQ(kept.back(), static_cast<int>(probe + kept.size() - 1));
    }
    ASSERT_NE(cache.Find(key), nullptr) << "the list just added is always found";
  }
  // Other tables: nothing from before is found.
  cache.UseTables(8);
  EXPECT_EQ(cache.Find(6000), nullptr);
}

// The numbers a cache keeps are bounded whatever its lists hold, the
// written-out draws included: lists of one member drawn by a large weight
// are small as lists but large as draws.
TEST(CandidateCache, WrittenOutDrawsCountAgainstTheBound) {
  if (!tricks::kWrittenOutDraws) GTEST_SKIP() << "a build without written-out draws";
  const std::vector<int> member{7};
  for (const auto& [weight, firstStays] : {std::pair{1, true}, std::pair{1500, false}}) {
    CandidateCache cache;
    cache.UseTables(3);
    for (std::uint64_t key = 1; key <= 1000; ++key) {
      const CandidateCache::Entry& entry = cache.Add(key, member, std::vector<int>{weight});
      ASSERT_NE(entry.byWeight.places, nullptr) << "the draw is written out";
    }
    EXPECT_EQ(cache.Find(1) != nullptr, firstStays) << "weight " << weight;
    EXPECT_NE(cache.Find(1000), nullptr);
  }
}

}  // namespace
}  // namespace vael::test
