#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "VaelgenRun.h"
#include "core/chapter/CodePage.h"
#include "export/Export.h"
#include "support/ChildProcess.h"

namespace vael {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using test::FolderEntries;
using test::InChild;
using test::Lines;
using test::RunVaelgen;
using test::TempDir;

// A run's status and what it printed on standard error, in one line.
std::string Report(const test::RunResult& run) { return std::to_string(run.status) + " " + run.err; }

// A child that reads the FIFO at path to its end into the file at copy.
pid_t StartReader(const std::string& path, const std::string& copy) {
  const pid_t reader = ::fork();
  if (reader == 0) {
    std::string bytes;
    const int fd = ::open(path.c_str(), O_RDONLY);
    char buffer[4096];
    for (ssize_t n; fd >= 0 && (n = ::read(fd, buffer, sizeof buffer)) > 0;) bytes.append(buffer, n);
    test::WriteFile(copy, bytes);
    ::_exit(0);
  }
  return reader;
}

// True when the child ended within a few seconds; a reader still waiting
// for a writer that never came is ended.
bool Ended(pid_t child) {
  for (int tries = 0; tries < 100; ++tries) {
    if (::waitpid(child, nullptr, WNOHANG) == child) return true;
    ::usleep(50 * 1000);
  }
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  return false;
}

class VaelgenSaveTest : public ::testing::Test {
 protected:
  void SetUp() override { chapter_ = test::WriteChapter(dir_, "elves.vel", test::ElvesDraft()); }

  // The document the window's save command writes for these names, all
  // checked, newest first.
  std::string ExpectedDocument(DocumentFormat format, int rpg, int lines, std::uint32_t seed, int count) {
    GenerationOptions request;
    request.statistical = true;
    request.fit = 2;
    std::vector<HistoryItem> history;
    for (const auto& name : test::CoreNames(chapter_, seed, request, count)) {
      history.insert(history.begin(), {name, true});
    }
    return NamesDocument(format, "Elves", "Names of the elves", rpg, lines, history);
  }

