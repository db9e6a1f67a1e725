#pragma once
// Books and the chapter catalogue: finding them on disk and listing them by
// title. Standard library only.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vael {

struct BookEntry {
  std::string folder;  // sub-folder name as listed, no separator
  std::string title;   // line 1 of its "book.dat", never empty
};

struct ChapterEntry {
  std::string title;
  std::string fileName;  // as listed, no path
};

struct BookScan {
  bool unbound = false;  // loose chapters in the base folder
  std::vector<BookEntry> books;
};

// Appends bytes from position up to a CR, an LF or the end; moves position
// past an LF, or two bytes past any other stopping point (over CR LF).
std::string ReadBookLine(const std::string& data, std::size_t& position);

// The text of folder's "book.dat" ("" is the working folder), of which at
// most maxBytes are read, in code-page bytes (a UTF-8 file is taken in);
// nullopt when it cannot be read.
std::optional<std::string> ReadBookDescription(const std::string& folder,
                                               std::size_t maxBytes = SIZE_MAX);

// The lines of a book's description that the information panel shows: its
// first line (the title), then lines two to four, where an empty second line
// gives way to the title and an empty fourth to "Author unknown".
struct BookInfo {
  std::string title, line2, line3, line4;
};
BookInfo ReadBookInfo(const std::string& description);

// Title of a text chapter from the first 2048 bytes of its text (a UTF-8
// file taken into the code page as the loader takes it); empty when none.
std::string ReadChapterTitle(const std::string& path);

// Title of a compiled chapter: after offset 3, past the first zero byte, up
// to the next one; empty when the file has no such bytes.
std::string ReadCompiledChapterTitle(const std::string& path);

// Finds the books below baseFolder (empty = the working folder): every
// entry, "." and ".." included, in name order, whose "book.dat" has a title
// line within its first 255 bytes. Folder names are relative to baseFolder.
BookScan ScanBooks(const std::string& baseFolder);

// Progress of ListChapters: first (min, max, position) for the folder's
// entry count, then one step per matching file.
struct ListProgress {
  std::function<void(int minimum, int maximum, int position)> start;
  std::function<void()> step;
};

// Chapters of a book folder ("" for the working folder, else "name/"), in
// discovery order: text chapters (*.vel, any case), then compiled chapters
// (*.qch) that no listed file name begins with and whose title is not
// listed yet. Entries that cannot be read as files are passed over.
std::vector<ChapterEntry> ListChapters(const std::string& bookFolder,
                                       const ListProgress& progress = {});

}  // namespace vael
