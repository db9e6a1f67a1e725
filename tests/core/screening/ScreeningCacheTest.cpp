#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/SpeedTricks.h"
#include "core/Vael.h"
#include "core/screening/ScreeningCache.h"

namespace vael {
namespace {

bool operator==(const Screening& a, const Screening& b) {
  return a.failed == b.failed && a.letter == b.letter;
}

// Tables under which every check has pieces to refuse: letters may repeat
// only far apart and take only part of a piece.
std::unique_ptr<TVaelChapter> StrictChapter() {
  auto chapter = std::make_unique<TVaelChapter>();
  chapter->minRepeatDistance.fill(4);
  chapter->maxLetterPercent.fill(30);
  return chapter;
}

// Pieces over a few letters, so that every check fails now and then and
// the same texts come back, of every length up to well past what the
// cache keeps.
std::vector<std::string> Pieces() {
  std::mt19937 random(7);
  const std::string letters = "ANLSRE";
  std::vector<std::string> pieces = {"ANAL", "ANUS", "MASTURBATION", "KYRP\xC4", "ASS", "A"};
  for (int i = 0; i < 3000; ++i) {
    std::string piece(1 + random() % 30, ' ');
    for (char& c : piece) c = letters[random() % letters.size()];
    pieces.push_back(piece);
  }
  return pieces;
}

// Found or worked out, an outcome is the one screening gives, whatever
// the level asked before for the same text and whatever shared its place.
TEST(ScreeningCache, GivesWhatScreeningGivesForEveryPieceAndLevel) {
  auto chapter = StrictChapter();
  ScreeningCache cache;
  cache.UseTables(1);
  const std::vector<std::string> pieces = Pieces();
  for (int round = 0; round < 2; ++round) {
    for (const std::string& piece : pieces) {
      for (int level : {2, 1, 0, -1, 1, 9}) {
        ASSERT_TRUE(cache.Screen(*chapter, piece, level) == ScreenCandidate(*chapter, piece, level))
            << piece << " at level " << level << ", round " << round;
      }
    }
  }
}

// Outcomes worked out from one chapter's tables are forgotten when the
// tables change; kept while they stay.
TEST(ScreeningCache, ForgetsOutcomesOfOtherTables) {
  if (!tricks::kScreeningCache) GTEST_SKIP() << "a build without the screening cache";
  auto lenient = std::make_unique<TVaelChapter>();
  lenient->minRepeatDistance.fill(2);
  lenient->maxLetterPercent.fill(100);
  auto strict = StrictChapter();
  ScreeningCache cache;
  cache.UseTables(1);
  ASSERT_TRUE(cache.Screen(*lenient, "RARER", 2).accepted());
  cache.UseTables(1);
  EXPECT_TRUE(cache.Screen(*strict, "RARER", 2).accepted());  // the same tables, as far as it knows
  cache.UseTables(2);
  EXPECT_FALSE(cache.Screen(*strict, "RARER", 2).accepted());
}

}  // namespace
}  // namespace vael
