#include <gtest/gtest.h>

#include <filesystem>

#include "VaelgenRun.h"
#include "core/chapter/CaseMapping.h"
#include "support/ChildProcess.h"

namespace vael {
namespace {

using test::Lines;
using test::RunVaelgen;
using test::TempDir;

const std::string kUsage =
    "usage: vaelgen [options] CHAPTER | vaelgen --list [FOLDER]  (vaelgen --help for more)\n";

class VaelgenTest : public ::testing::Test {
 protected:
  void SetUp() override { chapter_ = test::WriteChapter(dir_, "elves.vel", test::ElvesDraft()); }
  test::RunResult Run(const std::vector<std::string>& arguments) { return RunVaelgen(dir_, arguments); }

  TempDir dir_;
  std::string chapter_;
};

TEST_F(VaelgenTest, VersionAndHelp) {
  auto version = Run({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "Vaelorn 3.3\n");
  auto help = Run({"--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* option : {"--count", "--initial", "--fit", "--no-suffixes", "--seed", "--log",
                             "--raw", "--format", "--rpg", "--lines", "--list", "--val", "--threads",
                             "--unique", "--min-length", "--max-length", "--no-samples", "--novel",
                             "--starts-with", "--ends-with", "--contains", "--excludes", "--clean",
                             "--clean-list", "csv", "json"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
}

TEST_F(VaelgenTest, BadUsageExitsWithTwoAndTheUsageLine) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{}, "no chapter given"},
      {{"elves.vel", "elves.vel"}, "one chapter at a time"},
      {{"--bogus", "elves.vel"}, "unknown option --bogus"},
      {{"-n", "0", "elves.vel"}, "-n takes a number from 1 to 2147483647"},
      {{"--count=2147483648", "elves.vel"}, "--count takes a number from 1 to 2147483647"},
      {{"-n", "12x", "elves.vel"}, "-n takes a number from 1 to 2147483647"},
      {{"elves.vel", "-n"}, "-n needs a value"},
      {{"--fit", "4", "elves.vel"}, "--fit takes a number from 0 to 3"},
      {{"--val", "-1", "elves.vel"}, "--val takes a number from 0 to 9"},
      {{"--seed", "4294967296", "elves.vel"}, "--seed takes a number from 0 to 4294967295"},
      {{"--format", "doc", "-o", "x", "elves.vel"}, "--format takes txt, rtf, csv or json"},
      {{"--rpg", "2", "elves.vel"}, "--rpg and --lines need a document: -o FILE or --format txt"},
      {{"--lines", "9", "-o", "x", "elves.vel"}, "--lines takes a number from 0 to 8"},
      {{"--log", "-n", "3", "elves.vel"}, "--log works on a single name (-n 1)"},
      {{"--log", "--threads", "2", "elves.vel"}, "--log works on a single name, without --threads"},
      {{"--threads", "0", "elves.vel"}, "--threads takes a number from 1 to 64"},
      {{"--raw=yes", "elves.vel"}, "--raw takes no value"},
      {{"--list", "a", "b"}, "--list takes one folder and no chapter"},
      {{"--titles", "elves.vel"}, "--titles takes no chapter"},
      {{"-i", "Z", "elves.vel"}, "no sample name of this chapter begins with Z (try one of ABCEGLTF\xC3\x89\xC3\x81IN)"},
      {{"-i", "EL", "elves.vel"}, "no sample name of this chapter begins with EL (try one of ABCEGLTF\xC3\x89\xC3\x81IN)"},
      {{"-i", "", "elves.vel"}, "-i takes a letter, or * for any"},
      {{"--initial=", "elves.vel"}, "--initial takes a letter, or * for any"},
      {{"--encoding", "latin1", "-o", "x", "elves.vel"}, "--encoding takes windows-1252 or utf-8"},
      {{"--encoding", "utf-8", "elves.vel"},
       "--encoding goes with -o FILE or --write-chapter; printed text is UTF-8, or Windows-1252 with --raw"},
      {{"--encoding", "utf-8", "-o", "x.rtf", "elves.vel"},
       "--encoding utf-8 does not go with rtf, which its readers take as Windows-1252"},
      {{"--encoding", "windows-1252", "-o", "x.json", "elves.vel"},
       "--encoding windows-1252 does not go with csv or json, which are always UTF-8"},
  };
  for (const auto& [arguments, problem] : cases) {
    SCOPED_TRACE(problem);
    auto run = Run(arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "vaelgen: " + problem + "\n" + kUsage);
  }
}

// Every text in UTF-16: each character followed by a zero byte.
std::string Utf16(const std::string& ascii, bool byteOrderMark) {
  std::string text = byteOrderMark ? "\xFF\xFE" : "";
  for (char c : ascii) text += std::string{c, '\0'};
  return text;
}

// A chapter that fails names its file first, then the loader's cause, or
// the reason where that cause would hide it. A quoted name is cut to a few
// dozen characters, whatever its length, and shows its control characters.
TEST_F(VaelgenTest, ChapterThatFailsToLoadNamesTheFileAndTheReason) {
  const std::string ellipsis = "\xE2\x80\xA6";
  test::WriteFile(dir_.File("broken.vel"), "TITLE \"Broken\";\r\n");
  std::filesystem::create_directory(dir_.path() / "folder.vel");
  const std::string elves = test::ChapterText(test::ElvesDraft());
  test::WriteFile(dir_.File("utf16.vel"), Utf16(elves, true));
  test::WriteFile(dir_.File("bare16.vel"), Utf16(elves, false));
  test::WriteFile(dir_.File("program.vel"), "\x7F" "ELF\x02\x01\x01" + std::string(200, '\0') + "TITLE");
  test::WriteChapter(dir_, "control.vel", test::Draft({"Berga", std::string("Ber\0gen\x1B[1m", 11), "Tolva"}));
  test::WriteChapter(dir_, "huge.vel", test::Draft({"Berga", std::string(10 << 20, 'a') + "!", "Tolva"}));
  test::WriteChapter(dir_, "long.vel", test::Draft({"Berga", std::string(1000, 'a')}));
  const std::string forty(40, 'A');
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"missing.vel", "no such file"},
      {"folder.vel", "is a folder"},
      // A device may never end: /dev/zero was read until memory ran out.
      {"/dev/null", "is a device, not a file"},
      {"broken.vel", "Invalid or missing LINE1 tag"},
      {"utf16.vel", "UTF-16 text: save the chapter as UTF-8 or Windows-1252"},
      {"bare16.vel", "UTF-16 text: save the chapter as UTF-8 or Windows-1252"},
      {"program.vel", "not a text file"},
      {"control.vel", "Invalid character in name #2 (BER\\0GEN\\x1B[1M)"},
      {"huge.vel", "Invalid character in name #2 (" + forty + ellipsis + ")"},
      {"long.vel", "Too few elements in name #2 (" + forty + ellipsis + ")"},
  };
  for (const auto& [name, reason] : cases) {
    SCOPED_TRACE(name);
    auto run = Run({name});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "vaelgen: " + name + ": " + reason + "\n");
  }

  // A file that may not be read, as an ordinary user (root reads anything).
  test::TempDir tools;
  const std::string vaelgen = tools.File("vaelgen");
  std::filesystem::copy_file(VAELGEN, vaelgen);
  std::filesystem::permissions(dir_.path(), std::filesystem::perms::all);
  std::filesystem::permissions(chapter_, std::filesystem::perms::none);
  EXPECT_EQ(test::InChild({.ordinaryUser = true},
                          [&] {
                            auto run = RunVaelgen(dir_, {"elves.vel"}, vaelgen);
                            return std::to_string(run.status) + " " + run.err;
                          }),
            "1 vaelgen: elves.vel: permission denied\n");
}

