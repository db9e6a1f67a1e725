#pragma once

#include <string>
#include <vector>

#include "catalogue/Catalogue.h"
#include "app/UserLibrary.h"

namespace vael::cli {

// One book of a library with its chapters, as the window lists them.
struct Shelf {
  std::string title;       // "Unbound" for the loose chapters
  std::string folder;      // the book's folder as given, "" for "Unbound"
  std::string bookFolder;  // prefix of its chapters' paths ("" or ending in '/')
  std::vector<ChapterEntry> chapters;
};

// A title (code page) as a listing prints it: in UTF-8 with a control
// character shown as messages show it, or its own bytes with raw.
std::string ShownTitle(const std::string& title, bool raw);

// The books of folder and the chapters of each, titles sorted as the window
// lists them.
std::vector<Shelf> LibraryShelves(const std::string& folder);

// The books of folder and the chapters of each, each chapter with the path
// to pass to vaelgen, one line per row, in the terminal's bytes: titles in
// UTF-8 (the code page's own bytes with raw), paths as the file system
// holds them, so that a path shown can be passed back as it is.
std::string CatalogueListing(const std::string& folder, bool raw);

// Where --list looked when it found nothing to list: the folder given, or
// else the current folder and the user's library (listed: the library
// chosen, empty when it is not there).
std::string NothingListedText(const std::string& given, const std::string& listed,
                              const LibraryPlaces& places);

}  // namespace vael::cli