  TempDir dir_;
  std::string chapter_;
};

TEST_F(VaelgenSaveTest, SavedDocumentsEqualTheWritersBytes) {
  struct Case {
    std::vector<std::string> arguments;
    std::string file;
    DocumentFormat format;
    int rpg, lines;
  };
  const std::vector<Case> cases = {
      {{"-o", "names.txt"}, "names.txt", DocumentFormat::PlainText, 0, 0},
      {{"-o", "names.RTF"}, "names.RTF", DocumentFormat::RichText, 0, 0},
      {{"-o", "sheet.rtf", "--rpg", "2", "--lines", "3"}, "sheet.rtf", DocumentFormat::RichText, 2, 3},
      {{"--output", "sheet.rtf", "--format", "txt", "--rpg", "5"}, "sheet.rtf",
       DocumentFormat::PlainText, 5, 0},
      {{"-o", "plain", "--format=rtf", "--lines=8"}, "plain", DocumentFormat::RichText, 0, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    std::vector<std::string> arguments = c.arguments;
    arguments.insert(arguments.end(), {"--seed", "11", "-n", "12", "elves.vel"});
    auto run = RunVaelgen(dir_, arguments);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(test::ReadFile(dir_.File(c.file)), ExpectedDocument(c.format, c.rpg, c.lines, 11, 12));
  }
  // No temporary file is left behind.
  for (const auto& entry : fs::directory_iterator(dir_.path())) {
    EXPECT_EQ(entry.path().string().find(".~"), std::string::npos) << entry.path();
  }
}

// As the name *.rtf always chose rtf, *.csv and *.json choose their formats,
// saved as they are printed; --format still has the last word.
TEST_F(VaelgenSaveTest, TheFileNameChoosesCsvAndJson) {
  for (const std::string format : {"csv", "json"}) {
    SCOPED_TRACE(format);
    auto printed = RunVaelgen(dir_, {"--seed", "11", "-n", "12", "--format", format, "elves.vel"});
    ASSERT_EQ(printed.status, 0) << printed.err;
    for (const std::string& file : {"names." + format, "NAMES." + format}) {
      ASSERT_EQ(Report(RunVaelgen(dir_, {"--seed", "11", "-n", "12", "-o", file, "elves.vel"})), "0 ");
      EXPECT_EQ(test::ReadFile(dir_.File(file)), printed.out) << file;
    }
  }
  ASSERT_EQ(Report(RunVaelgen(dir_, {"--seed", "11", "-n", "12", "--format", "txt", "-o", "names.json",
                                     "elves.vel"})),
            "0 ");
  EXPECT_EQ(test::ReadFile(dir_.File("names.json")), ExpectedDocument(DocumentFormat::PlainText, 0, 0, 11, 12));
}

// A txt document printed is the one saved, in the terminal's UTF-8 (or the
// code page with --raw) and with its line ends: the same names, blocks and
// order. Saved with --encoding utf-8 it keeps its CR LF line ends.
TEST_F(VaelgenSaveTest, TxtDocumentsPrintedAndSavedInUtf8) {
  const std::string document = ExpectedDocument(DocumentFormat::PlainText, 0, 0, 11, 40);
  ASSERT_NE(Utf8FromWindows1252(document), document) << "the names should hold accents";
  auto lineFeeds = [](std::string text) {
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
    return text;
  };
  const std::vector<std::string> run = {"--seed", "11", "-n", "40", "elves.vel"};
  auto with = [&](std::vector<std::string> arguments) {
    arguments.insert(arguments.end(), run.begin(), run.end());
    return RunVaelgen(dir_, arguments);
  };
  auto printed = with({"--format", "txt"});
  EXPECT_EQ(printed.status, 0) << printed.err;
  EXPECT_TRUE(printed.out == lineFeeds(Utf8FromWindows1252(document)));
  EXPECT_TRUE(with({"--format", "txt", "--raw"}).out == lineFeeds(document));
  EXPECT_TRUE(with({"--format", "txt", "--rpg", "1", "--lines", "2"}).out ==
              lineFeeds(Utf8FromWindows1252(ExpectedDocument(DocumentFormat::PlainText, 1, 2, 11, 40))));

  ASSERT_EQ(Report(with({"-o", "utf8.txt", "--encoding", "utf-8"})), "0 ");
  EXPECT_TRUE(test::ReadFile(dir_.File("utf8.txt")) == Utf8FromWindows1252(document));
  ASSERT_EQ(Report(with({"-o", "cp.txt", "--encoding", "windows-1252"})), "0 ");
  EXPECT_TRUE(test::ReadFile(dir_.File("cp.txt")) == document);
}

TEST_F(VaelgenSaveTest, FailedSaveLeavesTheOldFileAndExitsWithOne) {
  test::WriteFile(dir_.File("keep.txt"), "old names\r\n");
  auto missingFolder = RunVaelgen(dir_, {"-o", "nowhere/names.txt", "elves.vel"});
  EXPECT_EQ(missingFolder.status, 1);
  EXPECT_EQ(missingFolder.err.rfind("vaelgen: Couldn't write to file nowhere/names.txt", 0), 0u)
      << missingFolder.err;

  fs::create_directory(dir_.path() / "folder");
  auto folder = RunVaelgen(dir_, {"-o", "folder", "elves.vel"});
  EXPECT_EQ(folder.status, 1);
  EXPECT_TRUE(fs::is_directory(dir_.path() / "folder"));

  auto badChapter = RunVaelgen(dir_, {"-o", "keep.txt", "missing.vel"});
  EXPECT_EQ(badChapter.status, 1);
  EXPECT_EQ(test::ReadFile(dir_.File("keep.txt")), "old names\r\n");

  // A success replaces it whole, through a link to it as well.
  fs::create_symlink("keep.txt", dir_.path() / "link.txt");
  ASSERT_EQ(RunVaelgen(dir_, {"-o", "link.txt", "-n", "3", "elves.vel"}).status, 0);
  EXPECT_TRUE(fs::is_symlink(dir_.path() / "link.txt"));
  EXPECT_EQ(Lines(test::ReadFile(dir_.File("keep.txt"))).size(), 5u);  // line1, blank, 3 names
}

// A device or a pipe named by -o is written into: renaming a file over it
// would destroy it, as root above all.
TEST_F(VaelgenSaveTest, DevicesAndPipesAreWrittenIntoNotReplaced) {
  const std::vector<std::string> names = {"--format", "txt", "--seed", "5", "-n", "6", "elves.vel"};
  auto onto = [&](const std::string& target) {
    std::vector<std::string> arguments = {"-o", target};
    arguments.insert(arguments.end(), names.begin(), names.end());
    return arguments;
  };
  const Names devices = FolderEntries("/dev");
  EXPECT_EQ(Report(RunVaelgen(dir_, onto("/dev/null"))), "0 ");
  TempDir tools;
  const std::string vaelgen = tools.File("vaelgen");
  fs::copy_file(VAELGEN, vaelgen);  // reachable by an ordinary user wherever the build is
  fs::permissions(dir_.path(), fs::perms::all);
  EXPECT_EQ(InChild({.ordinaryUser = true},
                    [&] { return Report(RunVaelgen(dir_, onto("/dev/null"), vaelgen)); }),
            "0 ");
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  EXPECT_EQ(FolderEntries("/dev"), devices);

  const std::string pipe = dir_.File("pipe");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0666), 0);
  const Names before = FolderEntries(dir_.path());
  const pid_t reader = StartReader(pipe, tools.File("read"));
  EXPECT_EQ(Report(RunVaelgen(dir_, onto("pipe"))), "0 ");
  ASSERT_TRUE(Ended(reader)) << "vaelgen never opened the pipe";
  EXPECT_EQ(test::ReadFile(tools.File("read")), ExpectedDocument(DocumentFormat::PlainText, 0, 0, 5, 6));
  EXPECT_TRUE(fs::is_fifo(pipe));
  EXPECT_EQ(FolderEntries(dir_.path()), before);
}

