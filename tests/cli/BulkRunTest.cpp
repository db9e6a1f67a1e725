// vaelgen for bulk work: long runs streamed, a closed pipe, the filters on
// finished names, and the csv and json lists.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "VaelgenRun.h"
#include "core/chapter/CaseMapping.h"
#include "core/chapter/CodePage.h"

namespace vael {
namespace {

using test::IsSubsequence;
using test::Lines;
using test::RunVaelgen;
using test::ShellQuoted;
using test::TempDir;

class BulkRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WriteChapter(dir_, "elves.vel", test::ElvesDraft());
    std::filesystem::copy_file(std::string(VAEL_FROZEN_LIBRARY_DIR) + "/elder/woodelves.vel",
                               dir_.File("woodelves.vel"));
  }
  test::RunResult Run(const std::vector<std::string>& arguments) { return RunVaelgen(dir_, arguments); }

  TempDir dir_;
};

// Made from the program before the filters and formats existed: with none
// of them given, not a byte may change, on one thread or in blocks (and
// from the compiled chapter the first run leaves behind).
TEST_F(BulkRunTest, WithoutFiltersTheOutputIsTheStoredOne) {
  const std::string data = std::string(VAEL_TEST_DATA) + "/cli/";
  for (int pass = 0; pass < 2; ++pass) {
    SCOPED_TRACE(pass);
    auto plain = Run({"--seed", "7", "-n", "3000", "woodelves.vel"});
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_TRUE(plain.out == test::ReadFile(data + "woodelves-seed7.txt"));
    auto blocks = Run({"--threads", "2", "--seed", "7", "-n", "5000", "woodelves.vel"});
    ASSERT_EQ(blocks.status, 0) << blocks.err;
    EXPECT_TRUE(blocks.out == test::ReadFile(data + "woodelves-seed7-threads.txt"));
  }
}

TEST_F(BulkRunTest, FilteredNamesAreASubsequenceOfTheUnfilteredRun) {
  std::set<std::string> samples;
  for (const std::string& name : test::ElvesDraft().names) samples.insert(ToUpper(name));
  const std::vector<std::vector<std::string>> filterSets = {
      {"--unique"},
      {"--min-length", "8"},
      {"--max-length", "5"},
      {"--no-samples"},
      {"--unique", "--no-samples", "--min-length", "5", "--max-length", "7"},
  };
  for (const std::vector<std::string>& threads : {std::vector<std::string>{},
                                                 std::vector<std::string>{"--threads", "2"}}) {
    std::vector<std::string> base = threads;
    base.insert(base.end(), {"--seed", "3", "--raw", "elves.vel"});
    std::vector<std::string> unfilteredArguments = base;
    unfilteredArguments.insert(unfilteredArguments.end(), {"-n", "30000"});
    auto unfiltered = Run(unfilteredArguments);
    ASSERT_EQ(unfiltered.status, 0) << unfiltered.err;
    const std::vector<std::string> whole = Lines(unfiltered.out);
    for (const auto& filters : filterSets) {
      std::vector<std::string> arguments = base;
      arguments.insert(arguments.end(), filters.begin(), filters.end());
      arguments.insert(arguments.end(), {"-n", "300"});
      SCOPED_TRACE(testing::PrintToString(arguments));
      auto run = Run(arguments);
      ASSERT_EQ(run.status, 0) << run.err;
      const std::vector<std::string> names = Lines(run.out);
      ASSERT_EQ(names.size(), 300u);
      EXPECT_TRUE(IsSubsequence(names, whole));
      const bool unique = std::count(filters.begin(), filters.end(), "--unique") > 0;
      const bool noSamples = std::count(filters.begin(), filters.end(), "--no-samples") > 0;
      std::set<std::string> seen;
      for (const std::string& name : names) {
        std::string letters = name;
        std::erase_if(letters, [](char c) { return c == ' ' || c == '-'; });
        if (filters[0] == "--min-length") {
          EXPECT_GE(letters.size(), 8u) << name;
        }
        if (filters[0] == "--max-length") {
          EXPECT_LE(letters.size(), 5u) << name;
        }
        if (noSamples) {
          EXPECT_EQ(samples.count(ToUpper(name)), 0u) << name;
        }
        if (unique) {
          EXPECT_TRUE(seen.insert(name).second) << name;
        }
      }
    }
    // The unfiltered run repeats names and samples, so the filters above
    // had work to do.
    EXPECT_LT(std::set<std::string>(whole.begin(), whole.end()).size(), whole.size());
    EXPECT_TRUE(std::any_of(whole.begin(), whole.end(),
                            [&](const std::string& name) { return samples.count(ToUpper(name)); }));
  }
}

