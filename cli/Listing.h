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

// The books of folder and the chapters of each, titles sorted as the window
// lists them.
std::vector<Shelf> LibraryShelves(const std::string& folder);

// The books of folder and the chapters of each, each chapter with the path
// to pass to vaelgen. Windows-1252 text, one line per row.
std::string CatalogueListing(const std::string& folder);

// Where --list looked when it found nothing to list: the folder given, or
// else the current folder and the user's library (listed: the library
// chosen, empty when it is not there).
std::string NothingListedText(const std::string& given, const std::string& listed,
                              const LibraryPlaces& places);

}  // namespace vael::cli
