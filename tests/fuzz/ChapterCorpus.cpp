#include "ChapterCorpus.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "support/TestSupport.h"

#ifndef VAEL_FUZZ_CORPUS
#define VAEL_FUZZ_CORPUS VAEL_TEST_DATA "/../../fuzz/corpus"
#endif

namespace vael::test {
namespace {

namespace fs = std::filesystem;

void CollectFolder(const fs::path& folder, bool optionPrefix, bool onlyChapters,
                   std::vector<CorpusChapter>& out) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) return;
  std::vector<fs::path> files;
  for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    // The frozen copies of the sample library repeat chapters collected
    // from the library itself.
    if (it->is_directory(error) && it->path().filename() == "frozen") {
      it.disable_recursion_pending();
      continue;
    }
    if (!it->is_regular_file(error)) continue;
    if (onlyChapters && it->path().extension() != ".vel") continue;
    files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  for (const auto& file : files) {
    std::string bytes = ReadFile(file.string());
    // Generation seeds carry four option bytes in front of the chapter.
    if (optionPrefix) bytes = bytes.size() >= 4 ? bytes.substr(4) : std::string();
    out.push_back({file.string(), std::move(bytes)});
  }
}

}  // namespace

std::vector<CorpusChapter> CollectCorpusChapters() {
  std::vector<CorpusChapter> chapters;
  const fs::path corpus = VAEL_FUZZ_CORPUS;
  CollectFolder(corpus / "fuzz_text_chapter", false, false, chapters);
  CollectFolder(corpus / "fuzz_generation", true, false, chapters);
  CollectFolder(VAEL_TEST_DATA, false, true, chapters);
  CollectFolder(VAEL_LIBRARY_DIR, false, true, chapters);
  return chapters;
}

}  // namespace vael::test
