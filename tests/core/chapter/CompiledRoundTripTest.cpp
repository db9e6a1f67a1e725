#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "StatisticsTestChapter.h"
#include "core/Vael.h"
#include "support/TestSupport.h"

namespace vael {
namespace {

using test::ChapterDraft;
using test::Draft;

// Tells a load from the compiled chapter (which sets the gauge to its end)
// from an analysis (which only steps it).
class ProgressRecorder : public LoadProgress {
 public:
  void StepProgress() override { ++steps; }
  void SetProgressPosition(int position) override { finalPosition = position; }
  int steps = 0;
  int finalPosition = 0;
};

struct Loaded {
  ProgressRecorder progress;
  std::unique_ptr<TVaelChapter> chapter = std::make_unique<TVaelChapter>(&progress);
  bool fromCompiled() const { return progress.finalPosition == kProgressSteps; }
};

std::unique_ptr<Loaded> LoadFresh(const std::string& path) {
  auto result = std::make_unique<Loaded>();
  result->chapter->Load(path);
  return result;
}

std::string CompiledPath(const std::string& path) {
  return std::filesystem::path(path).replace_extension(".qch").string();
}

// Chapters that between them use every option the analysis knows.
std::vector<std::pair<std::string, ChapterDraft>> OptionChapters() {
  return {
      {"soft and special consonants",
       Draft({"Thorin", "Schadra", "Khalid", "Drogon-Ash", "Ashtha", "Sharra"}, "STATGEN FIT:1",
            {"SPCCON \"<SCH><DR><SH> SOFT\";", "TOPIC \"12\";"})},
      {"multi vowels", Draft({"Alan", "Alai", "Eleni", "Orod Anor", "Ilie"}, "", {"SPCVOW \"multi\";"})},
      {"shuffle, semi Y and U, every flag",
       Draft({"Maya", "Tyr", "Quara", "Quinn", "Yolanda Quest", "Aquila-Ry", "Eryan"},
            "STRUCTGEN STATGEN SHUFFLE PREFIX SUFFIX FIT:2 VAL:3 PUNCT:5 Y:SEMI U:SEMI")},
      // FIT: followed by a space reads as -16.
      {"consonant Y, odd digits", Draft({"Yaya", "Kyra", "Ayon"}, "Y:CON PUNCT:7 FIT: VAL:x")},
      {"several parts and accents",
       Draft({"El-da Mor Tan", "A'ra Ka-Lo", "Bj\xF6rn", "\xC7" "elik", "\xDE\xF3rr Ul-Vin"}, "")},
      {"explicit templates",
       Draft({"Torin", "Elda", "Moran", "Ulva"}, "STATGEN",
            {"TEMPLATES \"2 3:5\" \"1-4:300\" \"#\" \"0|2:2\";"})},
  };
}

TEST(CompiledRoundTrip, SecondLoadReadsTheSameTablesFromTheCompiledChapter) {
  for (const auto& [what, draft] : OptionChapters()) {
    SCOPED_TRACE(what);
    test::TempDir dir;
    const std::string path = test::WriteChapter(dir, "c.vel", draft);
    auto analysed = LoadFresh(path);
    ASSERT_TRUE(analysed->chapter->loaded) << analysed->chapter->errorText;
    ASSERT_FALSE(analysed->fromCompiled());
    ASSERT_TRUE(std::filesystem::exists(CompiledPath(path)));

    auto compiled = LoadFresh(path);
    ASSERT_TRUE(compiled->chapter->loaded) << compiled->chapter->errorText;
    EXPECT_TRUE(compiled->fromCompiled());
    test::ExpectSameTables(*analysed->chapter, *compiled->chapter,
                           {.hyphenLetter = true, .heavyTemplates = true});
    EXPECT_EQ(compiled->chapter->date, analysed->chapter->date);
    EXPECT_EQ(compiled->chapter->minRepeatDistance[kHyphenLetterIndex], 255);
    EXPECT_EQ(compiled->chapter->maxLetterPercent[kHyphenLetterIndex], 0);

    // Chosen directly, the compiled chapter stands on its own.
    auto direct = LoadFresh(CompiledPath(path));
    ASSERT_TRUE(direct->chapter->loaded) << direct->chapter->errorText;
    test::ExpectSameTables(*compiled->chapter, *direct->chapter);
  }
}

TEST(CompiledRoundTrip, ChangedTextIsAnalysedAgainAndRecompiled) {
  test::TempDir dir;
  ChapterDraft draft = Draft({"Torin", "Elda", "Moran"}, "STATGEN");
  const std::string path = test::WriteChapter(dir, "c.vel", draft);
  LoadFresh(path);
  const std::string before = test::ReadFile(CompiledPath(path));

  draft.names[1] = "Ulva";
  test::WriteChapter(dir, "c.vel", draft);
  auto changed = LoadFresh(path);
  ASSERT_TRUE(changed->chapter->loaded);
  EXPECT_FALSE(changed->fromCompiled());
  const std::string after = test::ReadFile(CompiledPath(path));
  EXPECT_NE(after, before);
  EXPECT_EQ(static_cast<std::uint8_t>(after[1]), ChapterChecksum(test::ChapterText(draft)));
  EXPECT_EQ(changed->chapter->vowelElements[2], "U");  // Torin, then Ulva
}

TEST(CompiledRoundTrip, ChapterBeyondThePairBytesIsNeverCached) {
  test::TempDir dir;
  const std::string path = test::WriteChapter(dir, "c.vel", Draft({"Torin", "Elda"}, ""));
  LoadFresh(path);
  ASSERT_TRUE(std::filesystem::exists(CompiledPath(path)));

  // 400 two-letter consonant clusters: pairs with consonant elements past
  // 255, which a pair's single byte cannot hold.
  std::vector<std::string> names;
  const std::string letters = "BCDFGHJKLMNPQRSTVWXZ";
  for (char a : letters) {
    for (char b : letters) names.push_back(std::string{a, b, 'A'});
  }
  test::WriteChapter(dir, "c.vel", Draft(names, ""));
  auto first = LoadFresh(path);
  ASSERT_TRUE(first->chapter->loaded) << first->chapter->errorText;
  EXPECT_EQ(first->chapter->consonantElementCount, 400);
  EXPECT_FALSE(std::filesystem::exists(CompiledPath(path)));
  auto second = LoadFresh(path);
  EXPECT_FALSE(second->fromCompiled());
  test::ExpectSameTables(*first->chapter, *second->chapter);
}

TEST(CompiledRoundTrip, TruncatedCompiledChapterBesideTheTextIsRebuilt) {
  test::TempDir dir;
  const auto draft = OptionChapters()[2].second;
  const std::string path = test::WriteChapter(dir, "c.vel", draft);
  auto reference = LoadFresh(path);
  ASSERT_TRUE(reference->chapter->loaded);
  const std::string whole = test::ReadFile(CompiledPath(path));

  // One chapter object for every round, as in the program: a damaged file
  // must not leave anything of itself behind in it either.
  ProgressRecorder progress;
  TVaelChapter chapter(&progress);
  for (std::size_t length = 0; length < whole.size(); ++length) {
    SCOPED_TRACE(length);
    test::WriteFile(CompiledPath(path), whole.substr(0, length));
    progress.finalPosition = 0;
    chapter.Load(path);
    ASSERT_TRUE(chapter.loaded) << chapter.errorText;
    ASSERT_NE(progress.finalPosition, kProgressSteps);
    ASSERT_EQ(test::ReadFile(CompiledPath(path)), whole);
  }
  test::ExpectSameTables(*reference->chapter, chapter);
}

TEST(CompiledRoundTrip, TruncatedCompiledChapterChosenDirectlyFails) {
  test::TempDir dir;
  const std::string path = test::WriteChapter(dir, "c.vel", OptionChapters()[0].second);
  LoadFresh(path);
  const std::string whole = test::ReadFile(CompiledPath(path));
  const std::string damagedPath = dir.File("damaged.qch");
  TVaelChapter chapter;
  for (std::size_t length = 0; length < whole.size(); ++length) {
    SCOPED_TRACE(length);
    test::WriteFile(damagedPath, whole.substr(0, length));
    chapter.Load(damagedPath);
    EXPECT_FALSE(chapter.loaded);
    // Too short to be recognised, the bytes are taken for a text chapter.
    if (length >= 7) {
      EXPECT_EQ(chapter.errorText, "Damaged compiled chapter");
    }
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("damaged.vel")));
}

TEST(CompiledRoundTrip, LoadingAfterALargerChapterLeavesNothingBehind) {
  test::TempDir dir;
  ChapterDraft large = OptionChapters()[4].second;
  for (const char* name : {"Zazuzyx", "Krrnthax Ommoru", "Gwyllt-Ffrae", "Ixxiqua", "Oorbellan"}) {
    large.names.push_back(name);
  }
  const std::string largePath = test::WriteChapter(dir, "large.vel", large);
  const std::string smallPath = test::WriteChapter(dir, "small.vel", OptionChapters()[3].second);

  // Both paths: the analysis (compiled chapters removed first) and the
  // compiled chapters the first round wrote.
  for (bool analyse : {true, false}) {
    SCOPED_TRACE(analyse ? "analysis" : "compiled");
    TVaelChapter reused;
    if (analyse) std::filesystem::remove(CompiledPath(largePath));
    reused.Load(largePath);
    ASSERT_TRUE(reused.loaded);
    if (analyse) std::filesystem::remove(CompiledPath(smallPath));
    auto fresh = LoadFresh(smallPath);
    ASSERT_EQ(fresh->fromCompiled(), !analyse);
    if (analyse) std::filesystem::remove(CompiledPath(smallPath));
    reused.Load(smallPath);
    ASSERT_TRUE(reused.loaded);
    test::ExpectSameTables(*fresh->chapter, reused);
  }
}

}  // namespace
}  // namespace vael
