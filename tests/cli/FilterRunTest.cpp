// vaelgen's filters on a real chapter: every name printed meets every
// filter, alone and combined; --novel prints no sample and no near-copy;
// --clean and --clean-list leave their words out; a filter the chapter can
// never meet ends the run at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "VaelgenRun.h"
#include "core/analysis/EditDistance.h"
#include "core/chapter/CaseMapping.h"
#include "core/chapter/ChapterLoader.h"
#include "core/chapter/Collation.h"

namespace vael {
namespace {

using test::IsSubsequence;
using test::Lines;
using test::RunVaelgen;
using test::TempDir;

using Arguments = std::vector<std::string>;

// Letters as the filters compare them: case and accents aside.
std::vector<std::uint16_t> Key(const std::string& text) { return CollationKey(text); }

bool Holds(const std::string& name, const std::string& text) {
  const auto key = Key(name), part = Key(text);
  return std::search(key.begin(), key.end(), part.begin(), part.end()) != key.end();
}
bool Begins(const std::string& name, const std::string& text) {
  const auto key = Key(name), part = Key(text);
  return key.size() >= part.size() && std::equal(part.begin(), part.end(), key.begin());
}
bool Ends(const std::string& name, const std::string& text) {
  const auto key = Key(name), part = Key(text);
  return key.size() >= part.size() && std::equal(part.rbegin(), part.rend(), key.rbegin());
}

class FilterRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A frozen copy: its names stay those the expectations were made with.
    std::filesystem::copy_file(std::string(VAEL_FROZEN_LIBRARY_DIR) + "/isles/welsh.vel",
                               dir_.File("welsh.vel"));
    ASSERT_TRUE(ReadSampleNames(dir_.File("welsh.vel"), samples_));
  }
  test::RunResult Run(const Arguments& arguments) { return RunVaelgen(dir_, arguments); }

  // The names of a run in the code page.
  std::vector<std::string> Names(Arguments arguments, int status = 0) {
    arguments.insert(arguments.end(), {"--raw", "welsh.vel"});
    const test::RunResult run = Run(arguments);
    EXPECT_EQ(run.status, status) << run.err;
    return Lines(run.out);
  }

  bool IsCopy(const std::string& name) const {
    const std::string upper = ToUpper(name);
    return std::any_of(samples_.begin(), samples_.end(), [&](const std::string& sample) {
      return upper == sample || IsNearCopyOf(upper, sample);
    });
  }

  TempDir dir_;
  std::vector<std::string> samples_;  // in capitals
};

// What a filtered run's names must all be, told from its arguments.
struct Expected {
  std::vector<std::string> starts, ends, contains, excludes;
  int minLength = 0, maxLength = 1000;
  bool unique = false, noSamples = false, novel = false;
  char initial = '\0';

  explicit Expected(const Arguments& filters) {
    for (std::size_t i = 0; i < filters.size(); ++i) {
      const std::string& option = filters[i];
      const std::string value = i + 1 < filters.size() ? filters[i + 1] : "";
      if (option == "--starts-with") starts.push_back(value);
      if (option == "--ends-with") ends.push_back(value);
      if (option == "--contains") contains.push_back(value);
      if (option == "--excludes") excludes.push_back(value);
      if (option == "--min-length") minLength = std::stoi(value);
      if (option == "--max-length") maxLength = std::stoi(value);
      if (option == "-i") initial = value[0];
      unique = unique || option == "--unique";
      noSamples = noSamples || option == "--no-samples";
      novel = novel || option == "--novel";
    }
  }
};

