#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/Vael.h"
#include "core/chapter/NameAnalysis.h"

namespace vael {
namespace {

class AnalysisTest : public ::testing::Test {
 protected:
  std::string Code(std::string_view name) { return CodeName(name, *chapter_); }

  // Cuts one coded name; the structures' codes, or the failure text.
  std::string Cut(const std::vector<std::string>& coded) {
    cut_ = CutNames();
    return CutIntoElements(coded, *chapter_, cut_);
  }

  std::unique_ptr<TVaelChapter> chapter_ = std::make_unique<TVaelChapter>();
  CutNames cut_;
};

TEST_F(AnalysisTest, SoftConsonants) {
  EXPECT_EQ(Code("THORIN"), "THORIN");
  chapter_->softConsonants = true;
  EXPECT_EQ(Code("THORIN"), "tORIN");
  EXPECT_EQ(Code("ASHCH\xC7H"), "Asc\xE7");  // accented consonants have small partners
  EXPECT_EQ(Code("AH"), "AH");                // a vowel before H stays
  EXPECT_EQ(Code("TH"), "t");
  EXPECT_EQ(Code("AT"), "AT");
  EXPECT_EQ(Code("HHA"), "hA");
  // Letters without a small form cannot be coded soft: the H stays.
  EXPECT_EQ(Code("A\xDFHA"), "A\xDFHA");
  EXPECT_EQ(Code("A7HA"), "A7HA");
}

TEST_F(AnalysisTest, YModes) {
  EXPECT_EQ(Code("MAYA"), "MAYA");
  chapter_->yMode = 1;
  EXPECT_EQ(Code("MAYA TYR Y"), "MAyA TyR y");
  chapter_->yMode = 2;
  EXPECT_EQ(Code("MAYA"), "MAyA");
  EXPECT_EQ(Code("TYR"), "TYR");
  EXPECT_EQ(Code("KAY"), "KAY");
  EXPECT_EQ(Code("YYA"), "yyA");     // a following Y counts as a vowel
  EXPECT_EQ(Code("AY'A"), "Ay'A");   // so does the apostrophe
  EXPECT_EQ(Code("AY A"), "AY A");
}

TEST_F(AnalysisTest, QuAsAConsonant) {
  chapter_->uMode = 2;
  EXPECT_EQ(Code("QUA"), "QuA");
  EXPECT_EQ(Code("QU"), "QU");
  EXPECT_EQ(Code("QUR"), "QUR");
  EXPECT_EQ(Code("AQUIQUE"), "AQuIQuE");
  EXPECT_EQ(Code("QUY"), "QuY");
  chapter_->uMode = 0;
  EXPECT_EQ(Code("QUA"), "QUA");
}

TEST_F(AnalysisTest, SpecialConsonants) {
  chapter_->specialConsonants[0] = "SH";
  chapter_->specialConsonants[1] = "TH";
  chapter_->specialConsonantCount = 2;
  EXPECT_EQ(Code("ASHTHA"), "A01A");
  EXPECT_EQ(Code("SHASH"), "0A0");
  // Only at consonants, lowest number first, case-sensitive.
  chapter_->specialConsonants[0] = "S";
  EXPECT_EQ(Code("ASH"), "A0H");
  chapter_->specialConsonants[0] = "sh";
  EXPECT_EQ(Code("ASH"), "ASH");
  // With SOFT, a spelling of consonant and H was taken by the soft consonant.
  chapter_->specialConsonants[0] = "SH";
  chapter_->softConsonants = true;
  EXPECT_EQ(Code("ASHA"), "AsA");
  // A special made of consonant codes matches the coded name.
  chapter_->specialConsonants[0] = "st";
  EXPECT_EQ(Code("ASHTHA"), "A0A");
  EXPECT_EQ(Code("ASTHA"), "AStA");
}

TEST_F(AnalysisTest, ElementsAndStructureTypes) {
  ASSERT_EQ(Cut({"ELDA MOR", "ELDA-MOR", "D'ARC"}), "");
  EXPECT_EQ(chapter_->vowelElements, (std::vector<std::string>{"E", "A", "O", "'A"}));
  EXPECT_EQ(chapter_->consonantElements, (std::vector<std::string>{"LD", "M", "R", "D", "RC"}));
  EXPECT_EQ(cut_.shapes, (std::vector<std::string>{"3 2", "3-2", "2"}));
  ASSERT_EQ(cut_.structures.size(), 5u);
  EXPECT_EQ(cut_.structures[0][0], 0);
  EXPECT_EQ(cut_.structures[0][1], 100);
  EXPECT_EQ(cut_.structures[0][2], 1);
  EXPECT_EQ(cut_.structures[0][3], -1);
  EXPECT_EQ(cut_.structures[4][1], 3);  // 'A
  EXPECT_EQ(chapter_->maxElements, 3);
  EXPECT_EQ(StructureType(2, 100), 0);
  EXPECT_EQ(StructureType(2, 0), 1);
  EXPECT_EQ(StructureType(3, 101), 2);
  EXPECT_EQ(StructureType(31, 0), 59);
}

TEST_F(AnalysisTest, MultiVowels) {
  chapter_->multiVowels = true;
  ASSERT_EQ(Cut({"ALAN", "ALAI", "BA-A"}), "");
  EXPECT_EQ(chapter_->vowelElements, (std::vector<std::string>{"ALA", "A", "AI", "A-A"}));
  EXPECT_EQ(chapter_->consonantElements, (std::vector<std::string>{"N", "L", "B"}));
  // The separator swallowed by A-A leaves one part.
  EXPECT_EQ(cut_.shapes[2], "0");

  chapter_ = std::make_unique<TVaelChapter>();
  ASSERT_EQ(Cut({"ALAN"}), "");
  EXPECT_EQ(chapter_->vowelElements, (std::vector<std::string>{"A"}));
  EXPECT_EQ(cut_.structures[0][3], 101);
}

TEST_F(AnalysisTest, PartsNeedTwoToThirtyOneElements) {
  EXPECT_EQ(Cut({"ABA", ""}), "Too few elements in name #2 ()");
  EXPECT_EQ(Cut({"AB-"}), "Too few elements in name #1 (AB-)");
  EXPECT_EQ(Cut({"AB -"}), "Too few elements in name #1 (AB -)");
  EXPECT_EQ(Cut({"-AB"}), "Too few elements in name #1 (-AB)");
  EXPECT_EQ(Cut({"A"}), "Too few elements in name #1 (A)");
  EXPECT_EQ(Cut({"AB O"}), "Too few elements in name #1 (AB O)");
  std::string part;
  for (int i = 0; i < 31; ++i) part += i % 2 ? "A" : "B";
  chapter_ = std::make_unique<TVaelChapter>();
  EXPECT_EQ(Cut({part}), "");
  EXPECT_EQ(chapter_->maxElements, 31);
  EXPECT_EQ(cut_.structures[0][31], -1);
  EXPECT_EQ(Cut({"AB", part + "A"}), "Too many elements in name #2 (" + part + "A)");
}

TEST_F(AnalysisTest, ElementTablesHaveTheirLimits) {
  std::vector<std::string> names;
  const std::string v = "AEIOU\xC4\xCB\xCF\xD6\xDC";
  for (char a : v)
    for (char b : v) names.push_back(std::string("B") + a + b);  // 100 distinct pairs
  names.resize(98);
  EXPECT_EQ(Cut(names), "");
  EXPECT_EQ(chapter_->vowelElementCount, 98);
  names.push_back("BA");  // the 99th, a new single vowel: still fits
  chapter_ = std::make_unique<TVaelChapter>();
  EXPECT_EQ(Cut(names), "");
  EXPECT_EQ(chapter_->vowelElementCount, 99);
  names.push_back("BE");
  chapter_ = std::make_unique<TVaelChapter>();
  EXPECT_EQ(Cut(names), "Too many different elements");
  EXPECT_EQ(chapter_->vowelElementCount, 99);
  EXPECT_EQ(static_cast<int>(chapter_->vowelElements.size()), 99);
}

TEST_F(AnalysisTest, UppercasingCheckingAndInitials) {
  std::vector<std::string> upper;
  ASSERT_EQ(UppercaseNames({"\xEBla", "ana", "b\xDF" "9 o-'a", "Ole"}, upper, *chapter_), "");
  EXPECT_EQ(upper, (std::vector<std::string>{"\xCBLA", "ANA", "B\xDF" "9 O-'A", "OLE"}));
  EXPECT_EQ(chapter_->initialLetters, "\xCB" "AB" "O");
  EXPECT_EQ(UppercaseNames({"ana", "bo!", "x?"}, upper, *chapter_),
            "Invalid character in name #2 (BO!)");
  EXPECT_EQ(UppercaseNames({"a\tb"}, upper, *chapter_), "Invalid character in name #1 (A\tB)");
  EXPECT_EQ(UppercaseNames({std::string("a\0b", 3)}, upper, *chapter_).substr(0, 30),
            "Invalid character in name #1 (");
}

TEST_F(AnalysisTest, TemplatesFromShapes) {
  chapter_->templates = {"*"};
  chapter_->templateWeights = {1};
  chapter_->templateCount = 1;
  ASSERT_EQ(DeriveTemplates({"4", "3 2", "4", "3-2"}, *chapter_), "");
  EXPECT_EQ(chapter_->templates, (std::vector<std::string>{"4", "3 2", "3-2"}));
  EXPECT_EQ(chapter_->templateWeights, (std::vector<int>{2, 1, 1}));
  // Explicit templates stay as they are.
  ASSERT_EQ(DeriveTemplates({"0"}, *chapter_), "");
  EXPECT_EQ(chapter_->templateCount, 3);

  std::vector<std::string> shapes;
  for (int i = 0; i < 257; ++i) shapes.push_back(std::to_string(i));
  chapter_->templates = {"*"};
  chapter_->templateWeights = {1};
  chapter_->templateCount = 1;
  EXPECT_EQ(DeriveTemplates(shapes, *chapter_), "Too many templates");
  EXPECT_EQ(chapter_->templateCount, 256);
}

}  // namespace
}  // namespace vael
