// The C interface held to vaelgen, and to its own promises: every bad input
// a code and a message, names that survive a small buffer, chapters shared
// by threads, loads that write nothing.

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "CapiSupport.h"
#include "vael/vael.h"

namespace vael::capitest {
namespace {

// One option set, given to vaelgen as arguments and to the interface as
// vael_options; unset fields are the chapter's own.
struct OptionSet {
  std::optional<int> fit, statistical, structural, prefixes, suffixes, val;
  std::string initial;

  std::vector<std::string> Arguments() const {
    std::vector<std::string> arguments;
    if (fit) arguments.insert(arguments.end(), {"--fit", std::to_string(*fit)});
    if (val) arguments.insert(arguments.end(), {"--val", std::to_string(*val)});
    const std::pair<const std::optional<int>*, std::string> switches[] = {
        {&statistical, "statistical"},
        {&structural, "structural"},
        {&prefixes, "prefixes"},
        {&suffixes, "suffixes"}};
    for (const auto& [value, name] : switches) {
      if (*value) arguments.push_back((**value ? "--" : "--no-") + name);
    }
    if (!initial.empty()) arguments.insert(arguments.end(), {"-i", initial});
    return arguments;
  }

  // The fields not set are the chapter's own.
  vael_options For() const {
    vael_options options{};
    options.size = sizeof options;
    options.fit = fit.value_or(VAEL_OWN);
    options.statistical = statistical.value_or(VAEL_OWN);
    options.structural = structural.value_or(VAEL_OWN);
    options.prefixes = prefixes.value_or(VAEL_OWN);
    options.suffixes = suffixes.value_or(VAEL_OWN);
    options.val = val.value_or(VAEL_OWN);
    std::strncpy(options.initial, initial.c_str(), sizeof options.initial - 1);
    return options;
  }
};

std::string Next(vael_generator* generator) {
  char buffer[256];
  size_t length = 0;
  EXPECT_EQ(vael_generator_next(generator, buffer, sizeof buffer, &length), VAEL_OK)
      << vael_last_error();
  EXPECT_EQ(length, std::strlen(buffer));
  return buffer;
}

std::vector<std::string> NamesOneByOne(const vael_chapter* chapter, const vael_options* options,
                                       uint32_t seed, int count) {
  vael_generator* generator = nullptr;
  EXPECT_EQ(vael_generator_new(chapter, options, seed, &generator), VAEL_OK) << vael_last_error();
  std::vector<std::string> names;
  for (int i = 0; i < count && generator != nullptr; ++i) names.push_back(Next(generator));
  vael_generator_free(generator);
  return names;
}

// Many names in one call, through a buffer small enough that the calls
// stop early over and over.
std::vector<std::string> NamesInBatches(const vael_chapter* chapter, const vael_options* options,
                                        uint32_t seed, std::size_t count) {
  vael_generator* generator = nullptr;
  EXPECT_EQ(vael_generator_new(chapter, options, seed, &generator), VAEL_OK);
  std::vector<std::string> names;
  char buffer[100];
  while (names.size() < count) {
    size_t made = 0, length = 0;
    EXPECT_EQ(vael_generator_names(generator, count - names.size(), buffer, sizeof buffer, &made,
                                   &length),
              VAEL_OK);
    EXPECT_GT(made, 0u);
    if (made == 0) break;
    for (std::size_t at = 0; at < length; at += std::strlen(buffer + at) + 1)
      names.push_back(buffer + at);
  }
  vael_generator_free(generator);
  return names;
}

// Three kinds of chapter (a text chapter, a compiled one, a plain list)
// under option sets that reach every switch, the fit levels, the screening
// level and an initial letter.
TEST(CapiInterface, TheNamesVaelgenPrints) {
  ScratchFolder folder;
  const std::string chapters[] = {folder.Copy(LibraryFile("elder/woodelves.vel")),
                                  folder.Copy(LibraryFile("faecourt.qch")),
                                  folder.Copy(TestDataFile("villages40.txt"))};
  const OptionSet sets[] = {{},
                            {3, 0, 1, std::nullopt, std::nullopt, std::nullopt, ""},
                            {0, 1, 1, 1, 1, 4, ""},
                            {2, 1, 0, 0, 1, std::nullopt, "b"},
                            {1, std::nullopt, std::nullopt, std::nullopt, std::nullopt, 0, "*"}};
  const uint32_t seed = 4711;
  for (const std::string& path : chapters) {
    vael_chapter* chapter = Open(path);
    ASSERT_NE(chapter, nullptr);
    for (const OptionSet& set : sets) {
      std::vector<std::string> arguments = set.Arguments();
      OptionSet asked = set;
      if (!asked.initial.empty() && asked.initial != "*") {
        // A letter this chapter's samples begin with.
        asked.initial = std::string(1, vael_chapter_text(chapter, VAEL_TEXT_INITIALS)[1]);
        arguments.back() = asked.initial;
      }
      arguments.insert(arguments.end(), {"-n", "300", "--seed", std::to_string(seed), path});
      const std::vector<std::string> expected = VaelgenNames(arguments);
      ASSERT_EQ(expected.size(), 300u) << path;
      const vael_options options = asked.For();
      SCOPED_TRACE(path + " with vaelgen " + testing::PrintToString(arguments));
      EXPECT_EQ(NamesOneByOne(chapter, &options, seed, 300), expected);
      EXPECT_EQ(NamesInBatches(chapter, &options, seed, 300), expected);
      if (set.Arguments().empty()) {
        EXPECT_EQ(NamesOneByOne(chapter, nullptr, seed, 300), expected);
        // The chapter's own options, spelt out, are what it takes for none.
        vael_options own{};
        own.size = sizeof own;
        ASSERT_EQ(vael_chapter_options(chapter, &own), VAEL_OK);
        vael_options resolved = options;
        ASSERT_EQ(vael_options_resolve(chapter, &resolved), VAEL_OK);
        EXPECT_EQ(std::memcmp(&own, &resolved, sizeof own), 0);
        EXPECT_EQ(NamesOneByOne(chapter, &own, seed, 300), expected);
      }
    }
    vael_chapter_free(chapter);
  }
}

TEST(CapiInterface, BadInputIsACodeAndAMessage) {
  ScratchFolder folder;
  vael_chapter* chapter = Open(folder.Copy(LibraryFile("elder/woodelves.vel")));
  ASSERT_NE(chapter, nullptr);
  vael_generator* generator = nullptr;
  ASSERT_EQ(vael_generator_new(chapter, nullptr, 1, &generator), VAEL_OK);
  vael_options good{};
  good.size = sizeof good;
  ASSERT_EQ(vael_chapter_options(chapter, &good), VAEL_OK);
  char buffer[64];
  size_t length = 0, made = 0;
  vael_chapter* none = nullptr;
  vael_generator* noGenerator = nullptr;

  struct Case {
    const char* what;
    std::function<int()> call;
    int expected;
    const char* message;  // a part of vael_last_error()
  };
  auto options = [&](auto change) {
    vael_options changed = good;
    change(changed);
    vael_generator* made = nullptr;
    const int code = vael_generator_new(chapter, &changed, 1, &made);
    EXPECT_EQ(made, nullptr);
    return code;
  };
  const std::string damaged = "TITLE \"Broken\"; NAMES \"ABBA\" \"ALVA\"";
  const std::string compiledHead("\0\x01\x05Vael 3.0", 11);
  const char* namesWithNull[] = {"Ashby", nullptr};
  const char* namesWithBreak[] = {"Ashby", "Brock\nton"};
  // A name that is not UTF-8 among valid ones: refused, rather than every
  // name read as the code page and the first one's "É" taken as two letters.
  const char* namesNotUtf8[] = {"\xC3\x89mile", "Bastien", "Corentin", "Ren\xE9"};
  const Case cases[] = {
      {"open: null path", [&] { return vael_chapter_open(nullptr, &none); }, VAEL_E_ARGUMENT,
       "path is NULL"},
      {"open: null out", [&] { return vael_chapter_open("x.vel", nullptr); }, VAEL_E_ARGUMENT,
       "out is NULL"},
      {"open: no such file",
       [&] { return vael_chapter_open((folder.path() / "none.vel").c_str(), &none); }, VAEL_E_LOAD,
       "none.vel: no such file"},
      {"open: a folder", [&] { return vael_chapter_open(folder.path().c_str(), &none); },
       VAEL_E_LOAD, "is a folder"},
      {"open: damaged chapter",
       [&] { return vael_chapter_open(folder.Write("broken.vel", damaged).c_str(), &none); },
       VAEL_E_LOAD, "broken.vel: "},
      {"memory: damaged compiled chapter",
       [&] {
         return vael_chapter_from_memory(compiledHead.data(), compiledHead.size(), "x.qch", &none);
       },
       VAEL_E_LOAD, "x.qch: "},
      {"memory: null bytes", [&] { return vael_chapter_from_memory(nullptr, 5, "x.vel", &none); },
       VAEL_E_ARGUMENT, "bytes is NULL"},
      {"memory: null name", [&] { return vael_chapter_from_memory("x", 1, nullptr, &none); },
       VAEL_E_ARGUMENT, "file_name is NULL"},
      {"memory: empty", [&] { return vael_chapter_from_memory(nullptr, 0, "x.vel", &none); },
       VAEL_E_LOAD, "x.vel"},
      {"names: a null name",
       [&] { return vael_chapter_from_names(namesWithNull, 2, nullptr, &none); }, VAEL_E_ARGUMENT,
       "names[1] is NULL"},
      {"names: a line break",
       [&] { return vael_chapter_from_names(namesWithBreak, 2, nullptr, &none); }, VAEL_E_ARGUMENT,
       "line break"},
      {"names: not UTF-8",
       [&] { return vael_chapter_from_names(namesNotUtf8, 4, nullptr, &none); }, VAEL_E_ARGUMENT,
       "names[3] is not UTF-8 text"},
      {"names: too few", [&] { return vael_chapter_from_names(namesWithBreak, 1, nullptr, &none); },
       VAEL_E_LOAD, ""},
      {"resolve: null options", [&] { return vael_options_resolve(chapter, nullptr); },
       VAEL_E_ARGUMENT, "options is NULL"},
      {"resolve: val 12",
       [&] {
         vael_options o = good;
         o.val = 12;
         return vael_options_resolve(chapter, &o);
       },
       VAEL_E_ARGUMENT, "options.val is 12"},
      {"chapter options: null chapter", [&] { return vael_chapter_options(nullptr, &good); },
       VAEL_E_ARGUMENT, "chapter is NULL"},
      {"new: null chapter", [&] { return vael_generator_new(nullptr, nullptr, 1, &noGenerator); },
       VAEL_E_ARGUMENT, "chapter is NULL"},
      {"new: null out", [&] { return vael_generator_new(chapter, nullptr, 1, nullptr); },
       VAEL_E_ARGUMENT, "out is NULL"},
      {"new: size 0", [&] { return options([](vael_options& o) { o.size = 0; }); }, VAEL_E_ARGUMENT,
       "set it to sizeof(vael_options)"},
      {"new: a larger size", [&] { return options([](vael_options& o) { o.size += 4; }); },
       VAEL_E_ARGUMENT, "size"},
      {"new: fit 4", [&] { return options([](vael_options& o) { o.fit = 4; }); }, VAEL_E_ARGUMENT,
       "options.fit is 4; it takes 0 to 3"},
      {"new: fit -2", [&] { return options([](vael_options& o) { o.fit = -2; }); }, VAEL_E_ARGUMENT,
       "fit"},
      {"new: switch 2", [&] { return options([](vael_options& o) { o.suffixes = 2; }); },
       VAEL_E_ARGUMENT, "options.suffixes is 2"},
      {"new: val 10", [&] { return options([](vael_options& o) { o.val = 10; }); }, VAEL_E_ARGUMENT,
       "options.val"},
      {"new: initial no sample begins with",
       [&] { return options([](vael_options& o) { std::strcpy(o.initial, "X"); }); }, VAEL_E_OPTION,
       "no sample name of this chapter begins with X (try one of "},
      {"new: two letters",
       [&] { return options([](vael_options& o) { std::strcpy(o.initial, "ab"); }); },
       VAEL_E_OPTION, "begins with ab"},
      {"new: a letter the code page lacks",
       [&] { return options([](vael_options& o) { std::strcpy(o.initial, "\xC5\x81"); }); },
       VAEL_E_OPTION, "begins with \xC5\x81"},
      {"new: a cut UTF-8 sequence, told in UTF-8",
       [&] { return options([](vael_options& o) { std::strcpy(o.initial, "\xC3"); }); },
       VAEL_E_OPTION, "begins with \xC3\x83 (try"},
      {"new: initial not terminated",
       [&] {
         return options([](vael_options& o) { std::memset(o.initial, 'a', sizeof o.initial); });
       },
       VAEL_E_ARGUMENT, "not NUL-terminated"},
      {"next: null generator",
       [&] { return vael_generator_next(nullptr, buffer, sizeof buffer, &length); },
       VAEL_E_ARGUMENT, "generator is NULL"},
      {"next: null buffer", [&] { return vael_generator_next(generator, nullptr, 8, &length); },
       VAEL_E_ARGUMENT, "buffer is NULL"},
      {"next: 0 bytes", [&] { return vael_generator_next(generator, buffer, 0, &length); },
       VAEL_E_SPACE, "the buffer holds 0 bytes"},
      {"names: 0 bytes",
       [&] { return vael_generator_names(generator, 3, buffer, 0, &made, &length); }, VAEL_E_SPACE,
       "the buffer holds 0 bytes"},
      {"names: null generator",
       [&] { return vael_generator_names(nullptr, 3, buffer, 8, &made, &length); }, VAEL_E_ARGUMENT,
       "generator is NULL"},
      {"log: null generator", [&] { return vael_generator_log(nullptr, buffer, 8, &length); },
       VAEL_E_ARGUMENT, "generator is NULL"},
      {"restart: null generator", [&] { return vael_generator_restart(nullptr, 1); },
       VAEL_E_ARGUMENT, "generator is NULL"},
      {"measure: no names", [&] { return vael_chapter_measure(chapter, nullptr, 0, 1, nullptr); },
       VAEL_E_ARGUMENT, "out is NULL"},
      {"report: too many names", [&] { return vael_chapter_report(chapter, 2000000, 1, nullptr); },
       VAEL_E_ARGUMENT, "out is NULL"},
      {"report row: null report", [&] { return vael_report_row(nullptr, 0, nullptr, nullptr); },
       VAEL_E_ARGUMENT, "report is NULL"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.call(), c.expected) << c.what;
    EXPECT_NE(std::string(vael_last_error()).find(c.message), std::string::npos)
        << c.what << ": " << vael_last_error();
  }
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(noGenerator, nullptr);
  vael_generator_free(generator);
  vael_chapter_free(chapter);
  vael_chapter_free(nullptr);
  vael_generator_free(nullptr);
  vael_report_free(nullptr);
  EXPECT_STREQ(vael_chapter_title(nullptr), "");
  EXPECT_EQ(vael_chapter_text(nullptr, VAEL_TEXT_TITLE), nullptr);
}

}  // namespace
}  // namespace vael::capitest