// A name's length is its letters: the hyphen of "Arko-7e" is not one (nor
// a space). Filtered, the run gives exactly the names of the unfiltered run
// that have the letters asked for, in their order.
TEST_F(BulkRunTest, LengthFiltersCountLettersNotHyphens) {
  std::filesystem::copy_file(std::string(VAEL_FROZEN_LIBRARY_DIR) + "/stars/droids.vel",
                             dir_.File("droids.vel"));
  auto unfiltered = Run({"--seed", "3", "-n", "3000", "--raw", "droids.vel"});
  ASSERT_EQ(unfiltered.status, 0) << unfiltered.err;
  const std::vector<std::string> whole = Lines(unfiltered.out);
  const std::size_t kWanted = 150;
  auto expectLetters = [&](const std::vector<std::string>& filters, long least, long most) {
    SCOPED_TRACE(testing::PrintToString(filters));
    std::vector<std::string> arguments = {"--seed", "3", "-n", std::to_string(kWanted), "--raw"};
    arguments.insert(arguments.end(), filters.begin(), filters.end());
    arguments.push_back("droids.vel");
    auto run = Run(arguments);
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<std::string> expected;
    bool hyphenated = false;
    for (const std::string& name : whole) {
      const long letters =
          std::count_if(name.begin(), name.end(), [](char c) { return c != ' ' && c != '-'; });
      if (letters < least || letters > most) continue;
      hyphenated = hyphenated || name.find('-') != std::string::npos;
      expected.push_back(name);
      if (expected.size() == kWanted) break;
    }
    ASSERT_EQ(expected.size(), kWanted) << "the unfiltered run is too short";
    EXPECT_TRUE(hyphenated);
    EXPECT_EQ(Lines(run.out), expected);
  };
  expectLetters({"--max-length", "6"}, 0, 6);
  // The shortest and longest allowed may be one and the same.
  expectLetters({"--min-length", "5", "--max-length", "5"}, 5, 5);
}

TEST_F(BulkRunTest, FiltersThatCannotBeMetStopAfterWhatWasMade) {
  // No name is that long: nothing is printed.
  auto none = Run({"--min-length", "200", "-n", "5", "elves.vel"});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.out, "");
  EXPECT_EQ(none.err,
            "vaelgen: stopped after 0 of 5 names: none of the last 100000 names made passed "
            "the filters (0 passed in 100000 tries)\n");
  // The chapter has only so many short names: those are printed first.
  auto few = Run({"--unique", "--max-length", "4", "-n", "100000", "--raw", "elves.vel"});
  EXPECT_EQ(few.status, 1);
  const std::vector<std::string> names = Lines(few.out);
  ASSERT_FALSE(names.empty());
  EXPECT_LT(names.size(), 100000u);
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
  const std::string passed = std::to_string(names.size());
  EXPECT_EQ(few.err.rfind("vaelgen: stopped after " + passed +
                              " of 100000 names: none of the last 100000 names made passed the "
                              "filters (" + passed + " passed in ",
                          0),
            0u)
      << few.err;
  // Saved to a file: the file holds what was made, and the run still fails.
  auto saved = Run({"--min-length", "200", "-n", "5", "--format", "json", "-o", "out.json",
                    "elves.vel"});
  EXPECT_EQ(saved.status, 1);
  EXPECT_EQ(test::ReadFile(dir_.File("out.json")), "[]\n");
}

