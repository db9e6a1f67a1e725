#pragma once
// Shared helpers of the generation tests: chapters loaded from temporary
// copies (loading writes a compiled chapter beside the text), seeded runs,
// and requests built in one line.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/Vael.h"
#include "support/TestSupport.h"

namespace vael::test {

// A chapter object on the heap (its tables are large) loaded from `path`.
inline std::unique_ptr<TVaelChapter> LoadChapter(const std::string& path) {
  auto chapter = std::make_unique<TVaelChapter>();
  chapter->Load(path);
  return chapter;
}

// Loads a copy of `source` made in `dir`, so that no compiled chapter lands
// beside the original.
inline std::unique_ptr<TVaelChapter> LoadCopy(const TempDir& dir,
                                              const std::filesystem::path& source) {
  const std::string copy = dir.File(source.filename().string());
  WriteFile(copy, ReadFile(source.string()));
  return LoadChapter(copy);
}

inline std::unique_ptr<TVaelChapter> LoadWritten(const TempDir& dir, const ChapterDraft& draft,
                                                 const std::string& fileName = "test.vel") {
  return LoadChapter(WriteChapter(dir, fileName, draft));
}

inline GenerationOptions Options(int fit, int val, bool structural, bool statistical, bool prefixes,
                                 bool suffixes, char initialLetter = '*', bool log = false) {
  GenerationOptions options;
  options.fit = fit;
  options.val = val;
  options.structural = structural;
  options.statistical = statistical;
  options.prefixes = prefixes;
  options.suffixes = suffixes;
  options.initialLetter = initialLetter;
  options.log = log;
  return options;
}

// Every *.vel of the frozen sample library and of tests/data/generation/.
inline std::vector<std::filesystem::path> SampleChapters() {
  std::vector<std::filesystem::path> paths;
  for (const char* root : {VAEL_FROZEN_LIBRARY_DIR, VAEL_TEST_DATA "/generation"}) {
    std::error_code error;
    if (!std::filesystem::is_directory(root, error)) continue;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root, error)) {
      if (entry.is_regular_file() && entry.path().extension() == ".vel")
        paths.push_back(entry.path());
    }
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

}  // namespace vael::test
