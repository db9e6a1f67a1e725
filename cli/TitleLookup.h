#pragma once
// A chapter named by its title instead of its file: "Finnish given names",
// or "Northlands/Finnish given names" with its book's title. Titles are
// looked up in the library of the current folder, then in the user's own.

#include <string>
#include <vector>

#include "app/UserLibrary.h"
#include "catalogue/Catalogue.h"

namespace vael::cli {

struct TitledChapter {
  std::string name;  // "Book/Chapter", Windows-1252
  std::string path;  // the chapter's file
};

struct TitleLookup {
  std::string path;                    // the one chapter meant; empty when not one
  std::vector<TitledChapter> matches;  // every chapter the title fits, when more than one
  std::vector<TitledChapter> close;    // near misses, when none fits
  std::string libraryProblem;          // the user's library could not be opened: why
};

// True when argument should be taken as a title: it names no file and does
// not end like a chapter file or list (.vel, .qch, .txt), whose absence the
// loader reports.
bool LooksLikeTitle(const std::string& argument);

// Looks title (Windows-1252) up, ignoring case, in the library of the
// current folder, then in the user's.
TitleLookup LookUpTitle(const std::string& title, const LibraryPlaces& places);

// Every chapter title the lookup can find, each once, sorted ignoring case.
std::vector<std::string> KnownTitles(const LibraryPlaces& places);

}  // namespace vael::cli
