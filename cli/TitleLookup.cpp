#include "cli/TitleLookup.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/UserLibrary.h"
#include "catalogue/FolderEntries.h"
#include "cli/Listing.h"
#include "core/Vael.h"

namespace vael::cli {

namespace {

constexpr std::size_t kMostCloseMatches = 10;

// The user's library, made on first use as the window makes it; nothing when
// it is the current folder, searched already.
std::string UserLibrary(const LibraryPlaces& places, bool currentSearched, std::string& problem) {
  const LibraryChoice user = OpenUserLibrary(places);
  if (!user.cause.empty()) problem = user.cause + (user.failedFolder.empty() ? "" : " " + user.failedFolder);
  std::error_code error;
  if (user.folder.empty() || (currentSearched && std::filesystem::equivalent(".", user.folder, error))) return {};
  return user.folder;
}

// Edits (insert, delete, replace) between a and each beginning of b:
// element j is the distance from a to the first j characters of b, so the
// last is the distance between the whole words.
std::vector<std::size_t> Distances(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row;
}

// A near miss: the title holds what was typed, differs by a typo or two, or
// begins with what was typed but for a typo ("Finish" for "Finnish given
// names"; a beginning shorter than four letters must be exact).
bool IsClose(const std::string& typed, const std::string& title) {
  const std::string a = ToLower(typed), b = ToLower(title);
  if (b.find(a) != std::string::npos) return true;
  const std::vector<std::size_t> distances = Distances(a, b);
  return distances.back() <= std::max<std::size_t>(2, a.size() / 4) ||
         *std::min_element(distances.begin(), distances.end()) <= a.size() / 4;
}

void Search(const std::string& folder, const std::string& title, TitleLookup& lookup) {
  for (const Shelf& shelf : LibraryShelves(folder)) {
    for (const ChapterEntry& chapter : shelf.chapters) {
      TitledChapter entry{shelf.title + "/" + chapter.title, PathInFolder(shelf.bookFolder, chapter.fileName)};
      if (EqualsIgnoreCase(title, chapter.title) || EqualsIgnoreCase(title, entry.name)) {
        lookup.matches.push_back(entry);
      } else if (lookup.close.size() < kMostCloseMatches &&
                 (IsClose(title, chapter.title) || IsClose(title, entry.name))) {
        lookup.close.push_back(entry);
      }
    }
  }
}

}  // namespace

bool LooksLikeTitle(const std::string& argument) {
  if (argument.empty()) return false;
  std::error_code error;
  if (std::filesystem::exists(std::filesystem::symlink_status(argument, error))) return false;
  return !HasExtension(argument, ".vel") && !HasExtension(argument, ".qch") && !HasExtension(argument, ".txt");
}

TitleLookup LookUpTitle(const std::string& title, const LibraryPlaces& places) {
  TitleLookup lookup;
  const bool current = HoldsLibrary("");
  if (current) Search("", title, lookup);
  // A title found in the current folder's library is the one meant.
  if (lookup.matches.empty()) {
    const std::string user = UserLibrary(places, current, lookup.libraryProblem);
    if (!user.empty()) Search(user, title, lookup);
  }
  if (lookup.matches.size() == 1) {
    lookup.path = lookup.matches.front().path;
    lookup.matches.clear();
  }
  if (!lookup.matches.empty() || !lookup.path.empty()) lookup.close.clear();
  return lookup;
}

std::vector<std::string> KnownTitles(const LibraryPlaces& places) {
  std::vector<std::string> folders;
  const bool current = HoldsLibrary("");
  if (current) folders.push_back("");
  std::string problem;
  if (std::string user = UserLibrary(places, current, problem); !user.empty()) folders.push_back(user);
  std::vector<std::string> titles;
  for (const std::string& folder : folders) {
    for (const Shelf& shelf : LibraryShelves(folder)) {
      for (const ChapterEntry& chapter : shelf.chapters) titles.push_back(chapter.title);
    }
  }
  SortByTitle(titles, [](const std::string& title) -> const std::string& { return title; });
  titles.erase(std::unique(titles.begin(), titles.end()), titles.end());
  return titles;
}

}  // namespace vael::cli