TEST_F(BulkRunTest, NoSamplesNeedsTheSampleNames) {
  ASSERT_EQ(Run({"-n", "1", "elves.vel"}).status, 0);  // leaves elves.qch behind
  auto compiled = Run({"--no-samples", "elves.qch"});
  EXPECT_EQ(compiled.status, 2);
  EXPECT_EQ(compiled.out, "");
  EXPECT_NE(compiled.err.find("--no-samples needs the sample names"), std::string::npos);
  auto novel = Run({"--novel", "elves.qch"});
  EXPECT_EQ(novel.status, 2);
  EXPECT_EQ(Lines(novel.err).at(0),
            "vaelgen: --novel needs the sample names, which a compiled chapter (.qch) does not keep: give the "
            "chapter's .vel");
  // From a plain list, its names are the samples, compared ignoring case.
  test::WriteFile(dir_.File("few.txt"), "ann\nbo\n");
  auto list = Run({"--no-samples", "--seed", "1", "-n", "200", "few.txt"});
  ASSERT_EQ(list.status, 1) << "a list of two names has little else to give";
  for (const std::string& name : Lines(list.out)) {
    EXPECT_FALSE(EqualsIgnoreCase(name, "ann") || EqualsIgnoreCase(name, "bo")) << name;
  }
}

struct PipeRun {
  int status = -1;  // vaelgen's own, from PIPESTATUS
  std::string out, err;
};

// vaelgen into `head -1`, which closes the pipe after one line.
PipeRun RunIntoHead(const TempDir& dir, const std::string& arguments) {
  const std::string out = dir.File(".pipe-out"), err = dir.File(".pipe-err"),
                    status = dir.File(".pipe-status");
  const std::string script = "cd " + ShellQuoted(dir.path().string()) + " && " +
                             ShellQuoted(VAELGEN) + " " + arguments + " 2>" + ShellQuoted(err) +
                             " | head -1 >" + ShellQuoted(out) +
                             "; echo ${PIPESTATUS[0]} >" + ShellQuoted(status);
  const int raw = std::system(("bash -c " + ShellQuoted(script)).c_str());
  PipeRun run;
  if (!WIFEXITED(raw) || WEXITSTATUS(raw) != 0) return run;
  run.status = std::stoi(test::ReadFile(status));
  run.out = test::ReadFile(out);
  run.err = test::ReadFile(err);
  return run;
}

// The largest count is taken, and a reader that stops early ends the run
// quietly with success, however the names are made or written.
TEST_F(BulkRunTest, AClosedPipeEndsTheLargestRunQuietly) {
  for (const std::string extra : {"", "--threads 2", "--format csv", "--unique --min-length 3"}) {
    SCOPED_TRACE(extra);
    PipeRun run = RunIntoHead(dir_, "-n 2147483647 " + extra + " elves.vel");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(Lines(run.out).size(), 1u);
  }
  auto tooMany = Run({"-n", "2147483648", "elves.vel"});
  EXPECT_EQ(tooMany.status, 2);
  EXPECT_EQ(Lines(tooMany.err).at(0), "vaelgen: -n takes a number from 1 to 2147483647");
  EXPECT_EQ(Run({"-n", "0", "elves.vel"}).status, 2);
}

// A device that takes nothing ends even the longest run at once, and every
// other print into it fails as loudly, however little it prints.
TEST_F(BulkRunTest, AFullDeviceFailsEveryPrint) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  test::WriteFile(dir_.File("harbours.txt"), "Aberdeen\nBergen\nCalais\nDover\nEsbjerg\nFaro\n");
  for (const std::string arguments :
       {"-n 2147483647 elves.vel", "-n 2147483647 --threads 2 elves.vel", "--help", "--version",
        "--list", "--titles", "-n 3 elves.vel", "-n 3 --format csv elves.vel",
        "-n 3 --format json elves.vel", "-n 3 --format txt elves.vel",
        "--write-chapter harbours.vel harbours.txt"}) {
    SCOPED_TRACE(arguments);
    const std::string script = "cd " + ShellQuoted(dir_.path().string()) + " && " +
                               ShellQuoted(VAELGEN) + " " + arguments + " >/dev/full 2>" +
                               ShellQuoted(dir_.File(".full-err"));
    const int raw = std::system(script.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 1);
    const std::vector<std::string> err = Lines(test::ReadFile(dir_.File(".full-err")));
    ASSERT_FALSE(err.empty());
    EXPECT_EQ(err.back(), "vaelgen: couldn't write to standard output: the disk is full");
  }
  // A reader that stops early is no failure, for the program's own texts
  // too.
  PipeRun help = RunIntoHead(dir_, "--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.err, "");
}

