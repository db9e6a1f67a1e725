#pragma once
// Builds book folders for the catalogue tests.

#include <filesystem>
#include <string>

#include "support/TestSupport.h"

namespace vael::test {

// A text chapter whose only interesting part is its title.
inline std::string TitledChapterText(const std::string& title) {
  ChapterDraft draft;
  draft.title = title;
  draft.names = {"Aran"};
  return ChapterText(draft);
}

inline void WriteTextChapter(const std::filesystem::path& folder, const std::string& fileName,
                             const std::string& title) {
  WriteFile((folder / fileName).string(), TitledChapterText(title));
}

// The head of a compiled chapter, up to and including its title field.
inline void WriteCompiledChapter(const std::filesystem::path& folder, const std::string& fileName,
                                 const std::string& title) {
  using namespace std::string_literals;
  WriteFile((folder / fileName).string(), "\0\x2a\x01Vael 3.0\0"s + title + "\0Line one\0"s);
}

inline void WriteBook(const std::filesystem::path& folder, const std::string& bookDat) {
  std::filesystem::create_directories(folder);
  WriteFile((folder / "book.dat").string(), bookDat);
}

}  // namespace vael::test
