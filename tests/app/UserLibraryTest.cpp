#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>

#include "app/UserLibrary.h"
#include "catalogue/CatalogueFolders.h"
#include "catalogue/Catalogue.h"
#include "support/ChildProcess.h"

namespace vael {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// Every regular file below folder with its bytes, by relative path.
std::map<std::string, std::string> Tree(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) {
      files[entry.path().lexically_relative(folder).string()] = ReadFile(entry.path().string());
    }
  }
  return files;
}

// An installed sample library with two books, a loose chapter and the help
// file, and a home folder without a library yet.
class UserLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    installed_ = root_.path() / "usr" / "share" / "vael" / "library";
    test::WriteBook(installed_ / "elder", "Elder Realms\r\nOld folk\r\n\r\nSamples\r\n");
    test::WriteTextChapter(installed_ / "elder", "dwarves.vel", "Dwarves");
    test::WriteBook(installed_ / "isles", "Isles\r\n");
    test::WriteTextChapter(installed_ / "isles", "welsh.vel", "Welsh");
    test::WriteTextChapter(installed_, "goblins.vel", "Goblins");
    WriteFile((installed_ / "vael.hlp").string(), "Help\r\n");
    home_ = root_.path() / "home";
    fs::create_directories(home_);
    fs::create_directories(root_.path() / "work");
  }

  LibraryPlaces Places() const { return {UserLibraryFolder(nullptr, home_.c_str()), installed_.string()}; }
  fs::path User() const { return Places().user; }
  // Nothing but the library itself below the user's data folder.
  std::vector<std::string> DataEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(User().parent_path())) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

  TempDir root_;
  fs::path installed_, home_;
};

TEST(UserLibraryFolder, FollowsTheDataHomeThenTheHomeFolder) {
  EXPECT_EQ(UserLibraryFolder("/data", "/home/u"), "/data/vael/library");
  EXPECT_EQ(UserLibraryFolder(nullptr, "/home/u"), "/home/u/.local/share/vael/library");
  // Only absolute folders count; a relative one would depend on where the
  // program was started.
  EXPECT_EQ(UserLibraryFolder("data", "/home/u"), "/home/u/.local/share/vael/library");
  EXPECT_EQ(UserLibraryFolder("", "/home/u"), "/home/u/.local/share/vael/library");
  EXPECT_EQ(UserLibraryFolder(nullptr, "home"), "");
  EXPECT_EQ(UserLibraryFolder(nullptr, nullptr), "");
}

TEST_F(UserLibraryTest, InstalledLibraryIsFoundBesideTheProgram) {
  const fs::path bin = root_.path() / "usr" / "bin";
  fs::create_directories(bin);
  EXPECT_EQ(InstalledLibraryFolder(bin.string()), installed_.string());
  EXPECT_EQ(InstalledLibraryFolder((root_.path() / "build" / "ui").string()), "");
  EXPECT_EQ(InstalledLibraryFolder(""), "");
  // The list of offensive words lies beside the library.
  EXPECT_EQ(InstalledOffensiveWords(bin.string()), "");
  const fs::path words = installed_.parent_path() / "offensive-words.txt";
  WriteFile(words.string(), "# none\n");
  EXPECT_EQ(InstalledOffensiveWords(bin.string()), words.string());
  EXPECT_EQ(InstalledOffensiveWords((root_.path() / "build" / "ui").string()), "");
}

TEST_F(UserLibraryTest, WorkingFolderWithBooksOrChaptersIsKept) {
  const fs::path work = root_.path() / "work";
  test::WriteTextChapter(work, "loose.vel", "Loose");
  EXPECT_EQ(ChooseLibrary(work.string(), Places()).folder, "");
  fs::remove(work / "loose.vel");
  test::WriteBook(work / "mine", "Mine\r\n");
  const LibraryChoice choice = ChooseLibrary(work.string(), Places());
  EXPECT_EQ(choice.folder, "");
  EXPECT_EQ(choice.cause, "");
  EXPECT_FALSE(fs::exists(User()));
}

TEST_F(UserLibraryTest, FirstStartCopiesTheInstalledLibraryWhole) {
  const LibraryChoice choice = ChooseLibrary((root_.path() / "work").string(), Places());
  EXPECT_EQ(choice.folder, User().string());
  EXPECT_EQ(choice.cause, "");
  EXPECT_EQ(Tree(User()), Tree(installed_));
  EXPECT_EQ(DataEntries(), std::vector<std::string>{"library"});
  EXPECT_TRUE(HoldsLibrary(choice.folder));
}

TEST_F(UserLibraryTest, LaterStartsKeepTheUsersChangesAndAddOnlyMissingBooks) {
  ASSERT_EQ(OpenUserLibrary(Places()).cause, "");
  // The user edits a chapter, deletes another, damages a book and adds one.
  WriteFile((User() / "elder" / "dwarves.vel").string(), "my own dwarves");
  fs::remove(User() / "goblins.vel");
  fs::remove(User() / "isles" / "book.dat");
  test::WriteBook(User() / "mine", "Mine\r\n");
  const auto changed = Tree(User());
  // A newer version brings a new book, and changes one the user has.
  test::WriteBook(installed_ / "stars", "Stars\r\n");
  test::WriteTextChapter(installed_ / "stars", "crews.vel", "Crews");
  test::WriteTextChapter(installed_ / "elder", "woodelves.vel", "Wood elves");

  const LibraryChoice choice = OpenUserLibrary(Places());
  EXPECT_EQ(choice.folder, User().string());
  EXPECT_EQ(choice.cause, "");
  auto expected = changed;
  expected["stars/book.dat"] = ReadFile((installed_ / "stars" / "book.dat").string());
  expected["stars/crews.vel"] = ReadFile((installed_ / "stars" / "crews.vel").string());
  EXPECT_EQ(Tree(User()), expected);
  for (const auto& entry : fs::directory_iterator(User())) {
    EXPECT_EQ(entry.path().filename().string().find(".partial"), std::string::npos);
  }
}

