// Replacing a file: links, devices and pipes, kept permissions, and every
// fault a disk or a folder can raise, each leaving the old content and no
// temporary file behind.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "DiskFaults.h"
#include "core/Vael.h"
#include "support/ChildProcess.h"
#include "support/TestSupport.h"

namespace vael {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using test::FolderEntries;
using test::InChild;
using test::ReadFile;
using test::WriteFile;

const std::string kOld = "the old content, longer than the new\n";
constexpr fs::perms kReadOnly = static_cast<fs::perms>(0555);
constexpr fs::perms kReadOnlyFile = static_cast<fs::perms>(0444);
constexpr fs::perms kSticky = fs::perms::all | fs::perms::sticky_bit;

// What a replacement did, in one comparable line.
std::string Outcome(const FileWriteResult& result) {
  return result.written ? "written" : "failed: " + result.reason;
}

ino_t Inode(const std::string& path) {
  struct stat status {};
  ::stat(path.c_str(), &status);
  return status.st_ino;
}

class ReplaceFileTest : public ::testing::Test {
 protected:
  // A folder of the given mode holding one file "f" with the old content.
  std::string FolderWithFile(const std::string& name, fs::perms folderMode, fs::perms fileMode) {
    fs::create_directory(dir_.path() / name);
    const std::string file = dir_.File(name + "/f");
    WriteFile(file, kOld);
    fs::permissions(file, fileMode);
    fs::permissions(dir_.path() / name, folderMode);
    return file;
  }

  test::TempDir dir_;
};

TEST_F(ReplaceFileTest, ReplacesWholeKeepingPermissionsAndOwner) {
  const std::string file = dir_.File("f");
  EXPECT_EQ(Outcome(ReplaceFile(file, "first")), "written");
  EXPECT_EQ(ReadFile(file), "first");

  WriteFile(file, kOld);
  ::chmod(file.c_str(), 0604);
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(file.c_str(), test::kOrdinaryUser, test::kOrdinaryUser), 0);
  }
  EXPECT_EQ(Outcome(ReplaceFile(file, "new")), "written");
  EXPECT_EQ(ReadFile(file), "new");
  EXPECT_EQ(test::Mode(file), 0604u);
  struct stat status {};
  ::stat(file.c_str(), &status);
  EXPECT_EQ(status.st_uid, root ? test::kOrdinaryUser : ::geteuid());
  EXPECT_EQ(FolderEntries(dir_.path()), Names{"f"});

  EXPECT_EQ(Outcome(ReplaceFile(file, "")), "written");
  EXPECT_EQ(ReadFile(file), "");
  EXPECT_EQ(Outcome(ReplaceFile("", "x")), "failed: no file name was given");
}

TEST_F(ReplaceFileTest, LinksAreFollowedToTheFileTheyName) {
  fs::create_directory(dir_.path() / "here");
  fs::create_directory(dir_.path() / "there");
  const std::string real = dir_.File("there/real");
  WriteFile(real, kOld);
  ::chmod(real.c_str(), 0640);
  fs::create_symlink("../there/real", dir_.path() / "here/link");
  fs::create_symlink("link", dir_.path() / "here/chain");

  EXPECT_EQ(Outcome(ReplaceFile(dir_.File("here/chain"), "new")), "written");
  EXPECT_EQ(ReadFile(real), "new");
  EXPECT_EQ(test::Mode(real), 0640u);
  EXPECT_TRUE(fs::is_symlink(dir_.path() / "here/link"));
  EXPECT_TRUE(fs::is_symlink(dir_.path() / "here/chain"));
  EXPECT_EQ(FolderEntries(dir_.path() / "here"), (Names{"chain", "link"}));
  EXPECT_EQ(FolderEntries(dir_.path() / "there"), Names{"real"});

  // A dangling link creates the file it names; where that cannot be, the
  // link stays as it was.
  fs::create_symlink("../there/made", dir_.path() / "here/dangling");
  EXPECT_EQ(Outcome(ReplaceFile(dir_.File("here/dangling"), "made")), "written");
  EXPECT_EQ(ReadFile(dir_.File("there/made")), "made");
  EXPECT_TRUE(fs::is_symlink(dir_.path() / "here/dangling"));
  fs::create_symlink("../nowhere/lost", dir_.path() / "here/lost");
  EXPECT_EQ(Outcome(ReplaceFile(dir_.File("here/lost"), "x")), "failed: the folder does not exist");
  EXPECT_EQ(fs::read_symlink(dir_.path() / "here/lost"), "../nowhere/lost");

  fs::create_symlink("loop2", dir_.path() / "here/loop1");
  fs::create_symlink("loop1", dir_.path() / "here/loop2");
  EXPECT_EQ(Outcome(ReplaceFile(dir_.File("here/loop1"), "x")), "failed: too many symbolic links");
  EXPECT_EQ(FolderEntries(dir_.path() / "here"),
            (Names{"chain", "dangling", "link", "loop1", "loop2", "lost"}));
}

