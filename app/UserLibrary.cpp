#include "app/UserLibrary.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "catalogue/Catalogue.h"
#include "catalogue/FolderEntries.h"
#include "core/files/ReplaceFile.h"

// Where the installed sample library lies, seen from the executable's folder
// (bin/ and share/ of one prefix); the build sets it from its install layout.
#ifndef VAEL_DATA_FROM_BINARY
#define VAEL_DATA_FROM_BINARY "../share"
#endif

namespace vael {

namespace fs = std::filesystem;

namespace {

constexpr char kBookFile[] = "book.dat";

// A staging name beside target, unique to this process.
fs::path Staging(const fs::path& target) {
  fs::path staging = target;
  staging += ".partial-" + std::to_string(::getpid());
  return staging;
}

// Copies the folders and regular files below from into to, which must not
// exist yet. The book files come last, so a copy cut short never reads as a
// book.
bool CopyTree(const fs::path& from, const fs::path& to, std::string& reason) {
  std::error_code error;
  if (!fs::create_directory(to, error)) {
    reason = error ? error.message() : "it exists already";
    return false;
  }
  std::vector<fs::path> files, bookFiles;
  fs::recursive_directory_iterator it(from, error);
  for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    const fs::path relative = it->path().lexically_relative(from);
    if (it->is_directory(error)) {
      if (!fs::create_directory(to / relative, error) && !error) error = std::make_error_code(std::errc::file_exists);
    } else if (it->is_regular_file(error)) {
      (relative.filename() == kBookFile ? bookFiles : files).push_back(relative);
    }
    if (error) break;
  }
  if (error) {
    reason = error.message();
    return false;
  }
  files.insert(files.end(), bookFiles.begin(), bookFiles.end());
  for (const fs::path& relative : files) {
    const std::optional<std::string> bytes = ReadWholeFile((from / relative).string());
    if (!bytes) {
      reason = "couldn't read " + (from / relative).string();
      return false;
    }
    const FileWriteResult write = ReplaceFile((to / relative).string(), *bytes);
    if (!write.written) {
      reason = write.reason;
      return false;
    }
  }
  return true;
}

// Copies from into target through a staging folder beside it, renamed into
// place only when whole. Another program that made target meanwhile wins.
bool CopyInto(const fs::path& from, const fs::path& target, std::string& reason) {
  const fs::path staging = Staging(target);
  std::error_code error;
  fs::remove_all(staging, error);  // left by a run of the same number that was cut short
  bool copied = CopyTree(from, staging, reason);
  if (copied) {
    fs::rename(staging, target, error);
    if (error && !fs::is_directory(target)) {
      reason = error.message();
      copied = false;
    }
  }
  fs::remove_all(staging, error);
  return copied;
}

bool Exists(const fs::path& path) {
  std::error_code error;
  // A dangling link counts: its name is taken.
  return fs::exists(fs::symlink_status(path, error));
}

// Copies in every sample book whose folder the user's library lacks; the
// first failure is reported and ends the round.
LibraryChoice AddMissingBooks(const LibraryPlaces& places) {
  LibraryChoice choice{places.user, {}, {}};
  if (places.installed.empty()) return choice;
  for (const BookEntry& book : ScanBooks(places.installed).books) {
    if (book.folder == "." || book.folder == "..") continue;
    const fs::path target = fs::path(places.user) / book.folder;
    if (Exists(target)) continue;
    std::string reason;
    if (!CopyInto(fs::path(places.installed) / book.folder, target, reason)) {
      choice.cause = "Couldn't add the sample book " + book.folder + " to your library (" + reason + ").";
      choice.failedFolder = target.string();
      return choice;
    }
  }
  return choice;
}

}  // namespace

std::string UserLibraryFolder(const char* dataHome, const char* home) {
  if (dataHome != nullptr && dataHome[0] == '/') return (fs::path(dataHome) / "vael" / "library").string();
  if (home != nullptr && home[0] == '/') {
    return (fs::path(home) / ".local" / "share" / "vael" / "library").string();
  }
  return {};
}

std::string InstalledLibraryFolder(const std::string& executableFolder) {
  if (executableFolder.empty()) return {};
  const fs::path library =
      (fs::path(executableFolder) / VAEL_DATA_FROM_BINARY / "vael" / "library").lexically_normal();
  return IsFolder(library.string()) ? library.string() : std::string();
}

std::string InstalledOffensiveWords(const std::string& executableFolder) {
  if (executableFolder.empty()) return {};
  const fs::path list =
      (fs::path(executableFolder) / VAEL_DATA_FROM_BINARY / "vael" / kOffensiveWordsFile).lexically_normal();
  std::error_code error;
  return fs::is_regular_file(list, error) ? list.string() : std::string();
}

// The folder of this process's executable; empty when it cannot be told.
std::string ExecutableFolder() {
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  return error ? std::string() : executable.parent_path().string();
}

std::string OffensiveWordsFile() { return InstalledOffensiveWords(ExecutableFolder()); }

LibraryPlaces FindLibraryPlaces() {
  LibraryPlaces places;
  places.user = UserLibraryFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
  places.installed = InstalledLibraryFolder(ExecutableFolder());
  return places;
}

bool HoldsLibrary(const std::string& folder) {
  const BookScan scan = ScanBooks(folder);
  return scan.unbound || !scan.books.empty();
}

LibraryChoice OpenUserLibrary(const LibraryPlaces& places) {
  if (places.user.empty()) {
    if (places.installed.empty()) return {};
    return {{}, "Couldn't find a folder for your library: HOME is not set.", {}};
  }
  std::error_code error;
  const fs::file_status status = fs::status(places.user, error);
  if (fs::is_directory(status)) return AddMissingBooks(places);
  if (fs::exists(status)) return {{}, "Your library is not a folder.", places.user};
  if (places.installed.empty()) return {};

  std::string reason;
  const fs::path target(places.user);
  fs::create_directories(target.parent_path(), error);
  if (error) {
    reason = error.message();
  } else if (CopyInto(places.installed, target, reason)) {
    return {places.user, {}, {}};
  }
  return {{}, "Couldn't create your library (" + reason + ").", places.user};
}

LibraryChoice ChooseLibrary(const std::string& workingFolder, const LibraryPlaces& places) {
  if (HoldsLibrary(workingFolder)) return {};
  return OpenUserLibrary(places);
}

std::string HelpFilePath(const LibraryPlaces& places) {
  const std::string here = "vael.hlp";
  if (ReadFilePrefix(here, 0) || places.installed.empty()) return here;
  const std::string installed = PathInFolder(places.installed, here);
  return ReadFilePrefix(installed, 0) ? installed : here;
}

}  // namespace vael