TEST_F(FilterRunTest, EveryNamePrintedMeetsEveryFilter) {
  const std::vector<Arguments> filterSets = {
      {"--starts-with", "g"},
      {"--ends-with", "WEN"},
      {"--contains", "a", "--contains", "R"},
      {"--excludes", "e", "--excludes", "y"},
      {"--starts-with", "Gw", "--starts-with", "g", "--ends-with", "n"},
      {"-i", "M", "--contains", "r", "--unique"},
      {"--starts-with", "c", "--ends-with", "d", "--min-length", "5", "--max-length", "7", "--no-samples"},
      {"--novel", "--excludes", "dd", "--contains", "\xC3\xBC", "--unique"},  // ü: any u
  };
  for (const Arguments& threads : {Arguments{}, Arguments{"--threads", "2"}}) {
    Arguments base = threads;
    base.insert(base.end(), {"--seed", "4"});
    Arguments unfiltered = base;
    unfiltered.insert(unfiltered.end(), {"-n", "60000"});
    const std::vector<std::string> whole = Names(unfiltered);
    for (const Arguments& filters : filterSets) {
      SCOPED_TRACE(testing::PrintToString(threads) + testing::PrintToString(filters));
      Arguments arguments = base;
      arguments.insert(arguments.end(), filters.begin(), filters.end());
      arguments.insert(arguments.end(), {"-n", "150"});
      const std::vector<std::string> names = Names(arguments);
      ASSERT_EQ(names.size(), 150u);
      const Expected expected(filters);
      if (expected.initial == '\0') {
        EXPECT_TRUE(IsSubsequence(names, whole));
      }
      std::set<std::string> seen;
      for (const std::string& name : names) {
        for (const std::string& text : expected.starts) EXPECT_TRUE(Begins(name, text)) << name;
        for (const std::string& text : expected.ends) EXPECT_TRUE(Ends(name, text)) << name;
        // The texts are typed in UTF-8; the names are printed in the code page.
        for (const std::string& text : expected.contains) {
          EXPECT_TRUE(Holds(name, text == "\xC3\xBC" ? "u" : text)) << name;
        }
        for (const std::string& text : expected.excludes) EXPECT_FALSE(Holds(name, text)) << name;
        const long letters =
            std::count_if(name.begin(), name.end(), [](char c) { return c != ' ' && c != '-'; });
        EXPECT_GE(letters, expected.minLength) << name;
        EXPECT_LE(letters, expected.maxLength) << name;
        if (expected.initial != '\0') {
          EXPECT_EQ(name[0], expected.initial) << name;
        }
        if (expected.unique) {
          EXPECT_TRUE(seen.insert(name).second) << name;
        }
        if (expected.noSamples) {
          EXPECT_EQ(std::count(samples_.begin(), samples_.end(), ToUpper(name)), 0) << name;
        }
        if (expected.novel) {
          EXPECT_FALSE(IsCopy(name)) << name;
        }
      }
    }
  }
}

TEST_F(FilterRunTest, NovelPrintsNoSampleAndNoNearCopy) {
  const std::vector<std::string> plain = Names({"--seed", "9", "-n", "3000"});
  const long copies =
      std::count_if(plain.begin(), plain.end(), [&](const std::string& name) { return IsCopy(name); });
  ASSERT_GT(copies, 30) << "the chapter makes copies, so --novel has work to do";
  const std::vector<std::string> novel = Names({"--seed", "9", "-n", "3000", "--novel"});
  ASSERT_EQ(novel.size(), 3000u);
  for (const std::string& name : novel) EXPECT_FALSE(IsCopy(name)) << name;
  // The same names as the plain run, copies left out.
  std::vector<std::string> expected;
  for (const std::string& name : plain) {
    if (!IsCopy(name)) expected.push_back(name);
  }
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), novel.begin()));
}