// A chain is followed as far as the kernel would follow it, and a longer
// one is refused before anything is made at its end.
TEST_F(ReplaceFileTest, LinkChainsAreFollowedAsFarAsTheKernelFollowsThem) {
  // link<length>-1 -> link<length>-2 -> ... -> a file not yet made.
  auto chain = [&](int length, const std::string& end) {
    const std::string prefix = "link" + std::to_string(length) + "-";
    for (int i = 1; i <= length; ++i) {
      const std::string next = i == length ? end : prefix + std::to_string(i + 1);
      fs::create_symlink(next, dir_.path() / (prefix + std::to_string(i)));
    }
    return dir_.File(prefix + "1");
  };
  const std::string longest = chain(40, "made");
  const std::string tooLong = chain(41, "never");
  const Names before = FolderEntries(dir_.path());
  EXPECT_EQ(Outcome(ReplaceFile(tooLong, "x")), "failed: too many symbolic links");
  EXPECT_FALSE(fs::exists(dir_.path() / "never"));
  EXPECT_EQ(FolderEntries(dir_.path()), before);
  EXPECT_EQ(Outcome(ReplaceFile(longest, "new")), "written");
  EXPECT_EQ(ReadFile(dir_.File("made")), "new");
  EXPECT_TRUE(fs::is_symlink(dir_.path() / "link40-40"));
}

TEST_F(ReplaceFileTest, DevicesAndPipesAreWrittenIntoNotReplaced) {
  const Names devices = FolderEntries("/dev");
  EXPECT_EQ(Outcome(ReplaceFile("/dev/null", "names")), "written");
  EXPECT_EQ(Outcome(ReplaceFile("/dev/full", "names")), "failed: the disk is full");
  fs::create_symlink("/dev/full", dir_.path() / "full");
  EXPECT_EQ(Outcome(ReplaceFile(dir_.File("full"), "names")), "failed: the disk is full");
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
  EXPECT_EQ(FolderEntries("/dev"), devices);

  // A reader that goes away fails the write rather than ending the
  // program with SIGPIPE, and leaves no SIGPIPE waiting either.
  const std::string fifo = dir_.File("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  const std::string seen = InChild({}, [&] {
    ::signal(SIGPIPE, SIG_DFL);
    const pid_t reader = ::fork();
    if (reader == 0) {
      ::close(::open(fifo.c_str(), O_RDONLY));
      ::_exit(0);
    }
    const std::string large(1 << 20, 'x');  // more than a pipe holds
    const std::string outcome = Outcome(ReplaceFile(fifo, large));
    ::kill(reader, SIGKILL);  // still waiting if the pipe was never opened
    ::waitpid(reader, nullptr, 0);
    sigset_t pending;
    sigpending(&pending);
    return outcome + (sigismember(&pending, SIGPIPE) ? ", SIGPIPE pending" : "");
  });
  EXPECT_EQ(seen, "failed: nothing reads from it any more");
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_EQ(FolderEntries(dir_.path()), (Names{"fifo", "full"}));
}

// Every fault below must leave the folder exactly as it was: the old file
// with its content, and no temporary file.
TEST_F(ReplaceFileTest, FaultsLeaveTheOldContentAndNoTemporaryFile) {
  const std::string large(4096, 'n');
  const std::string file = dir_.File("f");
  WriteFile(file, kOld);
  EXPECT_EQ(InChild({.fileSizeLimit = 64}, [&] { return Outcome(ReplaceFile(file, large)); }),
            "failed: the file would be larger than allowed");
  EXPECT_EQ(ReadFile(file), kOld);

  // A folder of that name cannot be renamed over.
  fs::create_directories(dir_.path() / "folder/inside");
  EXPECT_EQ(Outcome(ReplaceFile(dir_.File("folder"), "x")), "failed: it is a folder");
  EXPECT_EQ(FolderEntries(dir_.path() / "folder"), Names{"inside"});
  EXPECT_EQ(Outcome(ReplaceFile(dir_.File("missing/f"), "x")), "failed: the folder does not exist");
  EXPECT_EQ(FolderEntries(dir_.path()), (Names{"f", "folder"}));

  // The permission cases, as an ordinary user.
  const std::string readOnlyFile = FolderWithFile("open", fs::perms::all, kReadOnlyFile);
  const std::string bothReadOnly = FolderWithFile("shut", kReadOnly, kReadOnlyFile);
  const std::string newInShut = dir_.File("shut/new");
  auto asUser = [](const std::string& path, const std::string& bytes) {
    return InChild({.ordinaryUser = true}, [&] { return Outcome(ReplaceFile(path, bytes)); });
  };
  EXPECT_EQ(asUser(readOnlyFile, "x"), "failed: no permission to change the file");
  EXPECT_EQ(asUser(bothReadOnly, "x"), "failed: no permission to change the file");
  EXPECT_EQ(asUser(newInShut, "x"), "failed: no permission to write in the folder");
  EXPECT_EQ(ReadFile(readOnlyFile), kOld);
  EXPECT_EQ(ReadFile(bothReadOnly), kOld);
  EXPECT_EQ(FolderEntries(dir_.path() / "open"), Names{"f"});
  EXPECT_EQ(FolderEntries(dir_.path() / "shut"), Names{"f"});
}

