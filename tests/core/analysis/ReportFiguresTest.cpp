// The figures of a chapter report on chapters whose answers are known, the
// judgement on hand-made rows, and chapters that leave little to measure.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <random>
#include <set>

#include "core/Vael.h"
#include "core/analysis/NameShape.h"
#include "support/TestSupport.h"

namespace vael::test {
namespace {

constexpr int kNames = 600;

class Report : public ::testing::Test {
 protected:
  TVaelChapter& Load(const ChapterDraft& draft) {
    path_ = WriteChapter(dir_, "chapter.vel", draft);
    chapter_ = std::make_unique<TVaelChapter>();
    chapter_->Load(path_);
    EXPECT_TRUE(chapter_->loaded) << chapter_->errorText;
    EXPECT_TRUE(ReadSampleNames(path_, samples_));
    return *chapter_;
  }
  ChapterReport Make() { return MakeChapterReport(*chapter_, &samples_, 7, kNames); }

  TempDir dir_;
  std::string path_;
  std::unique_ptr<TVaelChapter> chapter_;
  std::vector<std::string> samples_;
};

// Every row's figures are whole: shares add up, nothing divides by zero.
void ExpectSound(const ChapterReport& report) {
  for (const SettingFigures& row : report.rows) {
    EXPECT_EQ(row.names, report.namesPerSetting);
    EXPECT_GE(row.distinct, 1);
    EXPECT_LE(row.distinctNew, row.distinct);
    EXPECT_LE(row.sampleCopies + row.nearCopies, row.names);
    EXPECT_TRUE(std::isfinite(row.meanLength));
    EXPECT_EQ(row.examples.size(), static_cast<std::size_t>(std::min(kNames, kExampleNames)));
  }
  EXPECT_EQ(report.generated.names, report.namesPerSetting);
  EXPECT_TRUE(std::isfinite(report.samples.MeanLength()));
}

TEST_F(Report, ChapterThatCanOnlyRepeatItsSampleCopiesIt) {
  // One sample of one structure: every slot holds a single element, so the
  // only name the chapter can make is the sample itself.
  Load(Draft({"Kala"}, "STATGEN FIT:2"));
  const ChapterReport report = Make();
  ExpectSound(report);
  // Six mixes of the switches at each fit level; STATGEN FIT:2 is one.
  ASSERT_EQ(report.rows.size(), 24u);
  EXPECT_TRUE(SameSetting(report.rows[report.recommendedRow].setting, RecommendedSetting(*chapter_)));
  EXPECT_EQ(report.recommendedRow, 2 * 6 + 1);
  for (const SettingFigures& row : report.rows) {
    EXPECT_EQ(row.distinct, 1) << GenoptWords(row.setting);
    EXPECT_EQ(row.sampleCopies, kNames);
    EXPECT_EQ(row.nearCopies, 0);
    EXPECT_EQ(row.unseenPairs, 0);
    EXPECT_EQ(row.distinctNew, 0);
    EXPECT_DOUBLE_EQ(row.meanLength, 4.0);
  }
  EXPECT_EQ(report.samples.lengths.at(4), 1);
  EXPECT_EQ(report.generated.lengths.at(4), kNames);
  EXPECT_EQ(report.judgement.best, -1);
  EXPECT_NE(report.judgement.reason.find("too few samples (1 sample)"), std::string::npos)
      << report.judgement.reason;
  ASSERT_EQ(report.notes.size(), 2u);
  EXPECT_NE(report.notes[0].find("single sample name, KALA"), std::string::npos) << report.notes[0];
  EXPECT_NE(report.notes[1].find("same name, Kala"), std::string::npos) << report.notes[1];
}

TEST_F(Report, SamplesAllAlikeAreSaidSo) {
  Load(Draft({"Kala", "kala", "KALA"}));
  const ChapterReport report = Make();
  ExpectSound(report);
  EXPECT_EQ(report.sampleCount, 3);
  ASSERT_FALSE(report.notes.empty());
  EXPECT_EQ(report.notes[0], "All 3 sample names are the same name, KALA.");
  EXPECT_EQ(report.judgement.best, -1);
}

TEST_F(Report, FitLevelsKeepToTheSamplesLetterPairs) {
  // Between two samples that share no letter, fit 0 mixes freely, while from
  // fit 1 each consonant takes only the vowels that followed it.
  Load(Draft({"Kala", "Tono", "Kalala", "Tonono", "Lakala", "Nonoto"}));
  const ChapterReport report = Make();
  ExpectSound(report);
  for (const SettingFigures& row : report.rows) {
    if (row.setting.fit == 0 && !row.setting.prefixes) {
      EXPECT_GT(row.unseenPairs, 0) << GenoptWords(row.setting);
    }
    if (row.setting.fit >= 1) {
      EXPECT_EQ(row.unseenPairs, 0) << GenoptWords(row.setting);
    }
  }
}

TEST_F(Report, RowsRepeatAsTheGeneratorMakesThemAfterALoad) {
  TVaelChapter& chapter = Load(Draft({"Aranel", "Belegorn", "Celebrian", "Elrond", "Galadriel",
                                      "Legolas", "Thranduil", "Arwen", "Elwing", "Finrod"},
                                     "STATGEN SUFFIX FIT:1"));
  const ChapterReport report = Make();
  ExpectSound(report);
  for (int row : {report.recommendedRow, 7}) {
    TVaelChapter fresh;
    fresh.Load(path_);
    SeedRandom(fresh, 7);
    for (const std::string& name : report.rows[row].examples) {
      EXPECT_EQ(name, GenerateName(fresh, report.rows[row].setting));
    }
  }
  // The generated distribution is the recommended row's.
  EXPECT_DOUBLE_EQ(report.generated.MeanLength(), report.rows[report.recommendedRow].meanLength);
  EXPECT_EQ(report.samples.names, 10);
  EXPECT_EQ(report.vowelElements.size(), static_cast<std::size_t>(chapter.vowelElementCount));
}

TEST_F(Report, GapsAreThoseOfTheNamesAgainstTheSamples) {
  // No templates: the samples themselves are what names should look like.
  Load(Draft({"\xC9owyn", "\xC1ine", "\xC9lanor", "Aranel", "Belegorn", "Celebrian", "Elrond",
              "Galadriel", "Legolas", "Arwen", "Elwing", "Finrod"},
             "STATGEN FIT:1"));
  const ChapterReport report = Make();
  const SettingFigures& row = report.rows[report.recommendedRow];
  const NameShape made = ShapeOf(report.generated), samples = ShapeOf(report.samples);
  EXPECT_DOUBLE_EQ(row.expectedMeanLength, report.samples.MeanLength());
  EXPECT_DOUBLE_EQ(row.lengthGap, LengthGap(made, samples));
  EXPECT_DOUBLE_EQ(row.initialGap, InitialGap(made, samples));
  EXPECT_DOUBLE_EQ(row.accentGap, AccentGap(made, samples));
  EXPECT_GT(row.lengthGap + row.initialGap + row.accentGap, 0);
  EXPECT_EQ(report.samples.accents.at(1), 3);
}

TEST_F(Report, ElementsAreSpelledOut) {
  Load(Draft({"Thorin", "Ashtar"}, "", {"SPCCON \"<SH> SOFT\";"}));
  const ChapterReport report = Make();
  std::set<std::string> consonants(report.consonantElements.begin(), report.consonantElements.end());
  EXPECT_TRUE(consonants.count("TH")) << "soft consonant with its H";
  EXPECT_TRUE(consonants.count("SHT")) << "special consonant as written";
}

TEST_F(Report, CompiledChapterIsMeasuredWithoutSamples) {
  Load(Draft({"Kaldor", "Mira", "Tel-Aran", "Doran"}));
  TVaelChapter compiled;
  compiled.Load(dir_.File("chapter.qch"));
  ASSERT_TRUE(compiled.loaded);
  const ChapterReport report = MakeChapterReport(compiled, nullptr, 7, kNames);
  EXPECT_FALSE(report.samplesKnown);
  EXPECT_EQ(report.samples.names, 0);
  for (const SettingFigures& row : report.rows) {
    EXPECT_FALSE(row.compared);
    EXPECT_EQ(row.sampleCopies + row.nearCopies + row.unseenPairs + row.distinctNew, 0);
  }
  EXPECT_EQ(report.judgement.best, -1);
  EXPECT_NE(report.judgement.reason.find("compiled chapter"), std::string::npos);
  ASSERT_FALSE(report.notes.empty());
}

// Sixteen short names of one vowel, and five that hold long elements
// (STR, EIOU) which the even choices of a setting without the statistical
// switch pick as often as the short ones.
std::vector<std::string> DriftingNames() {
  std::vector<std::string> names;
  for (const char* first : {"K", "L", "T", "M"}) {
    for (const char* second : {"k", "l", "t", "m"}) names.push_back(std::string(first) + "a" + second + "a");
  }
  for (const char* name : {"Straka", "Streiouka", "Kastreioula", "Lateiou", "Mastra"}) names.push_back(name);
  return names;
}

TEST_F(Report, EvenChoicesDriftInLengthAndWeightedOnesCopy) {
  Load(Draft(DriftingNames(), "STATGEN FIT:1 VAL:0"));
  const ChapterReport report = Make();
  ExpectSound(report);
  const double samplesMean = report.samples.MeanLength();
  for (const SettingFigures& row : report.rows) {
    SCOPED_TRACE(GenoptWords(row.setting));
    EXPECT_DOUBLE_EQ(row.expectedMeanLength, samplesMean);
    const unsigned broken = BrokenBounds(row);
    if (!row.setting.statistical) {
      // Long elements as often as short ones: names grow.
      EXPECT_GT(row.meanLength, samplesMean + kMaxMeanLengthDrift);
      EXPECT_TRUE(Breaks(broken, Bound::MeanLength));
      EXPECT_TRUE(Breaks(broken, Bound::Lengths));
    } else if (row.setting.fit >= 1 && !row.setting.structural) {
      // The short names come back, most of them samples: copies and nothing else.
      EXPECT_NEAR(row.meanLength, samplesMean, kMaxMeanLengthDrift);
      EXPECT_EQ(broken, 1u << static_cast<unsigned>(Bound::Copies));
    }
  }
  EXPECT_EQ(report.judgement.best, -1);
  EXPECT_GE(report.judgement.closest, 0);
  EXPECT_NE(report.judgement.reason.find("samples and near-copies"), std::string::npos)
      << report.judgement.reason;
}

TEST_F(Report, LongVariedNamesQualifyAndTheBestIsTheirs) {
  // Eighty names of eight letters, letters drawn alike, plus a long vowel
  // element in a few that draws an even choice's names long.
  std::mt19937 random(3);
  std::vector<std::string> names;
  for (int n = 0; n < 80; ++n) {
    std::string name;
    for (int i = 0; i < 4; ++i) {
      name += "KLMNRSTDVB"[random() % 10];
      name += "aeiou"[random() % 5];
    }
    names.push_back(n < 6 ? name + "ka" + "aeiouaeiou" : name);
  }
  Load(Draft(names, "FIT:0 VAL:0"));
  const ChapterReport report = Make();
  ExpectSound(report);
  ASSERT_GE(report.judgement.best, 0) << report.judgement.reason;
  EXPECT_EQ(report.judgement.closest, -1);
  EXPECT_TRUE(report.judgement.reason.empty());
  const SettingFigures& best = report.rows[report.judgement.best];
  EXPECT_TRUE(MeetsBounds(best));
  for (const SettingFigures& row : report.rows) {
    if (MeetsBounds(row)) {
      EXPECT_LE(row.distinctNew, best.distinctNew) << GenoptWords(row.setting);
    }
    // The rare long vowels come up in every other name without the weights.
    if (!row.setting.statistical) {
      EXPECT_TRUE(Breaks(BrokenBounds(row), Bound::MeanLength));
    }
  }
}

// --- The judgement on rows made by hand ---

SettingFigures Row(int fit, int distinctNew, int copies, int unseen, bool on = false) {
  SettingFigures row;
  row.setting.fit = fit;
  row.setting.statistical = row.setting.structural = row.setting.prefixes = row.setting.suffixes = on;
  row.compared = true;
  row.names = 1000;
  row.distinct = distinctNew + copies;
  row.distinctNew = distinctNew;
  row.sampleCopies = copies / 2;
  row.nearCopies = copies - copies / 2;
  row.unseenPairs = unseen;
  return row;
}

TEST(Judgement, MostDistinctNewNamesWithinBothBounds) {
  // Bounds are inclusive: 30 copies and 10 unseen pairs of 1000 qualify.
  std::vector<SettingFigures> rows{Row(0, 990, 0, 11), Row(1, 700, 30, 10), Row(2, 800, 31, 0),
                                   Row(3, 650, 5, 0)};
  Judgement judgement = JudgeFigures(rows, 50);
  EXPECT_EQ(judgement.best, 1);
  EXPECT_TRUE(judgement.reason.empty());

  // A tie goes to the lower fit level, then to the row higher up.
  rows = {Row(3, 700, 0, 0), Row(2, 700, 0, 0, true), Row(2, 700, 0, 0), Row(1, 699, 0, 0)};
  EXPECT_EQ(JudgeFigures(rows, 50).best, 1);
}

TEST(Judgement, SaysWhatTheChapterLacks) {
  // Letter pairs are kept only from fit 2 up, and there samples are copied.
  std::vector<SettingFigures> rows{Row(0, 900, 10, 200), Row(1, 800, 20, 50), Row(2, 400, 80, 0),
                                   Row(3, 300, 120, 0)};
  Judgement judgement = JudgeFigures(rows, 40);
  EXPECT_EQ(judgement.best, -1);
  EXPECT_NE(judgement.reason.find("too few samples (40 samples) for fit 2"), std::string::npos)
      << judgement.reason;
  EXPECT_NE(judgement.reason.find("8.00 % with FIT:2"), std::string::npos) << judgement.reason;

  // Every setting copies.
  rows = {Row(0, 100, 500, 0), Row(3, 10, 900, 0)};
  judgement = JudgeFigures(rows, 3);
  EXPECT_NE(judgement.reason.find("fewest: 50.00 % with FIT:0"), std::string::npos) << judgement.reason;
  EXPECT_NE(judgement.reason.find("too few samples (3 samples) for fit 0"), std::string::npos);

  // Every setting makes unseen pairs.
  rows = {Row(0, 900, 0, 300), Row(3, 800, 0, 20, true)};
  judgement = JudgeFigures(rows, 100);
  EXPECT_NE(judgement.reason.find("fewest: 2.00 % with STATGEN STRUCTGEN PREFIX SUFFIX FIT:3"),
            std::string::npos)
      << judgement.reason;

  rows = {Row(0, 900, 0, 0)};
  EXPECT_EQ(JudgeFigures(rows, 0).best, -1);
  EXPECT_EQ(JudgeFigures(rows, 0).reason, "The chapter has no sample names to compare with.");
  EXPECT_EQ(JudgeFigures({}, 10).best, -1);
}

TEST(Judgement, EveryBoundHoldsUpToItsLimit) {
  struct Case {
    const char* what;
    std::function<void(SettingFigures&, bool over)> set;
    Bound bound;
  };
  const std::vector<Case> cases{
      {"copies", [](SettingFigures& r, bool over) { r.nearCopies = over ? 16 : 15; r.sampleCopies = 15; },
       Bound::Copies},
      {"unseen pairs", [](SettingFigures& r, bool over) { r.unseenPairs = over ? 11 : 10; }, Bound::UnseenPairs},
      {"longer", [](SettingFigures& r, bool over) { r.meanLength = over ? 6.51 : 6.5; }, Bound::MeanLength},
      {"shorter", [](SettingFigures& r, bool over) { r.meanLength = over ? 5.49 : 5.5; }, Bound::MeanLength},
      {"lengths", [](SettingFigures& r, bool over) { r.lengthGap = over ? 10.01 : 10; }, Bound::Lengths},
      {"initials", [](SettingFigures& r, bool over) { r.initialGap = over ? 10.01 : 10; }, Bound::Initials},
      {"accents", [](SettingFigures& r, bool over) { r.accentGap = over ? 5.01 : 5; }, Bound::Accents}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SettingFigures row = Row(1, 900, 0, 0);
    row.meanLength = row.expectedMeanLength = 6;
    c.set(row, false);
    EXPECT_EQ(BrokenBounds(row), 0u);
    EXPECT_TRUE(MeetsBounds(row));
    c.set(row, true);
    EXPECT_EQ(BrokenBounds(row), 1u << static_cast<unsigned>(c.bound));
    EXPECT_EQ(BoundNames(BrokenBounds(row)), BoundName(c.bound));
    // A row that breaks a bound is never best, however many names it has.
    SettingFigures fewer = Row(2, 100, 0, 0);
    fewer.meanLength = fewer.expectedMeanLength = 6;
    EXPECT_EQ(JudgeFigures({row, fewer}, 50).best, 1);
  }
  SettingFigures uncompared = Row(0, 0, 1000, 1000);
  uncompared.compared = false;
  EXPECT_EQ(BrokenBounds(uncompared), 0u);
  EXPECT_FALSE(MeetsBounds(uncompared));
  EXPECT_EQ(BoundNames(~0u), "copies, unseen pairs, mean length, lengths, initials, accents");
}

TEST(Judgement, WhenNoneQualifiesTheClosestIsNamed) {
  // Rows that keep the copies but stray from the samples' make-up, and one
  // that keeps the make-up but copies: copies can be left out of the names
  // made, strays cannot be mended, so the copying row is the closest.
  SettingFigures longer = Row(0, 900, 0, 0), spread = Row(1, 900, 0, 0, true), copies = Row(2, 500, 80, 0);
  longer.meanLength = 7.2;
  longer.expectedMeanLength = 5.8;
  longer.lengthGap = 30;
  spread.initialGap = 18;
  Judgement judgement = JudgeFigures({longer, spread, copies, Row(3, 500, 60, 0)}, 120);
  EXPECT_EQ(judgement.best, -1);
  EXPECT_EQ(judgement.closest, 3);
  EXPECT_NE(judgement.reason.find("keeps to the samples' lengths, initials and accents makes more than 3 %"),
            std::string::npos)
      << judgement.reason;

  // No row keeps the make-up: the closest is the least over its bounds,
  // each excess a share of its bound (80 % here against 180 % and 200 %).
  judgement = JudgeFigures({longer, spread}, 120);
  EXPECT_EQ(judgement.closest, 1);
  EXPECT_NE(judgement.reason.find("the closest, STATGEN STRUCTGEN PREFIX SUFFIX FIT:1, makes an "
                                  "initials gap of 18.0 points"),
            std::string::npos)
      << judgement.reason;
  EXPECT_NE(judgement.reason.find("120 samples are too few to learn the initial letters"), std::string::npos);
  judgement = JudgeFigures({longer}, 120);
  EXPECT_NE(judgement.reason.find("names 7.20 letters long against the samples' 5.80 and a length gap"),
            std::string::npos)
      << judgement.reason;
  EXPECT_NE(judgement.reason.find("to learn the lengths of names"), std::string::npos);
  // Far over one bound is farther than a little over two.
  SettingFigures pairs = Row(1, 900, 0, 90), twoBounds = Row(1, 900, 0, 12);
  twoBounds.initialGap = 11;
  EXPECT_EQ(JudgeFigures({pairs, twoBounds}, 120).closest, 1);

  // A qualifying row leaves no closest.
  EXPECT_EQ(JudgeFigures({longer, Row(3, 10, 0, 0)}, 120).closest, -1);
}

TEST_F(Report, JudgeSettingsGivesTheReportsBestSetting) {
  Load(Draft({"Aranel", "Belegorn", "Celebrian", "Elrond", "Galadriel", "Legolas", "Thranduil",
              "Arwen", "Elwing", "Earendil", "Finrod", "Fingolfin", "Idril", "Luthien", "Nimrodel",
              "Celeborn", "Glorfindel", "Haldir", "Orophin", "Rumil"},
             "STATGEN FIT:2"));
  const ChapterReport report = Make();
  const SettingChoice choice = JudgeSettings(*chapter_, samples_, kNames, 7);
  EXPECT_EQ(choice.found, report.judgement.best >= 0);
  EXPECT_EQ(choice.reason, report.judgement.reason);
  if (choice.found) {
    EXPECT_TRUE(SameSetting(choice.setting, report.rows[report.judgement.best].setting));
    EXPECT_EQ(choice.setting.val, chapter_->valLevel);
  }
}

TEST(SettingWords, AsAChaptersGenoptTag) {
  GenerationOptions setting;
  EXPECT_EQ(GenoptWords(setting), "FIT:0");
  setting.fit = 2;
  setting.statistical = setting.suffixes = true;
  EXPECT_EQ(GenoptWords(setting), "STATGEN SUFFIX FIT:2");
}

}  // namespace
}  // namespace vael::test
