#include "catalogue/Catalogue.h"
#include "catalogue/ChapterTitles.h"
#include "catalogue/FolderEntries.h"

#include <algorithm>

namespace vael {

namespace {

bool AnyFileNameStartsWith(const std::vector<ChapterEntry>& rows, const std::string& base) {
  return std::any_of(rows.begin(), rows.end(), [&](const ChapterEntry& row) {
    return row.fileName.compare(0, base.size(), base) == 0;
  });
}

bool AnyTitleEquals(const std::vector<ChapterEntry>& rows, const std::string& title) {
  return std::any_of(rows.begin(), rows.end(),
                     [&](const ChapterEntry& row) { return row.title == title; });
}

}  // namespace

std::vector<ChapterEntry> ListChapters(const std::string& bookFolder, const ListProgress& progress) {
  std::vector<std::string> entries = FolderEntries(bookFolder);
  // The range counts every entry, "." and ".." included, while the steps
  // count chapter files only: the gauge rarely reaches its end by itself.
  int count = static_cast<int>(entries.size());
  if (progress.start) progress.start(1, std::max(count - 1, 1), 1);
  auto step = [&] {
    if (progress.step) progress.step();
  };

  std::vector<ChapterEntry> rows;
  for (const std::string& name : entries) {
    if (!HasExtension(name, ".vel")) continue;
    step();
    std::string title = ReadChapterTitle(PathInFolder(bookFolder, name));
    if (!title.empty()) rows.push_back({title, name});
  }
  for (const std::string& name : entries) {
    if (!HasExtension(name, ".qch")) continue;
    step();
    // A text chapter hides its compiled twin, and any compiled chapter whose
    // name is a prefix of a listed file (elvish.qch beside elvishkin.vel).
    std::string base = name.substr(0, name.size() - 4);
    if (AnyFileNameStartsWith(rows, base)) continue;
    auto bytes = ReadWholeFile(PathInFolder(bookFolder, name));
    if (!bytes) continue;
    auto title = CompiledChapterTitle(*bytes);
    if (!title || AnyTitleEquals(rows, *title)) continue;
    rows.push_back({*title, name});
  }
  return rows;
}

}  // namespace vael
