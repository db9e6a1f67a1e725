// Which letters a chapter's names can begin with, hold and end with: never
// fewer than its names have, on every library chapter under many requests,
// and few enough to refuse at once what no name can be.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "core/Vael.h"
#include "support/TestSupport.h"

namespace vael::test {
namespace {

namespace fs = std::filesystem;

std::shared_ptr<const Chapter> Load(const ChapterDraft& draft) {
  std::shared_ptr<const Chapter> chapter = OpenChapterBytes(ChapterText(draft), "test.vel");
  EXPECT_TRUE(chapter->loaded) << chapter->errorText;
  return chapter;
}

std::string Impossible(const ChapterTables& chapter, const FilterOptions& options) {
  return ImpossibleFilters(chapter, options, '*');
}

FilterOptions Ending(std::string text) {
  FilterOptions options;
  options.endsWith = {std::move(text)};
  return options;
}

FilterOptions Starting(std::string text) {
  FilterOptions options;
  options.startsWith = {std::move(text)};
  return options;
}

FilterOptions Holding(std::string text) {
  FilterOptions options;
  options.contains = {std::move(text)};
  return options;
}

// Every library chapter (the compiled-only one too), at its recommended
// options, with fit, pairs and structure at both ends, and with initial
// letters: each name's first, last and every letter is one the tables
// allow. A letter missing from the sets would make vaelgen refuse a filter
// that names can meet.
TEST(ReachableLetters, NoLibraryNameHasALetterTheTablesRuleOut) {
  int chapters = 0;
  for (const auto& entry : fs::recursive_directory_iterator(VAEL_LIBRARY_DIR)) {
    const fs::path path = entry.path();
    if (path.extension() != ".vel" &&
        !(path.extension() == ".qch" && !fs::exists(fs::path(path).replace_extension(".vel")))) {
      continue;
    }
    SCOPED_TRACE(path.string());
    const std::shared_ptr<const Chapter> chapter = OpenChapter(path.string(), LoadOptions{});
    ASSERT_TRUE(chapter->loaded) << chapter->errorText;
    ++chapters;
    std::vector<GenerationOptions> requests(3, RecommendedSetting(*chapter));
    requests[1].fit = 0;
    requests[1].prefixes = requests[1].suffixes = requests[1].structural = false;
    requests[2].fit = 3;
    requests[2].prefixes = requests[2].suffixes = requests[2].structural = true;
    for (std::size_t i = 0; i < chapter->initialLetters.size() && i < 4; ++i) {
      requests.push_back(RecommendedSetting(*chapter));
      requests.back().initialLetter = chapter->initialLetters[i];
    }
    for (const GenerationOptions& request : requests) {
      const ReachableLetters letters = LettersOfNames(*chapter);
      Generator generator(chapter, 11);
      std::string wrong;
      generator.Generate(request, 1500, [&](std::string_view name) {
        const FoldedText folded = Folded(name);
        bool sound =
            !folded.empty() && letters.first.test(folded.front()) && letters.last.test(folded.back());
        for (std::uint16_t weight : folded) sound = sound && letters.anywhere.test(weight);
        if (!sound) wrong = name;
        return sound;
      });
      EXPECT_EQ(wrong, "") << "initial " << request.initialLetter << ", fit " << request.fit;
    }
  }
  EXPECT_GE(chapters, 20);
}

TEST(ReachableLetters, WhatNoLetterGroupCanBeIsRefused) {
  // Names that end with vowels; K and T begin them, M and R stand inside.
  // (The first initial, T, is the name the generator falls back on when
  // its tables can make nothing: never refused.)
  const auto chapter = Load(Draft({"Tiko", "Kala", "Kemi", "Tana", "Kumi", "Tora"}, "STATGEN FIT:1"));
  EXPECT_EQ(Impossible(*chapter, Ending("k")),
            "no name of this chapter can end with \"k\": no letter group that ends a sample name or its "
            "parts, and no template, ends with it");
  EXPECT_EQ(Impossible(*chapter, Starting("M")),
            "no name of this chapter can begin with \"M\": no letter group that begins a sample name or "
            "its parts, and no template, begins with it");
  EXPECT_EQ(Impossible(*chapter, Holding("kax")),
            "no name of this chapter can hold \"x\": no letter group of its samples and no template has it");
  // Case and accents are no letters of their own.
  EXPECT_EQ(Impossible(*chapter, Ending("\xC1")), "");     // Á
  EXPECT_EQ(Impossible(*chapter, Starting("t\xCF")), "");  // tÏ
  EXPECT_EQ(Impossible(*chapter, Holding("MOR")), "");
  EXPECT_EQ(Impossible(*chapter, Ending("T")), "");  // the fallback name T
  // Only the text filters are measured against the tables.
  FilterOptions others;
  others.excludes = {"x"};
  others.unique = true;
  others.minLength = 200;
  EXPECT_EQ(Impossible(*chapter, others), "");
}

TEST(ReachableLetters, TemplatesSpecialConsonantsAndHarmonyAddLetters) {
  // A template's own letters may stand anywhere: "-son" ends names in N.
  const auto sons = Load(Draft({"Tiko", "Kala", "Tana", "Kumi"}, "STATGEN FIT:1", {"TEMPLATES \"#-son\";"}));
  EXPECT_EQ(Impossible(*sons, Ending("son")), "");
  EXPECT_EQ(Impossible(*sons, Holding("-")), "");
  EXPECT_NE(Impossible(*sons, Ending("k")), "");

  // A special consonant is spelled out: its H is a letter of the names.
  const auto special = Load(Draft({"Atha", "Otho", "Itha", "Etho"}, "STATGEN FIT:1", {"SPCCON \"TH\";"}));
  EXPECT_EQ(Impossible(*special, Holding("h")), "");
  EXPECT_NE(Impossible(*special, Starting("h")), "");

  // Harmony turns U into Y after a front vowel.
  const std::vector<std::string> names = {"\xC4lu", "Kalu", "Tolu", "M\xE4ru"};
  EXPECT_NE(Impossible(*Load(Draft(names, "STATGEN FIT:1")), Ending("y")), "");
  EXPECT_EQ(Impossible(*Load(Draft(names, "PUNCT:4 STATGEN FIT:1")), Ending("y")), "");
}

TEST(ReachableLetters, FiltersThatContradictEachOther) {
  const auto chapter = Load(Draft({"Kala", "Kolo", "Tana", "Kumi"}, "STATGEN FIT:1"));
  FilterOptions options;
  options.startsWith = {"ka", "K\xC1L"};  // one begins the other, accents aside
  options.endsWith = {"na", "A"};
  EXPECT_EQ(Impossible(*chapter, options), "");
  options.startsWith.push_back("ko");
  EXPECT_EQ(Impossible(*chapter, options), "no name can begin with both \"ka\" and \"ko\"");
  options.startsWith = {"ka"};
  options.endsWith.push_back("la");
  EXPECT_EQ(Impossible(*chapter, options), "no name can end with both \"na\" and \"la\"");
  options.endsWith = {"a"};
  options.excludes = {"A"};
  EXPECT_EQ(Impossible(*chapter, options),
            "every name asked for holds \"ka\", and so \"A\", which is left out");
  FilterOptions lengths;
  lengths.minLength = 7;
  lengths.maxLength = 6;
  EXPECT_EQ(Impossible(*chapter, lengths), "no name can have at least 7 letters and at most 6");
}

}  // namespace
}  // namespace vael::test