// Each fault names the file and its reason, exits with 1 and leaves the
// old file and no temporary one.
TEST_F(VaelgenSaveTest, WriteFaultsAreReportedAndLeaveTheOldFile) {
  const std::vector<std::string> hundred = {"-n", "100", "elves.vel"};
  auto onto = [&](const std::string& target) {
    std::vector<std::string> arguments = {"-o", target};
    arguments.insert(arguments.end(), hundred.begin(), hundred.end());
    return arguments;
  };
  EXPECT_EQ(Report(RunVaelgen(dir_, onto("/dev/full"))),
            "1 vaelgen: Couldn't write to file /dev/full: the disk is full\n");
  // A folder that is there but takes no file says so, not that it is missing.
  if (fs::is_directory("/proc")) {
    EXPECT_EQ(Report(RunVaelgen(dir_, onto("/proc/names.txt"))),
              "1 vaelgen: Couldn't write to file /proc/names.txt: the folder takes no new files "
              "(no such file or directory)\n");
  }

  test::WriteFile(dir_.File("keep.txt"), "old names\r\n");
  ASSERT_EQ(RunVaelgen(dir_, {"-n", "1", "elves.vel"}).status, 0);  // the compiled chapter is in place
  const Names before = FolderEntries(dir_.path());
  EXPECT_EQ(InChild({.fileSizeLimit = 256}, [&] { return Report(RunVaelgen(dir_, onto("keep.txt"))); }),
            "1 vaelgen: Couldn't write to file keep.txt: the file would be larger than allowed\n");
  EXPECT_EQ(test::ReadFile(dir_.File("keep.txt")), "old names\r\n");
  EXPECT_EQ(FolderEntries(dir_.path()), before);

  // As an ordinary user: a read-only file is refused; a writable one in a
  // folder that takes no new file is written where it is.
  TempDir tools;
  const std::string vaelgen = tools.File("vaelgen");
  fs::copy_file(VAELGEN, vaelgen);
  fs::permissions(dir_.path(), fs::perms::all);
  fs::permissions(dir_.File("keep.txt"), fs::perms::owner_read | fs::perms::others_read);
  fs::create_directory(dir_.path() / "shut");
  test::WriteFile(dir_.File("shut/names.txt"), "old names\r\n");
  fs::permissions(dir_.File("shut/names.txt"), fs::perms::all);
  fs::permissions(dir_.path() / "shut", static_cast<fs::perms>(0555));
  EXPECT_EQ(InChild({.ordinaryUser = true},
                    [&] { return Report(RunVaelgen(dir_, onto("keep.txt"), vaelgen)); }),
            "1 vaelgen: Couldn't write to file keep.txt: no permission to change the file\n");
  EXPECT_EQ(test::ReadFile(dir_.File("keep.txt")), "old names\r\n");
  EXPECT_EQ(InChild({.ordinaryUser = true},
                    [&] {
                      return Report(RunVaelgen(dir_, {"-o", "shut/names.txt", "--seed", "3", "-n",
                                                      "4", "elves.vel"}, vaelgen));
                    }),
            "0 ");
  EXPECT_EQ(test::ReadFile(dir_.File("shut/names.txt")),
            ExpectedDocument(DocumentFormat::PlainText, 0, 0, 3, 4));
  EXPECT_EQ(FolderEntries(dir_.path() / "shut"), Names{"names.txt"});
}

