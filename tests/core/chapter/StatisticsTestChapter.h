#pragma once
// Hand-built analyses for the statistics and compiled chapter tests: name
// parts given as their element texts, entered into a chapter the way the
// name analysis enters them.

#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/Vael.h"

namespace vael::test {

// Code of an element text, appending it to the chapter's element lists when
// new. A text starting with a vowel is a vowel element.
inline int ElementCode(TVaelChapter& chapter, const std::string& text) {
  bool vowel = IsVowel(text.front());
  auto& list = vowel ? chapter.vowelElements : chapter.consonantElements;
  auto& count = vowel ? chapter.vowelElementCount : chapter.consonantElementCount;
  int index = 0;
  while (index < count && list[index] != text) ++index;
  if (index == count) {
    list.push_back(text);
    ++count;
  }
  return vowel ? index : 100 + index;
}

// One name part, e.g. Part(chapter, {"TH", "O", "R"}).
inline Structure Part(TVaelChapter& chapter, std::initializer_list<std::string> elements) {
  Structure structure;
  structure.fill(-1);
  int n = 0;
  for (const auto& text : elements) structure[n++] = ElementCode(chapter, text);
  if (n > chapter.maxElements) chapter.maxElements = n;
  return structure;
}

// A cleared chapter for nameCount names, ready for Part() and the builders.
inline void StartAnalysis(TVaelChapter& chapter, int nameCount) {
  chapter.nameCount = nameCount;
  chapter.pairCapacity = nameCount * 3 < 256 ? 256 : nameCount * 3;
  ClearStatistics(chapter);
}

// What a compiled chapter cannot carry and the comparison must forgive.
struct Differences {
  bool hyphenLetter = false;    // name letter 127 of the repeat and share tables
  bool heavyTemplates = false;  // template weights of 256 or more keep 8 bits
};

// Every field a load fills, compared one by one so a failure names the field.
inline void ExpectSameTables(const TVaelChapter& a, const TVaelChapter& b,
                             Differences allowed = {}) {
  EXPECT_EQ(a.title, b.title);
  EXPECT_EQ(a.line1, b.line1);
  EXPECT_EQ(a.line2, b.line2);
  EXPECT_EQ(a.author, b.author);
  EXPECT_EQ(a.topic, b.topic);
  EXPECT_EQ(a.structGen, b.structGen);
  EXPECT_EQ(a.statGen, b.statGen);
  EXPECT_EQ(a.shuffle, b.shuffle);
  EXPECT_EQ(a.prefixOption, b.prefixOption);
  EXPECT_EQ(a.suffixOption, b.suffixOption);
  EXPECT_EQ(a.fitLevel, b.fitLevel);
  EXPECT_EQ(a.valLevel, b.valLevel);
  EXPECT_EQ(a.punctLevel, b.punctLevel);
  EXPECT_EQ(a.yMode, b.yMode);
  EXPECT_EQ(a.uMode, b.uMode);
  EXPECT_EQ(a.initialLetters, b.initialLetters);
  EXPECT_EQ(a.nameCount, b.nameCount);
  EXPECT_EQ(a.pairCapacity, b.pairCapacity);
  EXPECT_EQ(a.maxElements, b.maxElements);
  EXPECT_EQ(a.templateCount, b.templateCount);
  EXPECT_EQ(a.templates, b.templates);
  ASSERT_EQ(a.templateWeights.size(), b.templateWeights.size());
  for (std::size_t t = 0; t < a.templateWeights.size(); ++t) {
    if (allowed.heavyTemplates && a.templateWeights[t] >= 256) {
      EXPECT_EQ(b.templateWeights[t] % 256, a.templateWeights[t] % 256) << "template " << t;
    } else {
      EXPECT_EQ(a.templateWeights[t], b.templateWeights[t]) << "template " << t;
    }
  }
  EXPECT_EQ(a.specialConsonantCount, b.specialConsonantCount);
  EXPECT_EQ(a.specialConsonants, b.specialConsonants);
  EXPECT_EQ(a.vowelElementCount, b.vowelElementCount);
  EXPECT_EQ(a.vowelElements, b.vowelElements);
  EXPECT_EQ(a.consonantElementCount, b.consonantElementCount);
  EXPECT_EQ(a.consonantElements, b.consonantElements);
  for (int l = 0; l < kLetterTableSize; ++l) {
    if (allowed.hyphenLetter && l == kHyphenLetterIndex) continue;
    EXPECT_EQ(a.minRepeatDistance[l], b.minRepeatDistance[l]) << "letter " << l;
    EXPECT_EQ(a.maxLetterPercent[l], b.maxLetterPercent[l]) << "letter " << l;
  }
  EXPECT_EQ(a.startPairCount, b.startPairCount);
  EXPECT_EQ(a.startPairs, b.startPairs);
  EXPECT_EQ(a.startPairWeights, b.startPairWeights);
  EXPECT_EQ(a.endPairCount, b.endPairCount);
  EXPECT_EQ(a.endPairs, b.endPairs);
  EXPECT_EQ(a.endPairWeights, b.endPairWeights);
  EXPECT_TRUE(a.endPairBefore1 == b.endPairBefore1) << "endPairBefore1";
  EXPECT_TRUE(a.endPairBefore2 == b.endPairBefore2) << "endPairBefore2";
  EXPECT_TRUE(a.vowelAfterConsonant == b.vowelAfterConsonant) << "vowelAfterConsonant";
  EXPECT_TRUE(a.consonantAfterVowel == b.consonantAfterVowel) << "consonantAfterVowel";
  EXPECT_TRUE(a.consonantAcrossVowel == b.consonantAcrossVowel) << "consonantAcrossVowel";
  EXPECT_TRUE(a.vowelAcrossConsonant == b.vowelAcrossConsonant) << "vowelAcrossConsonant";
  EXPECT_EQ(a.structureTypeCounts, b.structureTypeCounts);
  EXPECT_EQ(a.structureVariantCounts, b.structureVariantCounts);
  EXPECT_EQ(a.structureVariants, b.structureVariants);
  EXPECT_EQ(a.structureVariantWeights, b.structureVariantWeights);
  EXPECT_TRUE(a.vowelPositionCounts == b.vowelPositionCounts) << "vowelPositionCounts";
  EXPECT_TRUE(a.consonantPositionCounts == b.consonantPositionCounts)
      << "consonantPositionCounts";
}

}  // namespace vael::test