TEST_F(BulkRunTest, CsvAndJsonPrintedAndSavedAlike) {
  auto plain = Run({"--seed", "5", "-n", "200", "elves.vel"});
  ASSERT_EQ(plain.status, 0);
  const std::vector<std::string> names = Lines(plain.out);  // UTF-8, with accents
  std::string csv = "name\r\n", json = "[";
  for (std::size_t i = 0; i < names.size(); ++i) {
    csv += names[i] + "\r\n";
    json += (i == 0 ? "\n  \"" : ",\n  \"") + names[i] + "\"";
  }
  json += "\n]\n";
  for (const auto& [format, expected] : {std::pair{"csv", csv}, {"json", json}}) {
    SCOPED_TRACE(format);
    auto printed = Run({"--seed", "5", "-n", "200", "--format", format, "elves.vel"});
    ASSERT_EQ(printed.status, 0) << printed.err;
    EXPECT_TRUE(printed.out == expected);
    const std::string file = std::string("names.") + format;
    auto saved = Run({"--seed", "5", "-n", "200", "--format", format, "-o", file, "elves.vel"});
    ASSERT_EQ(saved.status, 0) << saved.err;
    EXPECT_EQ(saved.out, "");
    EXPECT_TRUE(test::ReadFile(dir_.File(file)) == expected);
  }
  // csv keeps the code page with --raw; json is UTF-8 or nothing.
  auto raw = Run({"--seed", "5", "-n", "200", "--format", "csv", "--raw", "elves.vel"});
  EXPECT_TRUE(Utf8FromWindows1252(raw.out) == csv);
  EXPECT_EQ(Run({"--format", "json", "--raw", "elves.vel"}).status, 2);
}

TEST_F(BulkRunTest, BadFilterAndFormatUsage) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--min-length", "0", "elves.vel"}, "--min-length takes a number from 1 to 255"},
      {{"--max-length", "256", "elves.vel"}, "--max-length takes a number from 1 to 255"},
      {{"--min-length", "6", "--max-length", "5", "elves.vel"},
       "--min-length is more than --max-length"},
      {{"--log", "--unique", "elves.vel"}, "--log works on a single name, without filters"},
      {{"--log", "--clean", "elves.vel"}, "--log works on a single name, without filters"},
      {{"--contains", "", "elves.vel"}, "--contains takes a text"},
      {{"--starts-with", "elves.vel"}, "no chapter given"},
      {{"--ends-with", "\xC5\x82", "elves.vel"},
       "--ends-with \"\xC5\x82\": no name can hold \"\xC5\x82\" (U+0142)"},
      {{"--clean-list", "", "elves.vel"}, "empty word list file name"},
      {{"--report", "r.html", "--excludes", "a", "elves.vel"}, "--report takes a chapter and, at most, --seed"},
      {{"--format", "xml", "elves.vel"}, "--format takes txt, rtf, csv or json"},
      {{"--format", "csv", "--rpg", "2", "-o", "x", "elves.vel"},
       "--rpg and --lines go with txt and rtf documents, not csv or json"},
      {{"--format", "rtf", "elves.vel"}, "--format rtf needs -o FILE"},
      {{"--lines", "2", "elves.vel"}, "--rpg and --lines need a document: -o FILE or --format txt"},
      {{"-o", "x.csv", "--rpg", "2", "elves.vel"},
       "--rpg and --lines go with txt and rtf documents, not csv or json"},
  };
  for (const auto& [arguments, problem] : cases) {
    SCOPED_TRACE(problem);
    auto run = Run(arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(Lines(run.err).at(0), "vaelgen: " + problem);
  }
}

}  // namespace
}  // namespace vael
