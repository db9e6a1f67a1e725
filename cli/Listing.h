#pragma once

#include <string>
#include <vector>

#include "catalogue/Catalogue.h"

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

}  // namespace vael::cli
