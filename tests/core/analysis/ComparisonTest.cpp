// Near-copies, letter pairs and sample matches: the measures every figure of
// the chapter report rests on.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <random>

#include "core/Vael.h"
#include "support/TestSupport.h"

namespace vael::test {
namespace {

TEST(EditDistance, CountsEditsUpToTheLimit) {
  struct Case {
    const char* a;
    const char* b;
    int limit;
    int expected;
  };
  for (const Case& c : {Case{"KALDOR", "KALDOR", 2, 0}, Case{"KALDOR", "KALDAR", 2, 1},
                        Case{"KALDOR", "KALDORA", 2, 1}, Case{"KALDOR", "ALDOR", 2, 1},
                        Case{"KALDOR", "DORKAL", 6, 6}, Case{"", "ABC", 3, 3},
                        Case{"ABCDEFGH", "BADCFEHG", 8, 5},
                        // Beyond the limit the answer is limit + 1, however far.
                        Case{"KALDOR", "MIRANDEL", 1, 2}, Case{"A", "ABCDEF", 2, 3},
                        Case{"KALDOR", "LADKOR", 1, 2}}) {
    EXPECT_EQ(BoundedEditDistance(c.a, c.b, c.limit), c.expected) << c.a << " / " << c.b;
    EXPECT_EQ(BoundedEditDistance(c.b, c.a, c.limit), c.expected) << c.b << " / " << c.a;
  }
}

// The distance by its definition: the cheapest of removing, inserting or
// changing the last letter, remembered per pair of prefixes.
int DefinedEditDistance(const std::string& a, const std::string& b) {
  std::map<std::pair<std::size_t, std::size_t>, int> known;
  std::function<int(std::size_t, std::size_t)> distance = [&](std::size_t i, std::size_t j) {
    if (i == 0 || j == 0) return static_cast<int>(i + j);
    if (auto found = known.find({i, j}); found != known.end()) return found->second;
    const int best = std::min({distance(i - 1, j) + 1, distance(i, j - 1) + 1,
                               distance(i - 1, j - 1) + (a[i - 1] != b[j - 1])});
    return known[{i, j}] = best;
  };
  return distance(a.size(), b.size());
}

TEST(EditDistance, AgreesWithItsDefinition) {
  std::mt19937 random(5);
  // Short words, and some longer than the 64 letters one machine word holds.
  auto word = [&] {
    std::string text(random() % 8 == 0 ? 60 + random() % 10 : random() % 9, ' ');
    for (char& c : text) c = "ABR"[random() % 3];
    return text;
  };
  for (int i = 0; i < 3000; ++i) {
    const std::string a = word(), b = word();
    const int limit = static_cast<int>(random() % 5) + (a.size() > 50 ? 60 : 0);
    EXPECT_EQ(BoundedEditDistance(a, b, limit), std::min(DefinedEditDistance(a, b), limit + 1))
        << a << " / " << b << " within " << limit;
  }
}

TEST(EditDistance, NearCopyAllowsOneEditPerFiveLetters) {
  EXPECT_FALSE(IsNearCopyOf("KALDOR", "KALDOR"));     // equal is a copy, not a near-copy
  EXPECT_TRUE(IsNearCopyOf("KALDOR", "KALDAR"));      // 6 letters, 1 edit
  EXPECT_TRUE(IsNearCopyOf("MIRA", "MIRAN"));         // the longer has 5 letters
  EXPECT_FALSE(IsNearCopyOf("MIRA", "MARA"));         // 4 letters: never near
  EXPECT_FALSE(IsNearCopyOf("KALDOR", "KELDAR"));     // 2 edits in 6 letters
  EXPECT_TRUE(IsNearCopyOf("KALDORIMAR", "KELDORIMAN"));  // 2 edits in 10
  EXPECT_FALSE(IsNearCopyOf("KALDORIMAR", "KELDURIMAN"));  // 3 edits in 10
  EXPECT_FALSE(IsNearCopyOf("", ""));
}

// The letter sets that rule most names out at once must never rule out a
// near-copy.
TEST(EditDistance, NearCopiesAsDefinedWhateverTheLetters) {
  std::mt19937 random(11);
  auto word = [&] {
    std::string text(3 + random() % 10, ' ');
    for (char& c : text) c = "ABKLMRS\xC9"[random() % 8];
    return text;
  };
  int near = 0;
  for (int i = 0; i < 20000; ++i) {
    std::string a = word(), b = a;
    // Mostly a few edits away, so that near-copies come up often.
    for (int edits = static_cast<int>(random() % 4); edits > 0 && !b.empty(); --edits) {
      const std::size_t at = random() % b.size();
      switch (random() % 3) {
        case 0: b.erase(at, 1); break;
        case 1: b.insert(at, 1, "ABKLMRS"[random() % 7]); break;
        default: b[at] = "ABKLMRS"[random() % 7];
      }
    }
    if (random() % 4 == 0) b = word();
    const int limit = static_cast<int>(std::max(a.size(), b.size())) / kLettersPerNearCopyEdit;
    const bool defined = a != b && limit > 0 && DefinedEditDistance(a, b) <= limit;
    EXPECT_EQ(IsNearCopyOf(a, b), defined) << a << " / " << b;
    near += defined;
  }
  EXPECT_GT(near, 2000);
}

TEST(NameDistribution, LettersAndPairsStopAtSpacesAndHyphens) {
  NameDistribution d;
  EXPECT_EQ(d.MeanLength(), 0.0);
  d.Add("ANNE-MARIE");
  d.Add("EL DOR");
  d.Add("");
  EXPECT_EQ(d.names, 3);
  EXPECT_EQ(d.letters, 9 + 5);
  EXPECT_EQ(d.lengths.at(9), 1);
  EXPECT_EQ(d.lengths.at(0), 1);
  EXPECT_EQ(d.initials.at('A'), 1);
  EXPECT_EQ(d.initials.at('E'), 1);
  EXPECT_EQ(d.initials.size(), 2u);
  EXPECT_EQ(d.pairs.count("E-"), 0u);
  EXPECT_EQ(d.pairs.count("L "), 0u);
  EXPECT_EQ(d.pairs.at("AN"), 1);
  EXPECT_EQ(d.pairCount, 3 + 4 + 1 + 2);  // ANNE, MARIE, EL, DOR
  EXPECT_DOUBLE_EQ(d.MeanLength(), 14.0 / 3);
}

class Comparison : public ::testing::Test {
 protected:
  const TVaelChapter& Load(const std::string& genopt, std::vector<std::string> names,
                           std::vector<std::string> tags = {}) {
    chapter_ = std::make_unique<TVaelChapter>();
    chapter_->Load(WriteChapter(dir_, "samples.vel", Draft(names, genopt, tags)));
    EXPECT_TRUE(chapter_->loaded) << chapter_->errorText;
    EXPECT_TRUE(ReadSampleNames(dir_.File("samples.vel"), samples_));
    return *chapter_;
  }
  TempDir dir_;
  std::unique_ptr<TVaelChapter> chapter_;
  std::vector<std::string> samples_;
};

TEST_F(Comparison, SamplesNearCopiesAndUnseenPairs) {
  SampleComparison samples(Load("", {"Kaldor", "Mira", "Tel-Aran"}), samples_);
  ASSERT_EQ(samples_, (std::vector<std::string>{"KALDOR", "MIRA", "TEL-ARAN"}));

  auto verdict = [&](const std::string& name) {
    const auto& v = samples.Judge(name);
    return std::string(v.sample ? "S" : "") + (v.nearCopy ? "N" : "") + (v.unseenPair ? "U" : "");
  };
  EXPECT_EQ(verdict("Kaldor"), "S");   // case does not matter
  EXPECT_EQ(verdict("Kaldo"), "N");    // one edit in six letters
  EXPECT_EQ(verdict("Kaldar"), "NU");  // and D before A stands in no sample
  EXPECT_EQ(verdict("Miran"), "N");    // one edit, five letters
  EXPECT_EQ(verdict("Mir"), "");       // one edit, but the longer has four letters
  EXPECT_EQ(verdict("Kalmira"), "U");  // L before M stands in no sample
  EXPECT_EQ(verdict("Mira Kal"), "");  // no pair across the space
  EXPECT_EQ(verdict("Tel Aran"), "N"); // the hyphen became a space: one edit in eight
  EXPECT_EQ(verdict("Lektor"), "U");   // EK, KT: unseen
  // Remembered answers stay right when asked again.
  EXPECT_EQ(verdict("Kalmira"), "U");
  EXPECT_EQ(verdict("Kaldor"), "S");
}

TEST_F(Comparison, SamplesAreSpelledAsTheGeneratorSpellsThem) {
  // Long vowels: the generator turns KAAREN into Káren.
  SampleComparison samples(Load("PUNCT:1", {"Kaaren", "Dooran"}), samples_);
  EXPECT_TRUE(samples.Judge("K\xE1ren").sample);
  EXPECT_TRUE(samples.Judge("D\xF3ran").sample);
  EXPECT_FALSE(samples.Judge("Kaaren").sample);
  EXPECT_EQ(samples.Spellings(), (std::vector<std::string>{"K\xC1REN", "D\xD3RAN"}));
}

TEST_F(Comparison, LettersTheTemplatesWriteAreSeen) {
  SampleComparison samples(
      Load("PUNCT:4", {"Kaldor", "Mira", "P\xE4iv\xF6"}, {"TEMPLATES \"#:5\" \"# #son:3\";"}), samples_);
  EXPECT_FALSE(samples.Judge("Kaldor Mirason").unseenPair);  // AS where piece meets "son"
  EXPECT_TRUE(samples.Judge("Kaldor Mirlason").unseenPair);  // RL inside a piece
  // Harmony turns the vowels of a word; the pairs are compared unturned.
  EXPECT_FALSE(samples.Judge("Paivo").unseenPair);
  EXPECT_TRUE(samples.Judge("P\xE4ivi").unseenPair);
}

TEST_F(Comparison, ATemplateOfOneGroupWritesSamplesWhole) {
  // MacLeod is a real name: made of the sample Leod by Mac_#, it copies it.
  SampleComparison clans(Load("", {"Leod", "Donald", "Gregor"}, {"TEMPLATES \"Mac_#:7\" \"Mc_#:3\";"}),
                         samples_);
  EXPECT_TRUE(clans.Judge("MacLeod").sample);
  EXPECT_TRUE(clans.Judge("McDonald").sample);
  EXPECT_TRUE(clans.Judge("MacGregon").nearCopy);
  EXPECT_TRUE(clans.Judge("Gregor").sample);
  EXPECT_FALSE(clans.Judge("MacLean").sample || clans.Judge("MacLean").nearCopy);
  // The spellings stay the samples'.
  EXPECT_EQ(clans.Spellings(), (std::vector<std::string>{"LEOD", "DONALD", "GREGOR"}));

  // A literal equal to the letter before it is left out, as the driver does;
  // two groups put two samples together, which is no copy of either.
  SampleComparison sons(Load("", {"Borgrims", "Kaldor"}, {"TEMPLATES \"#son:1\" \"# #-#:1\";"}),
                        samples_);
  EXPECT_TRUE(sons.Judge("Borgrimson").sample);
  EXPECT_TRUE(sons.Judge("Kaldorson").sample);
  EXPECT_FALSE(sons.Judge("Kaldor Borgrims-Kaldor").sample);
}

TEST_F(Comparison, CompiledChapterKeepsNoSamples) {
  Load("", {"Kaldor", "Mira"});
  std::vector<std::string> names{"stale"};
  EXPECT_FALSE(ReadSampleNames(dir_.File("samples.qch"), names));
  EXPECT_TRUE(names.empty());
  EXPECT_FALSE(ReadSampleNames(dir_.File("missing.vel"), names));
}

}  // namespace
}  // namespace vael::test
