#pragma once
// The user's own library. A window started where there are no books (from
// the desktop menu, in the home folder) works in it instead, and vaelgen
// looks chapter titles up in it. It is made on first use as a copy of the
// sample library installed beside the program, so every compiled chapter and
// log lands in a folder the user owns. Standard library only.

#include <string>

namespace vael {

// Where the two libraries are; empty when there is none.
struct LibraryPlaces {
  std::string user;       // $XDG_DATA_HOME/vael/library or ~/.local/share/vael/library
  std::string installed;  // the sample library installed with the program, when it is there
};

// The user's library for these values of XDG_DATA_HOME and HOME (null when
// unset). A relative XDG_DATA_HOME is ignored, as the desktop's rules say;
// empty when neither gives an absolute folder.
std::string UserLibraryFolder(const char* dataHome, const char* home);

// The sample library installed with a program in executableFolder, when that
// folder exists; empty otherwise (a program run from its build folder).
std::string InstalledLibraryFolder(const std::string& executableFolder);

// The list of offensive words (what vaelgen --clean leaves out), installed
// beside the sample library of a program in executableFolder; empty when it
// is not there. OffensiveWordsFile: the same for this process.
inline constexpr char kOffensiveWordsFile[] = "offensive-words.txt";
std::string InstalledOffensiveWords(const std::string& executableFolder);
std::string OffensiveWordsFile();

// The places for this process, from its environment and the folder of its
// executable.
LibraryPlaces FindLibraryPlaces();

// True when folder holds something the book scan lists: a book or a loose
// chapter.
bool HoldsLibrary(const std::string& folder);

struct LibraryChoice {
  std::string folder;        // the library to work in; empty: stay where we are
  std::string cause;         // what went wrong, one sentence; empty when nothing did
  std::string failedFolder;  // the folder the cause is about
};

// Makes sure the user's library is there and returns it: on first use it is
// copied from the installed library (into a folder beside it, renamed only
// when whole); later it is used as it is, never overwritten, and only a
// sample book whose folder it lacks is copied in. Without an installed
// library a missing user library is not made, and the choice is to stay.
LibraryChoice OpenUserLibrary(const LibraryPlaces& places);

// The folder to work in: the working folder when it holds a library (the
// choice is then to stay), else the user's library.
LibraryChoice ChooseLibrary(const std::string& workingFolder, const LibraryPlaces& places);

// The help file: "vael.hlp" in the working folder, or the installed
// library's when the working folder has none.
std::string HelpFilePath(const LibraryPlaces& places);

}  // namespace vael
