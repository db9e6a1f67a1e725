// The generator's filters: the names that pass are those vaelgen prints
// with the same options, seed and filters; bad filters are refused when set
// and leave the generator as it was; a run that can give nothing more ends
// with a code, not a hang.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CapiSupport.h"
#include "vael/vael.h"
#include "vael/vael.hpp"

namespace vael::capitest {
namespace {

vael_filters NoFilters() {
  vael_filters filters{};
  filters.size = sizeof filters;
  return filters;
}

// count names of a generator made with the chapter's options and seed,
// through the filters.
std::vector<std::string> FilteredNames(const vael_chapter* chapter, uint32_t seed, const vael_filters& filters,
                                       int count) {
  std::vector<std::string> names;
  vael_generator* generator = nullptr;
  EXPECT_EQ(vael_generator_new(chapter, nullptr, seed, &generator), VAEL_OK);
  EXPECT_EQ(vael_generator_set_filters(generator, &filters), VAEL_OK) << vael_last_error();
  char buffer[256];
  for (int i = 0; i < count; ++i) {
    if (vael_generator_next(generator, buffer, sizeof buffer, nullptr) != VAEL_OK) break;
    names.push_back(buffer);
  }
  vael_generator_free(generator);
  return names;
}

TEST(CapiFilters, PassTheNamesVaelgenPrints) {
  struct Case {
    const char* chapter;
    std::vector<std::string> flags;
    vael_filters filters;
  };
  vael_filters lengthsAndUnique = NoFilters();
  lengthsAndUnique.unique = 1;
  lengthsAndUnique.min_length = 5;
  lengthsAndUnique.max_length = 7;
  vael_filters texts = NoFilters();
  texts.starts_with = "a";
  texts.excludes = "N";
  vael_filters novelAndClean = NoFilters();
  novelAndClean.novel = 1;
  novelAndClean.clean = 1;
  novelAndClean.contains = "e";
  vael_filters accented = NoFilters();
  accented.contains = "é";  // matches e and é alike
  accented.no_samples = 1;
  const Case cases[] = {
      {"northlands/norse.vel", {"--unique", "--min-length", "5", "--max-length", "7"}, lengthsAndUnique},
      {"elder/woodelves.vel", {"--starts-with", "a", "--excludes", "N"}, texts},
      {"wild/desert.vel", {"--novel", "--clean", "--contains", "e"}, novelAndClean},
      {"elder/woodelves.vel", {"--contains", "é", "--no-samples"}, accented},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chapter);
    ScratchFolder folder;
    const std::string path = folder.Copy(LibraryFile(c.chapter));
    vael_chapter* chapter = Open(path);
    ASSERT_NE(chapter, nullptr);
    std::vector<std::string> arguments = {"--seed", "11", "-n", "40"};
    arguments.insert(arguments.end(), c.flags.begin(), c.flags.end());
    arguments.push_back(path);
    const std::vector<std::string> expected = VaelgenNames(arguments);
    ASSERT_EQ(expected.size(), 40u);
    EXPECT_EQ(FilteredNames(chapter, 11, c.filters, 40), expected);
    vael_chapter_free(chapter);
  }
}

TEST(CapiFilters, BadFiltersAreRefusedAndTheOldOnesKept) {
  ScratchFolder folder;
  const std::string path = folder.Copy(LibraryFile("elder/woodelves.vel"));
  vael_chapter* chapter = Open(path);
  ASSERT_NE(chapter, nullptr);
  vael_generator* generator = nullptr;
  ASSERT_EQ(vael_generator_new(chapter, nullptr, 4, &generator), VAEL_OK);
  vael_filters kept = NoFilters();
  kept.min_length = 8;
  ASSERT_EQ(vael_generator_set_filters(generator, &kept), VAEL_OK);

  struct Bad {
    const char* what;
    vael_filters filters;
    int code;
    const char* says;
  };
  vael_filters wrongSize = NoFilters();
  wrongSize.size = 8;
  vael_filters negative = NoFilters();
  negative.min_length = -1;
  vael_filters notUtf8 = NoFilters();
  notUtf8.contains = "\xC3(";
  vael_filters notInCodePage = NoFilters();
  notInCodePage.starts_with = "Ł";
  vael_filters crossed = NoFilters();
  crossed.min_length = 9;
  crossed.max_length = 3;
  const Bad bads[] = {
      {"size", wrongSize, VAEL_E_ARGUMENT, "sizeof(vael_filters)"},
      {"negative", negative, VAEL_E_ARGUMENT, "min_length"},
      {"not UTF-8", notUtf8, VAEL_E_ARGUMENT, "not UTF-8"},
      {"code page", notInCodePage, VAEL_E_ARGUMENT, "U+0141"},
      {"no name can pass", crossed, VAEL_E_OPTION, "vael_generator_set_filters: "},
  };
  for (const Bad& bad : bads) {
    SCOPED_TRACE(bad.what);
    EXPECT_EQ(vael_generator_set_filters(generator, &bad.filters), bad.code);
    EXPECT_NE(std::string(vael_last_error()).find(bad.says), std::string::npos) << vael_last_error();
  }
  EXPECT_EQ(vael_generator_set_filters(nullptr, &kept), VAEL_E_ARGUMENT);
  // Still the filters set before: no name is shorter than eight letters.
  char buffer[64];
  size_t length = 0;
  for (int i = 0; i < 200; ++i) {
    ASSERT_EQ(vael_generator_next(generator, buffer, sizeof buffer, &length), VAEL_OK);
    EXPECT_GE(length, 8u) << buffer;  // a letter takes a byte or more
  }
  // NULL takes them off.
  ASSERT_EQ(vael_generator_set_filters(generator, nullptr), VAEL_OK);
  bool shorter = false;
  for (int i = 0; i < 200 && !shorter; ++i) {
    ASSERT_EQ(vael_generator_next(generator, buffer, sizeof buffer, &length), VAEL_OK);
    shorter = length < 8;
  }
  EXPECT_TRUE(shorter);
  vael_generator_free(generator);

  // A compiled chapter keeps no sample names to compare with.
  VaelgenNames({"-n", "1", path});  // leaves the compiled chapter beside the text
  vael_chapter* compiled = Open(folder.path().string() + "/woodelves.qch");
  ASSERT_NE(compiled, nullptr);
  ASSERT_EQ(vael_generator_new(compiled, nullptr, 4, &generator), VAEL_OK);
  vael_filters novel = NoFilters();
  novel.novel = 1;
  EXPECT_EQ(vael_generator_set_filters(generator, &novel), VAEL_E_OPTION);
  EXPECT_NE(std::string(vael_last_error()).find("compiled chapter"), std::string::npos);
  vael_generator_free(generator);
  vael_chapter_free(compiled);
  vael_chapter_free(chapter);
}

// A name kept back for want of room comes next only if it passes filters
// set while it waits: the names are those of filters set from the start.
TEST(CapiFilters, ANameKeptBackMeetsFiltersSetMeanwhile) {
  ScratchFolder folder;
  vael_chapter* chapter = Open(folder.Copy(LibraryFile("elder/woodelves.vel")));
  ASSERT_NE(chapter, nullptr);
  vael_generator* generator = nullptr;
  ASSERT_EQ(vael_generator_new(chapter, nullptr, 6, &generator), VAEL_OK);
  char first[64];
  size_t length = 0;
  ASSERT_EQ(vael_generator_next(generator, nullptr, 0, &length), VAEL_E_SPACE);
  ASSERT_EQ(vael_generator_next(generator, first, sizeof first, &length), VAEL_OK);
  // The same again, kept back, then filters it does not pass: names that
  // begin with another initial.
  ASSERT_EQ(vael_generator_restart(generator, 6), VAEL_OK);
  ASSERT_EQ(vael_generator_next(generator, nullptr, 0, &length), VAEL_E_SPACE);
  const std::string initials = vael_chapter_text(chapter, VAEL_TEXT_INITIALS);
  const std::string other(1, initials[0] != first[0] ? initials[0] : initials[1]);
  vael_filters filters = NoFilters();
  filters.starts_with = other.c_str();
  ASSERT_EQ(vael_generator_set_filters(generator, &filters), VAEL_OK) << vael_last_error();
  std::vector<std::string> names;
  char buffer[64];
  for (int i = 0; i < 20; ++i) {
    ASSERT_EQ(vael_generator_next(generator, buffer, sizeof buffer, nullptr), VAEL_OK);
    names.push_back(buffer);
  }
  EXPECT_EQ(names, FilteredNames(chapter, 6, filters, 20));
  vael_generator_free(generator);
  vael_chapter_free(chapter);
}

TEST(CapiFilters, ARunWithNothingLeftToGiveEndsWithACode) {
  // Two short samples give few distinct names: unique runs out of them.
  const char* samples[] = {"Ana", "Bo"};
  vael_chapter* chapter = nullptr;
  ASSERT_EQ(vael_chapter_from_names(samples, 2, "tiny", &chapter), VAEL_OK) << vael_last_error();
  vael_generator* generator = nullptr;
  ASSERT_EQ(vael_generator_new(chapter, nullptr, 1, &generator), VAEL_OK);
  vael_filters unique = NoFilters();
  unique.unique = 1;
  ASSERT_EQ(vael_generator_set_filters(generator, &unique), VAEL_OK);
  std::vector<char> buffer(1 << 16);
  size_t made = 0, length = 0;
  EXPECT_EQ(vael_generator_names(generator, 100000, buffer.data(), buffer.size(), &made, &length),
            VAEL_E_EXHAUSTED);
  EXPECT_GT(made, 0u);  // the names that passed are the caller's
  EXPECT_LT(made, 100000u);
  EXPECT_NE(std::string(vael_last_error()).find("passed the filters"), std::string::npos);
  // A restart forgets the names of the run before: the same ones again.
  std::vector<char> again(buffer.size());
  size_t madeAgain = 0;
  ASSERT_EQ(vael_generator_restart(generator, 1), VAEL_OK);
  EXPECT_EQ(vael_generator_names(generator, made, again.data(), again.size(), &madeAgain, &length), VAEL_OK);
  EXPECT_EQ(madeAgain, made);
  EXPECT_EQ(std::string(again.data(), length), std::string(buffer.data(), length));
  vael_generator_free(generator);
  vael_chapter_free(chapter);
}

TEST(CapiFilters, OptionsChangedOnARunningGenerator) {
  ScratchFolder folder;
  vael_chapter* chapter = Open(folder.Copy(LibraryFile("elder/woodelves.vel")));
  ASSERT_NE(chapter, nullptr);
  vael_generator* reference = nullptr;
  vael_generator* generator = nullptr;
  ASSERT_EQ(vael_generator_new(chapter, nullptr, 9, &reference), VAEL_OK);
  ASSERT_EQ(vael_generator_new(chapter, nullptr, 9, &generator), VAEL_OK);
  vael_options own{};
  own.size = sizeof own;
  ASSERT_EQ(vael_chapter_options(chapter, &own), VAEL_OK);
  char a[128], b[128];
  // The same options again change nothing; a bad one is refused and the run
  // goes on with the options it had.
  const std::string initials = vael_chapter_text(chapter, VAEL_TEXT_INITIALS);
  vael_options unknown = own;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    if (initials.find(letter) == std::string::npos) unknown.initial[0] = letter;
  }
  ASSERT_NE(unknown.initial[0], '\0');
  vael_options outOfRange = own;
  outOfRange.fit = 7;
  for (int i = 0; i < 30; ++i) {
    if (i == 10) {
      EXPECT_EQ(vael_generator_set_options(generator, &own), VAEL_OK);
    }
    if (i == 20) {
      EXPECT_EQ(vael_generator_set_options(generator, &unknown), VAEL_E_OPTION);
      EXPECT_EQ(vael_generator_set_options(generator, &outOfRange), VAEL_E_ARGUMENT);
    }
    ASSERT_EQ(vael_generator_next(reference, a, sizeof a, nullptr), VAEL_OK);
    ASSERT_EQ(vael_generator_next(generator, b, sizeof b, nullptr), VAEL_OK);
    EXPECT_STREQ(a, b);
  }
  // A new initial letter takes effect with the next name.
  vael_options withInitial = own;
  withInitial.initial[0] = initials[0];
  ASSERT_EQ(vael_generator_set_options(generator, &withInitial), VAEL_OK);
  for (int i = 0; i < 20; ++i) {
    ASSERT_EQ(vael_generator_next(generator, b, sizeof b, nullptr), VAEL_OK);
    EXPECT_EQ(b[0], initials[0]) << b;
  }
  vael_generator_free(reference);
  vael_generator_free(generator);
  vael_chapter_free(chapter);
}

TEST(CapiFilters, CleanWordsAndTheWrapper) {
  ScratchFolder folder;
  vael::Chapter chapter(folder.Copy(LibraryFile("wild/desert.vel")));
  vael::Generator plain = chapter.generator(2, {});
  const std::vector<std::string> names = plain.names(300);
  // A word the run makes, listed: it is left out, and so is every name
  // holding it as a word; the rest come as before, in order.
  const std::string word = names[7];
  vael::Generator cleaned = chapter.generator(2, {});
  vael::Filters filters;
  filters.cleanWords = {word};
  cleaned.setFilters(filters);
  std::vector<std::string> expected;
  for (const std::string& name : names) {
    if (name != word) expected.push_back(name);
  }
  EXPECT_EQ(cleaned.names(expected.size()), expected);

  filters = {};
  filters.startsWith = "Ł";
  try {
    cleaned.setFilters(filters);
    ADD_FAILURE() << "a letter no name can hold was taken";
  } catch (const vael::Error& error) {
    EXPECT_EQ(error.code(), VAEL_E_ARGUMENT);
  }
}

}  // namespace
}  // namespace vael::capitest
