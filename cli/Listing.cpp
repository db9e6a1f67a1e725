#include "cli/Listing.h"

#include <algorithm>
#include <filesystem>

#include "cli/Messages.h"
#include "core/Vael.h"

namespace vael::cli {

namespace {

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder == ".") return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

}  // namespace

std::vector<Shelf> LibraryShelves(const std::string& folder) {
  BookScan scan = ScanBooks(folder);
  std::vector<Shelf> shelves;
  if (scan.unbound) shelves.push_back({"Unbound", "", folder, {}});
  for (const BookEntry& book : scan.books) {
    shelves.push_back({book.title, book.folder, JoinPath(folder, book.folder) + "/", {}});
  }
  SortByTitle(shelves, [](const Shelf& shelf) -> const std::string& { return shelf.title; });
  for (Shelf& shelf : shelves) {
    shelf.chapters = ListChapters(shelf.bookFolder);
    SortByTitle(shelf.chapters, [](const ChapterEntry& chapter) -> const std::string& { return chapter.title; });
  }
  return shelves;
}

// Titles and names come with a library from anywhere: a control character
// in one (an escape sequence, a line break) is shown, as in messages,
// rather than sent to the terminal.
std::string ShownTitle(const std::string& title, bool raw) {
  return raw ? title : VisibleText(Utf8FromWindows1252(title));
}

std::string CatalogueListing(const std::string& folder, bool raw) {
  const auto shown = [raw](const std::string& title) { return ShownTitle(title, raw); };
  std::string text;
  for (const Shelf& shelf : LibraryShelves(folder)) {
    text += shown(shelf.title);
    if (!shelf.folder.empty()) text += "  (" + VisibleText(JoinPath(folder, shelf.folder)) + "/)";
    text += "\n";
    std::size_t width = 0;
    for (const ChapterEntry& chapter : shelf.chapters) width = std::max(width, chapter.title.size());
    for (const ChapterEntry& chapter : shelf.chapters) {
      // Padded by the code page's letters, one a byte: the columns a terminal shows.
      text += "  " + shown(chapter.title) + std::string(width - chapter.title.size() + 2, ' ');
      text += VisibleText(JoinPath(shelf.bookFolder, chapter.fileName)) + "\n";
    }
  }
  return text;
}

std::string NothingListedText(const std::string& given, const std::string& listed,
                              const LibraryPlaces& places) {
  if (!given.empty()) return "no books or chapters in " + given;
  std::error_code ignored;
  std::string text =
      "no books or chapters in the current folder (" + std::filesystem::current_path(ignored).string() + ")";
  if (places.user.empty()) return text + ", and no folder for your library: HOME is not set";
  return text + " or in your library (" + places.user + (listed.empty() ? ", which does not exist)" : ")");
}

}  // namespace vael::cli
