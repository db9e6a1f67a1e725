// Bulk runs: GenerateNames must be exactly repeated GenerateName, and a run
// in blocks must give the same names whatever the number of threads.

#include "GenerationFixture.h"

namespace vael::test {
namespace {

class Bulk : public ::testing::Test {
 protected:
  void SetUp() override {
    chapter_ = LoadCopy(dir_, std::string(VAEL_FROZEN_LIBRARY_DIR) + "/wild/desert.vel");
    ASSERT_TRUE(chapter_->loaded) << chapter_->errorText;
  }
  std::vector<std::string> Blocks(std::int64_t count, std::uint32_t seed, int threads,
                                  std::int64_t stopAfter = -1) {
    std::vector<std::string> names;
    GenerateNameBlocks(*chapter_, options_, count, BlockRun{seed, threads},
                       [&](std::string_view name) {
                         names.emplace_back(name);
                         return static_cast<std::int64_t>(names.size()) != stopAfter;
                       });
    return names;
  }

  TempDir dir_;
  std::unique_ptr<TVaelChapter> chapter_;
  GenerationOptions options_ = Options(3, 2, true, true, true, true);
};

TEST_F(Bulk, GenerateNamesIsRepeatedGenerateName) {
  SeedRandom(*chapter_, 4);
  std::vector<std::string> bulk;
  GenerateNames(*chapter_, options_, 300, [&](std::string_view name) {
    bulk.emplace_back(name);
    return true;
  });
  // The history carries over: the next single name continues the same run.
  bulk.push_back(GenerateName(*chapter_, options_));
  auto again = LoadChapter(dir_.File("desert.vel"));
  SeedRandom(*again, 4);
  for (std::size_t i = 0; i < bulk.size(); ++i)
    ASSERT_EQ(GenerateName(*again, options_), bulk[i]) << i;

  int delivered = 0;
  GenerateNames(*chapter_, options_, 50, [&](std::string_view) { return ++delivered < 7; });
  EXPECT_EQ(delivered, 7);
}

TEST_F(Bulk, BlocksGiveTheSameNamesOnAnyNumberOfThreads) {
  const std::int64_t count = 3 * kNamesPerBlock + 11;
  const std::vector<std::string> one = Blocks(count, 21, 1);
  ASSERT_EQ(static_cast<std::int64_t>(one.size()), count);
  for (int threads : {2, 3, 8}) EXPECT_EQ(Blocks(count, 21, threads), one) << threads;
  EXPECT_NE(Blocks(count, 22, 2), one);
  // Each block starts afresh from its own seed and history.
  const std::vector<std::string> firstBlock = Blocks(kNamesPerBlock, 21, 2);
  EXPECT_TRUE(std::equal(firstBlock.begin(), firstBlock.end(), one.begin()));
  EXPECT_NE(std::vector<std::string>(one.begin(), one.begin() + 50),
            std::vector<std::string>(one.begin() + kNamesPerBlock,
                                     one.begin() + kNamesPerBlock + 50));
  // The chapter's own generator is not touched.
  EXPECT_EQ(chapter_->historyCount, 0);
}

TEST_F(Bulk, SinkEndsABlockRunEarly) {
  for (int threads : {1, 2}) {
    const std::vector<std::string> names = Blocks(4 * kNamesPerBlock, 5, threads, 10);
    ASSERT_EQ(names.size(), 10u);
    EXPECT_EQ(names, std::vector<std::string>(Blocks(10, 5, 1)));
  }
  EXPECT_TRUE(Blocks(0, 5, 2).empty());
}

// Whole blocks of text made on the worker threads hold exactly the lines the
// name-by-name run gives, and a sink that says stop is handed nothing more.
TEST_F(Bulk, FormattedBlocksHoldTheSameNames) {
  const std::int64_t count = 2 * kNamesPerBlock + 5;
  const NameFormat bracketed = [](std::string& out, std::string_view name) {
    out.append("<").append(name).append(">\n");
  };
  std::string expected, firstBlock;
  const std::vector<std::string> names = Blocks(count, 13, 1);
  for (std::size_t i = 0; i < names.size(); ++i) {
    bracketed(expected, names[i]);
    if (i + 1 == kNamesPerBlock) firstBlock = expected;
  }
  for (int threads : {1, 2, 3}) {
    for (int stopAfter : {0, 1}) {
      std::string text;
      int blocks = 0;
      GenerateNameBlocks(*chapter_, options_, count, BlockRun{13, threads}, bracketed,
                         [&](std::string_view block) {
                           text += block;
                           return ++blocks != stopAfter;
                         });
      EXPECT_EQ(blocks, stopAfter == 0 ? 3 : 1) << threads;
      EXPECT_TRUE(text == (stopAfter == 0 ? expected : firstBlock)) << threads;
    }
  }
}

// The derived tables follow the public ones only through
// RebuildDerivedTables; a change by hand shows as stale until then.
TEST_F(Bulk, TablesChangedByHandNeedTheirDerivedTablesRebuilt) {
  EXPECT_TRUE(DerivedTablesAreCurrent(*chapter_));
  SeedRandom(*chapter_, 8);
  const std::string before = GenerateName(*chapter_, options_);

  for (auto& row : chapter_->consonantPositionCounts) row[0] = 0;
  EXPECT_FALSE(DerivedTablesAreCurrent(*chapter_));
  RebuildDerivedTables(*chapter_);
  EXPECT_TRUE(DerivedTablesAreCurrent(*chapter_));
  // No consonant may begin a name any more.
  for (int i = 0; i < 50; ++i) {
    const std::string name = GenerateName(*chapter_, Options(0, 0, false, false, false, false));
    EXPECT_TRUE(IsVowel(ToUpperChar(name[0]))) << name;
  }

  chapter_->vowelElements[0] += "A";
  EXPECT_FALSE(DerivedTablesAreCurrent(*chapter_));
  chapter_->Load(dir_.File("desert.vel"));
  EXPECT_TRUE(DerivedTablesAreCurrent(*chapter_));
  SeedRandom(*chapter_, 8);
  EXPECT_EQ(GenerateName(*chapter_, options_), before);
}

// Every public table the generator's lookup tables are made from, changed
// by hand, leaves them stale: the debug check that guards every generator
// entry sees it.
TEST_F(Bulk, EveryTableChangedByHandLeavesTheDerivedTablesStale) {
  using Change = std::function<void(TVaelChapter&)>;
  // A structure type the chapter has variants of.
  const auto typeWithVariants = [](const TVaelChapter& c) {
    int type = 0;
    while (c.structureVariantWeights[type].empty()) ++type;
    return type;
  };
  const std::vector<std::pair<const char*, Change>> changes = {
      {"vowel element", [](TVaelChapter& c) { c.vowelElements[0] += "E"; }},
      {"vowel element count", [](TVaelChapter& c) { --c.vowelElementCount; }},
      {"consonant element", [](TVaelChapter& c) { c.consonantElements[0] += "T"; }},
      {"consonant element count", [](TVaelChapter& c) { --c.consonantElementCount; }},
      {"special consonant", [](TVaelChapter& c) { c.specialConsonants[3] = "QX"; }},
      {"special consonant count", [](TVaelChapter& c) { ++c.specialConsonantCount; }},
      {"template", [](TVaelChapter& c) { c.templates[0] += "-"; }},
      {"template weight", [](TVaelChapter& c) { c.templateWeights[0] += 3; }},
      {"template count", [](TVaelChapter& c) { --c.templateCount; }},
      {"Y mode", [](TVaelChapter& c) { c.yMode = 1 - c.yMode; }},
      {"start pair", [](TVaelChapter& c) { c.startPairs[0].second = c.startPairs[1].second + 1; }},
      {"start pair weight", [](TVaelChapter& c) { c.startPairWeights[0] += 2; }},
      {"start pair count", [](TVaelChapter& c) { --c.startPairCount; }},
      {"end pair", [](TVaelChapter& c) { c.endPairs[0].first = c.endPairs[1].first + 1; }},
      {"end pair weight", [](TVaelChapter& c) { c.endPairWeights[0] += 2; }},
      {"end pair count", [](TVaelChapter& c) { --c.endPairCount; }},
      {"end pair flags before", [](TVaelChapter& c) { c.endPairBefore1[0][5] ^= 1; }},
      {"end pair flags two before", [](TVaelChapter& c) { c.endPairBefore2[0][7] ^= 1; }},
      {"vowel after consonant", [](TVaelChapter& c) { c.vowelAfterConsonant[0][3] ^= 1; }},
      {"consonant after vowel", [](TVaelChapter& c) { c.consonantAfterVowel[3][0] ^= 1; }},
      {"consonant across vowel", [](TVaelChapter& c) { c.consonantAcrossVowel[3][4] ^= 1; }},
      {"vowel across consonant", [](TVaelChapter& c) { c.vowelAcrossConsonant[0][1] ^= 1; }},
      {"structure type count", [&](TVaelChapter& c) { ++c.structureTypeCounts[typeWithVariants(c)]; }},
      {"structure variant count",
       [&](TVaelChapter& c) { --c.structureVariantCounts[typeWithVariants(c)]; }},
      {"structure variant weight",
       [&](TVaelChapter& c) { ++c.structureVariantWeights[typeWithVariants(c)][0]; }},
      {"vowel position count", [](TVaelChapter& c) { ++c.vowelPositionCounts[0][1]; }},
      {"consonant position count", [](TVaelChapter& c) { ++c.consonantPositionCounts[0][1]; }},
  };
  for (const auto& [what, change] : changes) {
    chapter_->Load(dir_.File("desert.vel"));
    ASSERT_TRUE(DerivedTablesAreCurrent(*chapter_)) << what;
    change(*chapter_);
    EXPECT_FALSE(DerivedTablesAreCurrent(*chapter_)) << what;
  }
}

}  // namespace
}  // namespace vael::test
