#include "catalogue/ChapterImport.h"

#include <filesystem>
#include <memory>

#include "catalogue/FolderEntries.h"
#include "core/analysis/ListChapter.h"
#include "core/chapter/CodePage.h"
#include "core/chapter/ChapterLoader.h"
#include "core/chapter/TextFile.h"
#include "core/files/ReplaceFile.h"

namespace vael {
namespace {

namespace fs = std::filesystem;

// Numbers tried before giving up on a free name.
constexpr int kMaxNameNumber = 999;

bool Taken(const fs::path& path) {
  // A dangling link is taken too, since writing through it would create
  // its target; and so is a name whose state cannot be read.
  std::error_code error;
  return fs::symlink_status(path, error).type() != fs::file_type::not_found;
}

// A free name for a chapter of this stem: neither it nor its compiled twin
// may exist, since a text chapter writes its compiled form beside it.
std::string FreeName(const fs::path& folder, const std::string& stem, const std::string& extension) {
  for (int number = 1; number <= kMaxNameNumber; ++number) {
    const std::string base = number == 1 ? stem : stem + " " + std::to_string(number);
    if (!Taken(folder / (base + ".vel")) && !Taken(folder / (base + ".qch"))) return base + extension;
  }
  return {};
}

bool SameFolder(const fs::path& a, const fs::path& b) {
  std::error_code error;
  return fs::equivalent(a, b, error);
}

ChapterImport Failure(std::string cause) {
  ChapterImport result;
  result.failure = std::move(cause);
  return result;
}

}  // namespace

ChapterImport ImportChapter(const std::string& droppedPath, const std::string& workingFolder) {
  const fs::path dropped(droppedPath);
  const fs::path folder = workingFolder.empty() ? fs::path(".") : fs::path(workingFolder);
  const std::string name = dropped.filename().string();
  const bool isList = HasExtension(name, ".txt");
  if (!isList && !HasExtension(name, ".vel") && !HasExtension(name, ".qch")) {
    return Failure("Not a chapter: only .vel, .qch and .txt files can be added");
  }
  // Only a file (or a link to one) is read: a named pipe would hold the
  // window until something wrote into it.
  std::error_code error;
  std::string bytes;
  if (!fs::is_regular_file(dropped, error) || !ReadChapterFile(droppedPath, bytes)) {
    return Failure("Couldn't open file");
  }

  ChapterImport result;
  if (!isList && SameFolder(dropped.parent_path().empty() ? fs::path(".") : dropped.parent_path(), folder)) {
    // Already one of the loose chapters: chosen as it is.
    result.fileName = name;
    result.alreadyLoose = true;
  } else {
    const std::string extension = isList || HasExtension(name, ".vel") ? ".vel" : ".qch";
    result.fileName = FreeName(folder, dropped.stem().string(), extension);
    if (result.fileName.empty()) return Failure("No free file name for the chapter");
    if (isList) {
      // The chapter is titled after its own file, so that it cannot take
      // the title of one written earlier from the same list.
      const std::string title = ReadTextFile(fs::path(result.fileName).stem().string()).text;
      const ListChapter chapter = ChapterFromList(bytes, droppedPath, title, TodayText());
      if (!chapter.list.fault.empty()) return Failure(Utf8FromWindows1252(chapter.list.fault));
      bytes = chapter.text;
      result.namesLeftOut = chapter.list.refusedCount;
      result.optionsJudged = chapter.options.judged;
    }
    if (FileWriteResult written = ReplaceFile((folder / result.fileName).string(), bytes); !written.written) {
      return Failure("Couldn't write file " + result.fileName + ": " + written.reason);
    }
  }

  const std::string copy = (folder / result.fileName).string();
  // Loaded as the window will load it, which caches its analysis beside it.
  auto chapter = std::make_unique<Chapter>();
  LoadChapterFile(*chapter, copy, LoadOptions{nullptr, true});
  if (!chapter->loaded) {
    if (!result.alreadyLoose) {
      std::error_code ignored;
      fs::remove(copy, ignored);
    }
    return Failure(chapter->ErrorTextUtf8());
  }
  result.added = true;
  return result;
}

}  // namespace vael
