#pragma once
// Where the window works. Before the book scan, a working folder without
// books (a start from the desktop menu, in the home folder) is exchanged for
// the user's own library, made from the installed samples on first use
// (app/UserLibrary.h). A working folder with books is kept as it is.

#include <QString>

#include <string>

#include "app/UserLibrary.h"
#include "catalogue/Catalogue.h"

class TForm1;

namespace vael::ui {

struct StartFolder {
  std::string helpFile;  // the window's help file path
  QString cause;         // a failure to show; empty when all went well
  QString folder;        // the folder the failure is about
};

// Chooses the working folder and changes into it.
StartFolder EnterLibrary(const LibraryPlaces& places);

// Gives the started window its help file and shows a failure of
// EnterLibrary in its information block (and on standard error).
void ApplyStartFolder(TForm1& window, const StartFolder& start);

}  // namespace vael::ui