TEST_F(UserLibraryTest, LibraryThatCannotBeMadeIsReportedAndNothingIsLeft) {
  // The data folder's place is taken by a file: no one can create below it.
  WriteFile((root_.path() / "file").string(), "");
  LibraryPlaces places{UserLibraryFolder((root_.path() / "file").c_str(), nullptr), installed_.string()};
  LibraryChoice choice = ChooseLibrary((root_.path() / "work").string(), places);
  EXPECT_EQ(choice.folder, "");
  EXPECT_EQ(choice.cause, "Couldn't create your library (Not a directory).");
  EXPECT_EQ(choice.failedFolder, places.user);

  // A read-only home, for a user whom permissions stop.
  ::chmod(home_.c_str(), 0555);
  EXPECT_EQ(test::InChild({.ordinaryUser = true}, [&] {
              const LibraryChoice readOnly = OpenUserLibrary(Places());
              return readOnly.folder + "|" + readOnly.cause;
            }),
            "|Couldn't create your library (Permission denied).");
  ::chmod(home_.c_str(), 0755);
  EXPECT_FALSE(fs::exists(home_ / ".local"));

  // A file where the library should be is not replaced.
  fs::create_directories(User().parent_path());
  WriteFile(User().string(), "notes");
  choice = OpenUserLibrary(Places());
  EXPECT_EQ(choice.folder, "");
  EXPECT_EQ(choice.cause, "Your library is not a folder.");
  EXPECT_EQ(ReadFile(User().string()), "notes");

  // No home folder at all.
  choice = OpenUserLibrary({"", installed_.string()});
  EXPECT_EQ(choice.folder, "");
  EXPECT_EQ(choice.cause, "Couldn't find a folder for your library: HOME is not set.");
}

TEST_F(UserLibraryTest, FullDiskLeavesNoHalfCopiedLibrary) {
  // A chapter larger than the file size limit the copy runs under.
  WriteFile((installed_ / "elder" / "big.vel").string(), std::string(64 * 1024, 'x'));
  const std::string seen = test::InChild({.fileSizeLimit = 16 * 1024}, [&] {
    const LibraryChoice choice = OpenUserLibrary(Places());
    return choice.folder + "|" + choice.cause;
  });
  EXPECT_EQ(seen.rfind("|Couldn't create your library (", 0), 0u) << seen;
  EXPECT_TRUE(DataEntries().empty());
  // Once there is room, the library is made as if nothing had happened.
  EXPECT_EQ(OpenUserLibrary(Places()).folder, User().string());
  EXPECT_EQ(Tree(User()), Tree(installed_));
}

// A sample book being added when the program is killed (here by the file
// size limit, part way through) never shows in the library half copied:
// its description comes last, and without it the folder is no book.
TEST_F(UserLibraryTest, BookCopyCutShortIsNoBook) {
  ASSERT_EQ(OpenUserLibrary(Places()).cause, "");
  auto bookFolders = [&] {
    std::vector<std::string> folders;
    for (const BookEntry& book : ScanBooks(User().string()).books) folders.push_back(book.folder);
    return folders;
  };
  const std::vector<std::string> before = bookFolders();
  test::WriteBook(installed_ / "stars", "Stars\r\n");
  test::WriteTextChapter(installed_ / "stars", "crews.vel", "Crews");
  WriteFile((installed_ / "stars" / "big.vel").string(), std::string(64 * 1024, 'x'));
  const std::string seen = test::InChild({.fileSizeLimit = 16 * 1024}, [&] {
    ::signal(SIGXFSZ, SIG_DFL);
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    OpenUserLibrary(Places());
    return std::string("not killed");
  });
  ASSERT_EQ(seen, "child: ended by signal " + std::to_string(SIGXFSZ));
  EXPECT_EQ(bookFolders(), before);
}

TEST_F(UserLibraryTest, WithoutAnInstalledLibraryNothingIsMade) {
  const LibraryChoice choice = ChooseLibrary((root_.path() / "work").string(), {Places().user, ""});
  EXPECT_EQ(choice.folder, "");
  EXPECT_EQ(choice.cause, "");
  EXPECT_FALSE(fs::exists(home_ / ".local"));
}

TEST_F(UserLibraryTest, HelpFileComesFromTheWorkingFolderOrTheInstalledLibrary) {
  const test::WorkingFolder working(root_.path() / "work");
  EXPECT_EQ(HelpFilePath(Places()), (installed_ / "vael.hlp").string());
  EXPECT_EQ(HelpFilePath({Places().user, ""}), "vael.hlp");
  WriteFile("vael.hlp", "Mine\r\n");
  EXPECT_EQ(HelpFilePath(Places()), "vael.hlp");
}

}  // namespace
}  // namespace vael
