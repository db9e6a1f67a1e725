// The make-up of names against what the samples lead one to expect: the
// three gaps the judgement bounds, the samples as the templates assemble
// them, and which letters carry an accent.
#include <gtest/gtest.h>

#include "core/Vael.h"
#include "core/analysis/NameShape.h"
#include "core/analysis/TemplateRuns.h"

namespace vael::test {
namespace {

NameShape Counted(const std::vector<std::string>& upperNames) {
  NameDistribution names;
  for (const std::string& name : upperNames) names.Add(name);
  return ShapeOf(names);
}

std::vector<WeightedTemplate> Templates(const std::vector<std::pair<std::string, int>>& texts) {
  std::vector<WeightedTemplate> templates;
  for (const auto& [text, weight] : texts) {
    WeightedTemplate entry;
    entry.runs = TemplateRuns(text);
    entry.weight = weight;
    for (const TemplateRun& run : entry.runs) entry.groups += run.group;
    templates.push_back(entry);
  }
  return templates;
}

TEST(NameShape, GapsInPercentagePoints) {
  const NameShape samples = Counted({"KALA", "MIRA", "TOR", "MARDUK"});  // lengths 4 4 3 6
  EXPECT_DOUBLE_EQ(LengthGap(samples, samples), 0);
  EXPECT_DOUBLE_EQ(InitialGap(samples, samples), 0);
  // Every name one letter longer: the shares up to 3 letters differ by 25,
  // up to 4 by 50 (75 against 25).
  const NameShape longer = Counted({"KALAN", "MIRAN", "TORN", "MARDUKA"});
  EXPECT_DOUBLE_EQ(LengthGap(samples, longer), 50);
  EXPECT_DOUBLE_EQ(LengthGap(longer, samples), 50);
  EXPECT_DOUBLE_EQ(LengthGap(Counted({"AB"}), Counted({"ABCDEFGH"})), 100);
  // M starts half the samples and a quarter of these: a quarter of the
  // names would need another first letter.
  EXPECT_DOUBLE_EQ(InitialGap(samples, Counted({"KALA", "MIRA", "TOR", "TARDUK"})), 25);
  EXPECT_DOUBLE_EQ(InitialGap(Counted({"A"}), Counted({"B"})), 100);
  // Accents: one name in four with two, where the samples have none.
  EXPECT_DOUBLE_EQ(AccentGap(samples, Counted({"K\xC1L\xC1", "MIRA", "TOR", "MARDUK"})), 25);
  EXPECT_DOUBLE_EQ(AccentGap(samples, samples), 0);
  EXPECT_DOUBLE_EQ(samples.MeanLength(), 17.0 / 4);
}

TEST(NameShape, WithoutTemplateLettersTheSamplesAreExpected) {
  // One group per template, as in a chapter whose templates are its
  // samples' shapes: the samples' own make-up, whatever the weights.
  const std::vector<std::string> spellings{"KALA", "MIRA", "\xC9TOR", "MARDUK"};
  const NameShape expected = ExpectedShape(Templates({{"3", 2}, {"5", 1}, {"#", 1}}), spellings);
  const NameShape samples = Counted(spellings);
  EXPECT_DOUBLE_EQ(LengthGap(expected, samples), 0);
  EXPECT_DOUBLE_EQ(InitialGap(expected, samples), 0);
  EXPECT_DOUBLE_EQ(AccentGap(expected, samples), 0);
  EXPECT_DOUBLE_EQ(expected.MeanLength(), samples.MeanLength());
  // Templates that are the samples' shapes keep each part in its place: a
  // droid's code never starts a name. Other weights put any part anywhere.
  const std::vector<std::string> droids{"ARKO-7E", "BIXO-12A", "DAK-2O"};
  NameShape shape = ExpectedShape(Templates({{"3-4", 2}, {"2-4", 1}}), droids);
  EXPECT_DOUBLE_EQ(LengthGap(shape, Counted(droids)), 0);
  EXPECT_EQ(shape.initials.count('7'), 0u);
  shape = ExpectedShape(Templates({{"3-4", 1}, {"2-4", 1}}), droids);
  EXPECT_GT(shape.initials.at('7'), 0);
  EXPECT_TRUE(ExpectedShape(Templates({{"#", 1}}), {}).lengths.empty());
  EXPECT_TRUE(ExpectedShape({}, spellings).lengths.empty());
}

TEST(NameShape, TemplatesAddTheirLettersAndGroups) {
  // Parts of 4 and 6 letters, half each.
  const std::vector<std::string> spellings{"LEOD", "DONALD"};
  // Mac in front, three times in four: 3 letters more and an M.
  NameShape shape = ExpectedShape(Templates({{"Mac_#", 3}, {"#", 1}}), spellings);
  EXPECT_DOUBLE_EQ(shape.MeanLength(), 5 + 0.75 * 3);
  EXPECT_DOUBLE_EQ(shape.lengths.at(7), 0.375);
  EXPECT_DOUBLE_EQ(shape.initials.at('M'), 0.75);
  EXPECT_DOUBLE_EQ(shape.initials.at('L'), 0.125);
  // Two parts and "son": every sum of two part lengths, and 3 letters.
  shape = ExpectedShape(Templates({{"# #son", 1}}), spellings);
  EXPECT_DOUBLE_EQ(shape.lengths.at(11), 0.25);
  EXPECT_DOUBLE_EQ(shape.lengths.at(13), 0.5);
  EXPECT_DOUBLE_EQ(shape.lengths.at(15), 0.25);
  EXPECT_DOUBLE_EQ(shape.MeanLength(), 13);
  // A sample of two words gives two parts; a template's accented letter counts.
  shape = ExpectedShape(Templates({{"#\xE9", 1}}), {"KESH VARROW"});
  EXPECT_DOUBLE_EQ(shape.MeanLength(), 5 + 1);
  EXPECT_DOUBLE_EQ(shape.accents.at(1), 1);
}

TEST(NameShape, TemplateRunsSplitGroupsFromText) {
  auto texts = [](std::string_view text) {
    std::vector<std::string> out;
    for (const TemplateRun& run : TemplateRuns(text)) out.push_back((run.group ? "G:" : "T:") + run.text);
    return out;
  };
  EXPECT_EQ(texts("Mac_#"), (std::vector<std::string>{"T:Mac_", "G:#"}));
  EXPECT_EQ(texts("2|4 al-##"), (std::vector<std::string>{"G:2|4", "T: al-", "G:#", "G:#"}));
  EXPECT_EQ(texts("#3"), (std::vector<std::string>{"G:#", "G:3"}));
  EXPECT_TRUE(texts("").empty());
}

TEST(AccentedLetters, MarkedLettersOnly) {
  for (char c : std::string("\xC9\xE9\xF1\xD8\xF8\x8A\x9A\xC5\xFF\xC7")) {
    EXPECT_TRUE(IsAccentedLetter(c)) << static_cast<int>(static_cast<unsigned char>(c));
  }
  // Plain letters, letters of their own, ligatures, signs.
  for (char c : std::string("AzE\xC6\xE6\xD0\xF0\xDE\xFE\xDF\x8C-' ")) {
    EXPECT_FALSE(IsAccentedLetter(c)) << static_cast<int>(static_cast<unsigned char>(c));
  }
  EXPECT_EQ(AccentedLetterCount("J\xC9R\xD4ME"), 2);
}

}  // namespace
}  // namespace vael::test
