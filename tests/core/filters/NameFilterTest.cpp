// The filters on finished names and the bounded run through them.
#include <gtest/gtest.h>

#include <memory>

#include "core/Vael.h"
#include "support/TestSupport.h"

namespace vael::test {
namespace {

std::shared_ptr<const Chapter> Elves() {
  auto chapter = OpenChapterBytes(
      ChapterText(Draft({"Aranel", "Belegorn", "Celebrian", "Elrond", "Galadriel", "Legolas", "Thranduil",
                         "Arwen", "Elwing", "Earendil", "Finrod", "Fingolfin", "Idril", "Nimrodel"},
                        "STATGEN FIT:2")),
      "elves.vel");
  EXPECT_TRUE(chapter->loaded);
  return chapter;
}

TEST(NameFilter, TextsMatchWithoutRegardToCaseOrAccents) {
  const auto chapter = Elves();
  FilterOptions options;
  options.startsWith = {"e"};
  options.endsWith = {"SS"};
  options.contains = {"ae", "R"};
  options.excludes = {"q"};
  NameFilter filter(*chapter, options, {});
  EXPECT_TRUE(filter.Active());
  EXPECT_TRUE(filter.Passes("\xC9raess"));       // Éraess
  EXPECT_TRUE(filter.Passes("Er\xE6ss"));        // Eræss: æ is a and e
  EXPECT_FALSE(filter.Passes("\xC6rstra\xDF"));  // Ærstraß begins with a
  EXPECT_TRUE(filter.Passes("erAEss"));
  EXPECT_FALSE(filter.Passes("Araess"));    // does not begin with e
  EXPECT_FALSE(filter.Passes("\xC9rass"));  // holds no ae
  EXPECT_FALSE(
      filter.Passes("\xC9"
                    "aess"));                        // holds no r
  EXPECT_FALSE(filter.Passes("\xC9raes"));           // does not end with ss
  EXPECT_FALSE(filter.Passes("\xC9raessa"));         // holds ss, but not at the end
  EXPECT_FALSE(filter.Passes("\xC9raqess"));         // holds q
  EXPECT_TRUE(filter.Passes("\xE9ra\xEBstra\xDF"));  // éraëstraß
}

TEST(NameFilter, LengthsSamplesAndRepeats) {
  const auto chapter = Elves();
  FilterOptions options;
  options.minLength = 4;
  options.maxLength = 6;
  options.unique = true;
  options.noSamples = true;
  NameFilter filter(*chapter, options, {"ARWEN", "Idril"});
  EXPECT_TRUE(filter.Passes("Ka-li"));   // four letters: the hyphen is none
  EXPECT_FALSE(filter.Passes("Ka-li"));  // the second time
  EXPECT_FALSE(filter.Passes("Kal"));
  EXPECT_FALSE(filter.Passes("Kaldoro"));
  EXPECT_FALSE(filter.Passes("Arwen"));
  EXPECT_FALSE(filter.Passes("IDRIL"));
  EXPECT_TRUE(filter.Passes("Arwan"));  // near, but only --novel minds that

  FilterOptions novel;
  novel.novel = true;
  NameFilter copies(*chapter, novel, {"BELEGORN", "GALADRIEL"});
  EXPECT_FALSE(copies.Passes("belegorn"));
  EXPECT_FALSE(copies.Passes("Belegarn"));    // one letter changed in eight
  EXPECT_FALSE(copies.Passes("Galadriell"));  // one added
  EXPECT_TRUE(copies.Passes("Belegarion"));
  EXPECT_TRUE(copies.Passes("Balagorn"));  // two changed in eight
}

TEST(NameFilter, WithoutFiltersEveryNamePasses) {
  const auto chapter = Elves();
  NameFilter filter(*chapter, FilterOptions{}, {});
  EXPECT_FALSE(filter.Active());
  EXPECT_EQ(filter.Impossible(), "");
  EXPECT_TRUE(filter.Passes("Arwen"));
  EXPECT_TRUE(filter.Passes("Arwen"));
}

TEST(FilteredRun, PassedNamesAreTheRunsNamesThatPass) {
  const auto chapter = Elves();
  const GenerationOptions request = RecommendedSetting(*chapter);
  std::vector<std::string> whole;
  Generator(chapter, 5).Generate(request, 4000, [&](std::string_view name) {
    whole.emplace_back(name);
    return true;
  });
  FilterOptions options;
  options.contains = {"a"};
  options.maxLength = 6;
  NameFilter filter(*chapter, options, {});
  std::vector<std::string> expected;
  for (const std::string& name : whole) {
    if (name.find_first_of("aA") != std::string::npos && LetterCount(name) <= 6) expected.push_back(name);
    if (expected.size() == 100) break;
  }
  ASSERT_EQ(expected.size(), 100u);
  Generator generator(chapter, 5);
  std::vector<std::string> passed;
  const FilteredRun run = GenerateFilteredNames(generator, request, 100, filter, [&](std::string_view name) {
    passed.emplace_back(name);
    return true;
  });
  EXPECT_EQ(passed, expected);
  EXPECT_EQ(run.passed, 100);
  EXPECT_EQ(run.tries, std::find(whole.begin(), whole.end(), expected.back()) - whole.begin() + 1);
  EXPECT_FALSE(run.exhausted);
}

TEST(FilteredRun, EndsWhenNoNamePassesForLong) {
  const auto chapter = Elves();
  const GenerationOptions request = RecommendedSetting(*chapter);
  FilterOptions options;
  options.minLength = 200;
  NameFilter filter(*chapter, options, {});
  Generator generator(chapter, 5);
  int printed = 0;
  FilteredRun run = GenerateFilteredNames(generator, request, 5, filter, [&](std::string_view) {
    ++printed;
    return true;
  });
  EXPECT_TRUE(run.exhausted);
  EXPECT_EQ(run.passed, 0);
  EXPECT_EQ(run.tries, kMaxTriesWithoutName);
  EXPECT_EQ(printed, 0);

  // A filter the tables rule out is not tried at all.
  FilterOptions impossible;
  impossible.endsWith = {"q"};
  NameFilter never(*chapter, impossible, {});
  ASSERT_NE(never.Impossible(), "");
  run = GenerateFilteredNames(generator, request, 5, never, [](std::string_view) { return true; });
  EXPECT_TRUE(run.exhausted);
  EXPECT_EQ(run.tries, 0);
}

}  // namespace
}  // namespace vael::test
