#include "catalogue/Catalogue.h"
#include "catalogue/FolderEntries.h"

#include <algorithm>

namespace vael {

namespace {

// Only this much of "book.dat" is read while scanning, so a book's title
// line must end within it.
constexpr std::size_t kBookScanBytes = 255;

bool AnyWithExtension(const std::vector<std::string>& names, std::string_view extension) {
  return std::any_of(names.begin(), names.end(),
                     [&](const std::string& name) { return HasExtension(name, extension); });
}

}  // namespace

BookScan ScanBooks(const std::string& baseFolder) {
  BookScan scan;
  std::vector<std::string> entries = FolderEntries(baseFolder);
  // Any entry counts here, a folder named like a chapter included.
  scan.unbound = AnyWithExtension(entries, ".vel") || AnyWithExtension(entries, ".qch");
  for (const std::string& name : entries) {
    std::string folder = PathInFolder(baseFolder, name);
    if (!IsFolder(folder)) continue;
    auto head = ReadBookDescription(folder, kBookScanBytes);
    if (!head) continue;
    std::size_t position = 0;
    std::string title = ReadBookLine(*head, position);
    if (!title.empty()) scan.books.push_back({name, title});
  }
  return scan;
}

}  // namespace vael