TEST(VaelgenList, BooksAndChaptersSortedIgnoringCaseAndAccents) {
  TempDir dir;
  test::ChapterDraft draft = test::ElvesDraft();
  auto chapter = [&](const std::string& file, const std::string& title) {
    draft.title = title;
    test::WriteChapter(dir, file, draft);
  };
  fs::create_directories(dir.path() / "zwerge");
  fs::create_directories(dir.path() / "alben");
  test::WriteFile(dir.File("zwerge/book.dat"), "dwarves\r\n");
  test::WriteFile(dir.File("alben/book.dat"), "Elves\r\n");
  chapter("zwerge/hill.vel", "Hill dwarves");
  chapter("zwerge/deep.vel", "deep dwarves");
  chapter("alben/wood.vel", "\xC9lan wood");  // accented title, shown as UTF-8
  chapter("alben/fern.vel", "Fern wood");     // É sorts with E, not after Z
  chapter("loose.vel", "Loose");

  const std::string expected =
      "dwarves  (zwerge/)\n"
      "  deep dwarves  zwerge/deep.vel\n"
      "  Hill dwarves  zwerge/hill.vel\n"
      "Elves  (alben/)\n"
      "  \xC3\x89lan wood  alben/wood.vel\n"
      "  Fern wood  alben/fern.vel\n"
      "Unbound\n"
      "  Loose  loose.vel\n";
  auto here = RunVaelgen(dir, {"--list"});
  EXPECT_EQ(here.status, 0) << here.err;
  EXPECT_EQ(here.out, expected);

  // A folder's name is shown as the file system holds it (here UTF-8), not
  // taken for code-page text, so the path shown can be passed back as it is.
  fs::create_directories(dir.path() / "l\xC3\xA9gendes");
  test::WriteFile(dir.File("l\xC3\xA9gendes/book.dat"), "Legends\r\n");
  chapter("l\xC3\xA9gendes/old.vel", "Old tales");
  const std::string legends = RunVaelgen(dir, {"--list"}).out;
  EXPECT_NE(legends.find("Legends  (l\xC3\xA9gendes/)\n  Old tales  l\xC3\xA9gendes/old.vel\n"),
            std::string::npos) << legends;
  EXPECT_EQ(RunVaelgen(dir, {"-n", "1", "l\xC3\xA9gendes/old.vel"}).status, 0);
  const std::string raw = RunVaelgen(dir, {"--list", "--raw"}).out;
  EXPECT_NE(raw.find("  \xC9lan wood  alben/wood.vel\n"), std::string::npos) << raw;
  EXPECT_NE(raw.find("l\xC3\xA9gendes/old.vel"), std::string::npos) << raw;

  // From elsewhere the paths lead into the folder, ready to pass back.
  TempDir other;
  auto there = RunVaelgen(other, {"--list", dir.path().string()});
  EXPECT_EQ(there.status, 0);
  EXPECT_NE(there.out.find("  Loose  " + dir.path().string() + "/loose.vel\n"), std::string::npos)
      << there.out;
  EXPECT_NE(there.out.find("  Hill dwarves  " + dir.path().string() + "/zwerge/hill.vel\n"),
            std::string::npos);
  // Nothing to list is a failure that says where vaelgen looked.
  const std::string otherFolder = fs::canonical(other.path()).string();
  EXPECT_EQ(Report(RunVaelgen(other, {"--list"})),
            "1 vaelgen: no books or chapters in the current folder (" + otherFolder + ") or in your library (" +
                other.File(".data") + "/vael/library, which does not exist)\n");
  fs::create_directories(other.path() / ".data/vael/library");
  EXPECT_EQ(Report(RunVaelgen(other, {"--list"})),
            "1 vaelgen: no books or chapters in the current folder (" + otherFolder + ") or in your library (" +
                other.File(".data") + "/vael/library)\n");
  EXPECT_EQ(Report(RunVaelgen(dir, {"--list", other.path().string()})),
            "1 vaelgen: no books or chapters in " + other.path().string() + "\n");
  auto missing = RunVaelgen(other, {"--list", "nowhere"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "vaelgen: no such folder: nowhere\n");
}

// Folder and file names and titles come with a library from anywhere: an
// escape sequence or a line break in one is shown, as in messages, not sent
// to the terminal, where it recoloured or split the listing.
TEST(VaelgenList, ControlCharactersInNamesAndTitlesAreShown) {
  TempDir dir;
  test::ChapterDraft draft = test::ElvesDraft();
  draft.title = "Red\x1B[31m";
  fs::create_directories(dir.path() / "a\x1B[32mb");
  test::WriteFile(dir.File("a\x1B[32mb/book.dat"), "Book\x1B[33m\r\n");
  test::WriteChapter(dir, "a\x1B[32mb/c\nd.vel", draft);
  auto listed = RunVaelgen(dir, {"--list"});
  EXPECT_EQ(listed.status, 0) << listed.err;
  EXPECT_EQ(listed.out,
            "Book\\x1B[33m  (a\\x1B[32mb/)\n"
            "  Red\\x1B[31m  a\\x1B[32mb/c\\x0Ad.vel\n");
  auto titles = RunVaelgen(dir, {"--titles"});
  EXPECT_EQ(titles.status, 0) << titles.err;
  EXPECT_NE(titles.out.find("Red\\x1B[31m\n"), std::string::npos) << titles.out;
  EXPECT_EQ(titles.out.find('\x1B'), std::string::npos) << titles.out;
}

}  // namespace
}  // namespace vael
