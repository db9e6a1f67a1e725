#pragma once
// One loaded name style: the chapter file's tables and the lookup tables
// derived from them, both built once, when the chapter is loaded. From then
// on a chapter is read only, so any number of generators, on any number of
// threads, may make names from the same chapter at the same time. Loading
// hands it out as std::shared_ptr<const Chapter> (ChapterLoader.h).

#include <string>

#include "core/chapter/ChapterTables.h"
#include "core/chapter/DerivedTables.h"

namespace vael {

struct Chapter : ChapterTables {
  DerivedTables derived;

  // The failure for the user, in UTF-8: errorText, and the character that
  // errorCharacter names, which the code page cannot hold.
  std::string ErrorTextUtf8() const;
};

}  // namespace vael
