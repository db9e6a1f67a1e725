#pragma once
// A chapter brought in from elsewhere (a file dropped on the window): copied
// into the working folder as a loose chapter, a plain list of names written
// as a chapter first. Nothing that is already there is replaced, and a file
// that does not load leaves nothing behind.

#include <cstddef>
#include <string>

namespace vael {

struct ChapterImport {
  bool added = false;
  // The loose chapter's file name in the working folder (file-system
  // encoding). A chapter that already lies there loose is not copied again.
  std::string fileName;
  bool alreadyLoose = false;
  // Why nothing was added, in UTF-8, as the window shows it after "Cause: ".
  std::string failure;
  // A list's names left out, and whether its options were chosen by trying
  // them on its names (otherwise they are the plain-list options).
  std::size_t namesLeftOut = 0;
  bool optionsJudged = false;
};

// Brings the chapter (*.vel, *.qch) or plain list (*.txt) at droppedPath
// into workingFolder ("" is the current folder). The new file takes the
// dropped file's name, a list's with ".vel"; when that name, or its compiled
// twin, is taken, a number is added: "elves 2.vel". The copy is loaded as
// the window would load it, and removed when that fails.
ChapterImport ImportChapter(const std::string& droppedPath, const std::string& workingFolder);

}  // namespace vael