TEST_F(VaelgenTest, SeedRepeatsTheRunAndMatchesTheCore) {
  auto first = Run({"--seed", "42", "--raw", "elves.vel"});
  auto second = Run({"--seed=42", "--raw", "elves.vel"});  // now from the compiled chapter
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(first.out, second.out);
  EXPECT_EQ(Lines(first.out).size(), 10u);
  EXPECT_NE(Run({"--seed", "43", "--raw", "elves.vel"}).out, first.out);

  // Options left out are the chapter's: statistical, fit level 2.
  GenerationOptions request;
  request.statistical = true;
  request.fit = 2;
  EXPECT_EQ(Lines(first.out), test::CoreNames(chapter_, 42, request, 10));
}

TEST_F(VaelgenTest, GivenOptionsReplaceTheChaptersOnes) {
  GenerationOptions request;
  request.structural = true;
  request.prefixes = true;
  request.fit = 1;
  request.val = 3;
  auto run = Run({"--seed", "7", "--raw", "-n", "25", "--no-statistical", "--structural",
                  "--prefixes", "--fit", "1", "--val", "3", "elves.vel"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Lines(run.out), test::CoreNames(chapter_, 7, request, 25));
}

TEST_F(VaelgenTest, ChaptersFitLevelUpToThreeIsKeptAndOthersStartAtZero) {
  for (const auto& [genopt, fit] : {std::pair{"FIT:3 VAL:2 SUFFIX", 3}, {"FIT:7 VAL:2 SUFFIX", 0}}) {
    SCOPED_TRACE(genopt);
    test::ChapterDraft draft = test::ElvesDraft();
    draft.genopt = genopt;
    std::string path = test::WriteChapter(dir_, "odd.vel", draft);
    GenerationOptions request;
    request.fit = fit;
    request.val = 2;
    request.suffixes = true;
    auto run = Run({"--seed", "9", "--raw", "-n", "40", "odd.vel"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Lines(run.out), test::CoreNames(path, 9, request, 40));
  }
}

TEST_F(VaelgenTest, InitialLetterIsHonouredInEitherCaseAndEncoding) {
  auto plain = Run({"-i", "e", "-n", "40", "--raw", "elves.vel"});
  ASSERT_EQ(plain.status, 0) << plain.err;
  for (const auto& name : Lines(plain.out)) EXPECT_EQ(name[0], 'E') << name;

  auto accented = Run({"--initial", "\xC3\xA9", "-n", "40", "elves.vel"});  // é in UTF-8
  ASSERT_EQ(accented.status, 0) << accented.err;
  ASSERT_EQ(Lines(accented.out).size(), 40u);
  for (const auto& name : Lines(accented.out)) EXPECT_EQ(name.substr(0, 2), "\xC3\x89") << name;
  // A terminal in the code page itself passes the byte.
  auto raw = Run({"-i", "\xC9", "-n", "5", "--raw", "elves.vel"});
  ASSERT_EQ(raw.status, 0) << raw.err;
  for (const auto& name : Lines(raw.out)) EXPECT_EQ(name[0], '\xC9') << name;
}

TEST_F(VaelgenTest, OutputIsUtf8UnlessRaw) {
  auto utf8 = Run({"--seed", "5", "-n", "300", "elves.vel"});
  auto raw = Run({"--seed", "5", "-n", "300", "--raw", "elves.vel"});
  ASSERT_EQ(utf8.status, 0);
  bool sawAccent = false;
  std::vector<std::string> rawNames = Lines(raw.out), utf8Names = Lines(utf8.out);
  ASSERT_EQ(rawNames.size(), utf8Names.size());
  for (std::size_t i = 0; i < rawNames.size(); ++i) {
    std::string expected;
    for (char c : rawNames[i]) {
      unsigned char byte = static_cast<unsigned char>(c);
      ASSERT_TRUE(byte < 0x80 || byte >= 0xC0) << "unexpected byte in a name";
      if (byte < 0x80) {
        expected += c;
      } else {
        sawAccent = true;
        expected += static_cast<char>(0xC3);
        expected += static_cast<char>(byte - 0x40);
      }
    }
    EXPECT_EQ(utf8Names[i], expected);
  }
  EXPECT_TRUE(sawAccent);
}

TEST_F(VaelgenTest, LogDescribesOneNameInTheCurrentFolder) {
  auto run = Run({"--log", "elves.vel"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Lines(run.out).size(), 1u);
  std::filesystem::path log = dir_.path() / "!vel_log.txt";
  EXPECT_TRUE(std::filesystem::exists(log));
  EXPECT_FALSE(test::ReadFile(log.string()).empty());
  EXPECT_EQ(run.err, "vaelgen: log written to " + log.string() + "\n");
  // Without --log no log is written.
  std::filesystem::remove(log);
  EXPECT_EQ(Run({"-n", "1", "elves.vel"}).status, 0);
  EXPECT_FALSE(std::filesystem::exists(log));
}

TEST_F(VaelgenTest, ManyNamesInOneRun) {
  auto run = Run({"-n", "100000", "--seed", "1", "elves.vel"});
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<std::string> names = Lines(run.out);
  ASSERT_EQ(names.size(), 100000u);
  for (const auto& name : names) ASSERT_FALSE(name.empty());
}

// Blocks seeded from the run's seed: the same names on any number of
// threads, and the same as the core's block run.
TEST_F(VaelgenTest, ThreadsGiveTheSameNamesForTheSameSeed) {
  const std::string count = std::to_string(2 * kNamesPerBlock + 7);
  auto one = Run({"--threads", "1", "-n", count, "--seed", "9", "--raw", "elves.vel"});
  ASSERT_EQ(one.status, 0) << one.err;
  EXPECT_EQ(Lines(one.out).size(), 2u * kNamesPerBlock + 7);
  for (const char* threads : {"2", "3"}) {
    EXPECT_EQ(Run({"--threads", threads, "-n", count, "--seed", "9", "--raw", "elves.vel"}).out,
              one.out)
        << threads;
  }
  GenerationOptions request;
  request.statistical = true;
  request.fit = 2;
  auto chapter = std::make_unique<TVaelChapter>();
  chapter->Load(chapter_);
  std::string core;
  GenerateNameBlocks(*chapter, request, 2 * kNamesPerBlock + 7, BlockRun{9, 2},
                     [&](std::string_view name) {
                       core.append(name).push_back('\n');
                       return true;
                     });
  EXPECT_EQ(one.out, core);

  // A long run: many more blocks than the threads have in hand at once, so
  // blocks made ahead wait their turn to be printed.
  const std::vector<std::string> longRun = {"-n", "300000", "--seed", "4", "--raw", "elves.vel"};
  std::vector<std::string> arguments = {"--threads", "1"};
  arguments.insert(arguments.end(), longRun.begin(), longRun.end());
  auto longOne = Run(arguments);
  ASSERT_EQ(longOne.status, 0) << longOne.err;
  ASSERT_EQ(Lines(longOne.out).size(), 300000u);
  for (const char* threads : {"2", "4", "8"}) {
    SCOPED_TRACE(threads);
    arguments[1] = threads;
    auto run = test::RunVaelgenWithin(dir_, 10, arguments);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.out == longOne.out);
  }
}

}  // namespace
}  // namespace vael
