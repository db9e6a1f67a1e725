#pragma once
// The window's chapter object: one chapter, refilled by every Load, and the
// generator that GenerateName keeps for it (history, builder state, log
// file). A single TVaelChapter lives for the whole run of the window.
//
// It is a thin layer over the two parts a program holds apart: the loaded
// chapter (Chapter, read only once loaded and shareable; ChapterLoader.h)
// and a generator's state (GenerationState; Generator.h for a generator of
// one's own). Load here behaves as the window needs: it reads and writes
// the compiled chapter beside a text chapter, and every load starts the
// generator over.

#include <string>
#include <string_view>

#include "core/chapter/Chapter.h"
#include "core/chapter/ChapterLoader.h"
#include "core/chapter/PlainList.h"
#include "core/generation/GenerationLog.h"
#include "core/generation/GenerationState.h"

namespace vael {

class TVaelChapter : public Chapter, public GenerationState {
 public:
  TVaelChapter();
  explicit TVaelChapter(LoadProgress* owner);
  TVaelChapter(const TVaelChapter&) = delete;
  TVaelChapter& operator=(const TVaelChapter&) = delete;

  // Loads a text chapter (*.vel, in Windows-1252 or UTF-8) or a compiled
  // chapter (*.qch), through the compiled chapter beside a text chapter.
  // Outcome in `loaded` and `errorText`; never throws.
  void Load(const std::string& path);

  // Analyses a chapter text held in memory, in code-page bytes; nothing is
  // cached. Outcome as for Load.
  void LoadText(std::string_view text);

  // Loads a plain list of names (one per line) as a chapter with
  // kPlainListOptions; nothing is cached. The reading is returned for its
  // reports of the names left out.
  PlainList LoadList(const std::string& path);

  LoadProgress* owner = nullptr;
  // Where a logged GenerateName writes its log: "!vel_log.txt" in the
  // working folder, open only while that name is made.
  LogFile logFile;
};

}  // namespace vael