// A disk may report a failed write only when the file is synced or closed:
// the save then fails like any other, before the old file is replaced.
TEST_F(ReplaceFileTest, AFailedSyncOrCloseFailsTheSave) {
  const std::string file = dir_.File("f");
  for (const test::DiskCall call : {test::DiskCall::Sync, test::DiskCall::Close}) {
    SCOPED_TRACE(call == test::DiskCall::Sync ? "sync" : "close");
    WriteFile(file, kOld);
    test::FailNext(call, dir_.path().string(), EIO);
    EXPECT_EQ(Outcome(ReplaceFile(file, "new")), "failed: the disk reported an error");
    EXPECT_TRUE(test::NoFailureLeft());
    EXPECT_EQ(ReadFile(file), kOld);
    EXPECT_EQ(FolderEntries(dir_.path()), Names{"f"});
  }
}

// A writable file in a folder that takes no new file is written where it
// is; a failure there is reported with the warning that it may be damaged.
TEST_F(ReplaceFileTest, WritableFileInAFolderOneCannotWriteIsWrittenInPlace) {
  const std::string file = FolderWithFile("shut", kReadOnly, fs::perms::all);
  const ino_t inode = Inode(file);
  EXPECT_EQ(InChild({.ordinaryUser = true}, [&] { return Outcome(ReplaceFile(file, "short")); }),
            "written");
  EXPECT_EQ(ReadFile(file), "short");
  EXPECT_EQ(Inode(file), inode);
  EXPECT_EQ(test::Mode(file), 0777u);

  const std::string large(4096, 'n');
  EXPECT_EQ(InChild({.ordinaryUser = true, .fileSizeLimit = 64},
                    [&] { return Outcome(ReplaceFile(file, large)); }),
            "failed: the file would be larger than allowed; the file was being written over and "
            "may now be damaged");
  EXPECT_EQ(FolderEntries(dir_.path() / "shut"), Names{"f"});
}

// Replaced by another user, a file is that user's: a set-user-ID or
// set-group-ID bit, which would run a program as its old owner or group,
// is not handed to the new one.
TEST_F(ReplaceFileTest, ANewOwnerGetsNoSetIdBits) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to give the file another owner than the test";
  const std::string file = FolderWithFile("open", fs::perms::all, fs::perms::all);
  ASSERT_EQ(::chmod(file.c_str(), 06777), 0);
  // Emptied: the system itself clears the bits on an ordinary user's write,
  // but a file that takes no write keeps what it was given.
  const std::string seen = InChild({.ordinaryUser = true}, [&] {
    const std::string outcome = Outcome(ReplaceFile(file, ""));
    struct stat status {};
    ::stat(file.c_str(), &status);
    char mode[16];
    std::snprintf(mode, sizeof mode, "%o", static_cast<unsigned>(status.st_mode & 07777));
    return outcome + ", owner " + std::to_string(status.st_uid) + ", mode " + mode;
  });
  EXPECT_EQ(seen, "written, owner " + std::to_string(test::kOrdinaryUser) + ", mode 777");
  EXPECT_EQ(ReadFile(file), "");
}

// In a folder anyone may add to but only owners may replace in (the
// sticky bit), another user's writable file is written in place.
TEST_F(ReplaceFileTest, StickyFolderFallsBackToWritingInPlace) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to give the file another owner than the test";
  const std::string file = FolderWithFile("shared", kSticky, fs::perms::all);
  EXPECT_EQ(InChild({.ordinaryUser = true}, [&] { return Outcome(ReplaceFile(file, "new")); }),
            "written");
  EXPECT_EQ(ReadFile(file), "new");
  struct stat status {};
  ::stat(file.c_str(), &status);
  EXPECT_EQ(status.st_uid, 0u);
  EXPECT_EQ(FolderEntries(dir_.path() / "shared"), Names{"f"});
}

}  // namespace
}  // namespace vael