TEST_F(FilterRunTest, CleanListsLeaveOutTheirWords) {
  const std::vector<std::string> plain = Names({"--seed", "2", "-n", "2000"});
  // The run's most frequent name, and names that begin with "Gwen", are
  // taken for offensive words of the user's own.
  std::map<std::string, int> counts;
  for (const std::string& name : plain) ++counts[name];
  const std::string frequent = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                                 return a.second < b.second;
                               })->first;
  test::WriteFile(dir_.File("mine.txt"), "# my words\n" + ToLower(frequent) + "\ngwen*\nbad word\n");
  auto run = Run({"--seed", "2", "-n", "1000", "--raw", "--clean-list", "mine.txt", "welsh.vel"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err,
            "vaelgen: mine.txt: line 4: \"bad word\" left out: an entry is one word of letters, with * "
            "before or after it to mark a stem\n");
  std::vector<std::string> expected;
  for (const std::string& name : plain) {
    if (name != frequent && !Begins(name, "gwen") && expected.size() < 1000) expected.push_back(name);
  }
  EXPECT_EQ(Lines(run.out), expected);
  EXPECT_LT(expected.size() + 100, plain.size());

  // The same words through a pipe, as /dev/stdin or a shell's <(...) give
  // them: a list that is no regular file was refused as one that could not
  // be opened.
  auto piped = test::RunProgram(
      dir_.path(), "sh", {},
      {"-c", "cat mine.txt | \"$0\" \"$@\"", VAELGEN, "--seed", "2", "-n", "1000", "--raw", "--clean-list",
       "/dev/stdin", "welsh.vel"});
  ASSERT_EQ(piped.status, 0) << piped.err;
  EXPECT_EQ(piped.out, run.out);
  // A device is no list: one like /dev/zero would be read for ever.
  auto device = Run({"--clean-list", "/dev/null", "welsh.vel"});
  EXPECT_EQ(device.status, 1);
  EXPECT_EQ(device.err, "vaelgen: Couldn't open file /dev/null\n");

  // The program's own list is found beside the built program too, and
  // leaves nothing of this chapter out.
  auto clean = Run({"--seed", "2", "-n", "2000", "--raw", "--clean", "welsh.vel"});
  ASSERT_EQ(clean.status, 0) << clean.err;
  EXPECT_EQ(Lines(clean.out), plain);

  auto missing = Run({"--clean-list", "nowhere.txt", "welsh.vel"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "vaelgen: Couldn't open file nowhere.txt\n");
}

// The chapter's tables show that no name can end with B: said at once,
// without trying. (A watchdog ends a run that tries anyway; the test does
// not time it.)
TEST_F(FilterRunTest, AFilterTheChapterCanNeverMeetEndsTheRunAtOnce) {
  const std::vector<std::pair<Arguments, std::string>> cases = {
      {{"--ends-with", "b"},
       "no name of this chapter can end with \"b\": no letter group that ends a sample name or its parts, "
       "and no template, ends with it"},
      {{"--contains", "wq"},
       "no name of this chapter can hold \"q\": no letter group of its samples and no "
       "template has it"},
      {{"--starts-with", "Gw", "--starts-with", "Ll"}, "no name can begin with both \"Gw\" and \"Ll\""},
      {{"--starts-with", "Gw", "--excludes", "W"},
       "every name asked for holds \"Gw\", and so \"W\", which is left out"},
  };
  for (const auto& [filters, message] : cases) {
    SCOPED_TRACE(message);
    Arguments arguments = {"-n", "1000000"};
    arguments.insert(arguments.end(), filters.begin(), filters.end());
    arguments.push_back("welsh.vel");
    auto run = test::RunVaelgenWithin(dir_, 60, arguments);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "vaelgen: " + message + "\n");
  }
  // A filter the tables allow but the names never meet is tried, and the
  // run says how far it got.
  auto rare = Run(
      {"--seed", "1", "-n", "5", "--starts-with", "u", "--ends-with", "f", "--max-length", "3", "welsh.vel"});
  EXPECT_EQ(rare.status, 1);
  const std::string passed = std::to_string(Lines(rare.out).size());
  const std::string head = "vaelgen: stopped after " + passed +
                           " of 5 names: none of the last 100000 names made passed the filters (" + passed +
                           " passed in ";
  ASSERT_EQ(rare.err.rfind(head, 0), 0u) << rare.err;
  const std::string tail = rare.err.substr(head.size());
  ASSERT_EQ(tail.substr(tail.find(' ')), " tries)\n") << rare.err;
  EXPECT_GE(std::stol(tail), 100000 + std::stol(passed));
}

}  // namespace
}  // namespace vael
