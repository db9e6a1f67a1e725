#pragma once
// Loading a chapter: a text chapter (*.vel, in Windows-1252 or UTF-8), a
// compiled chapter (*.qch) or a plain list of names (*.txt). A text chapter
// is read, its tags checked, its sample names analysed and every table
// built; a compiled chapter brings the tables ready made. The outcome is the
// chapter's `loaded` and `errorText`; nothing here throws.
//
// Loading writes nothing unless asked: with LoadOptions::cacheCompiled the
// analysis of a text chapter is cached beside it as a compiled chapter, and
// a matching one found there is read instead of analysing the text again.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/chapter/Chapter.h"
#include "core/chapter/PlainList.h"

namespace vael {

// Whoever shows load progress (the main window's gauge). The caller sets the
// range 1..16 at position 1 before loading; the loader steps it once per
// stage of a text analysis and sets it to 16 at the end of a compiled load.
class LoadProgress {
 public:
  virtual ~LoadProgress() = default;
  virtual void StepProgress() = 0;
  virtual void SetProgressPosition(int position) = 0;
};

struct LoadOptions {
  LoadProgress* progress = nullptr;
  // Read a matching compiled chapter beside a text chapter, and save the
  // analysis there when there is none (a folder that cannot be written only
  // costs the next load its shortcut).
  bool cacheCompiled = false;
};

// --- Loading into a chapter object, which keeps the outcome. A chapter may
// be loaded again; nothing of the earlier chapter survives. ---

// A text or compiled chapter file, told apart by its content (anything but a
// folder, so a pipe works too).
void LoadChapterFile(Chapter& chapter, const std::string& path, const LoadOptions& options = {});

// A chapter text held in memory, in code-page bytes; nothing is cached.
void LoadChapterText(Chapter& chapter, std::string_view text, LoadProgress* progress = nullptr);

// The bytes of a chapter file held in memory; `fileName` tells the kind: a
// ".txt" name is a plain list (its reading is returned, for the names left
// out), any other name a text or compiled chapter. Nothing is cached.
PlainList LoadChapterBytes(Chapter& chapter, std::string_view bytes, const std::string& fileName,
                           LoadProgress* progress = nullptr);

// A plain list of names (one per line) as a chapter with kPlainListOptions,
// titled after the file; nothing is cached, since a list is analysed in
// moments. The reading is returned for its reports of the names left out.
PlainList LoadChapterList(Chapter& chapter, const std::string& path,
                          LoadProgress* progress = nullptr);

// --- A chapter of its own, read only from the start. `loaded` says whether
// it loaded; a ".txt" path is a plain list. listOut, when given, receives a
// list's reading. ---
std::shared_ptr<const Chapter> OpenChapter(const std::string& path, const LoadOptions& options = {},
                                           PlainList* listOut = nullptr);
std::shared_ptr<const Chapter> OpenChapterBytes(std::string_view bytes, const std::string& fileName,
                                                PlainList* listOut = nullptr);

// Names as a plain list of them loads (bytes as a ".txt" file holds them,
// fileName naming it), titled `title` (code-page text) instead of after the
// file unless that is empty.
std::shared_ptr<const Chapter> OpenNameList(std::string_view bytes, const std::string& fileName,
                                            const std::string& title, PlainList* listOut = nullptr);

// Whether a path names a plain list rather than a chapter (".txt", any case).
bool IsPlainListPath(std::string_view path);

// Reads a whole chapter file (anything but a folder or a device, so a pipe
// works too).
bool ReadChapterFile(const std::string& path, std::string& bytes);

// The sample names of the text chapter at path, in capitals, as loading
// reads them. False for a compiled chapter, which does not keep them, and
// for a file that cannot be read or holds no name list.
bool ReadSampleNames(const std::string& path, std::vector<std::string>& names);
// The same of a chapter file's bytes held in memory.
bool SampleNamesOf(std::string_view file, std::vector<std::string>& names);

}  // namespace vael
