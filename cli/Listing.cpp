#include "cli/Listing.h"

#include <algorithm>

#include "catalogue/Catalogue.h"
#include "core/Vael.h"

namespace vael::cli {

namespace {

struct Shelf {
  std::string title;
  std::string folder;  // "" for the loose chapters of "Unbound"
};

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder == ".") return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

}  // namespace

std::string CatalogueListing(const std::string& folder) {
  BookScan scan = ScanBooks(folder);
  std::vector<Shelf> shelves;
  if (scan.unbound) shelves.push_back({"Unbound", ""});
  for (const BookEntry& book : scan.books) shelves.push_back({book.title, book.folder});
  SortByTitle(shelves, [](const Shelf& shelf) -> const std::string& { return shelf.title; });

  std::string text;
  for (const Shelf& shelf : shelves) {
    std::string bookFolder = shelf.folder.empty() ? folder : JoinPath(folder, shelf.folder) + "/";
    text += shelf.title;
    if (!shelf.folder.empty()) text += "  (" + JoinPath(folder, shelf.folder) + "/)";
    text += "\n";
    std::vector<ChapterEntry> chapters = ListChapters(bookFolder);
    SortByTitle(chapters, [](const ChapterEntry& chapter) -> const std::string& { return chapter.title; });
    std::size_t width = 0;
    for (const ChapterEntry& chapter : chapters) width = std::max(width, chapter.title.size());
    for (const ChapterEntry& chapter : chapters) {
      text += "  " + chapter.title + std::string(width - chapter.title.size() + 2, ' ');
      text += JoinPath(bookFolder, chapter.fileName) + "\n";
    }
  }
  return text;
}

}  // namespace vael::cli
