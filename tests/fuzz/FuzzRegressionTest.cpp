// Inputs that once broke a loader or the generator, kept in
// tests/data/fuzz-regressions: each is loaded as a text chapter and as a
// compiled chapter, and whatever loads must generate.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "catalogue/Catalogue.h"
#include "core/Vael.h"
#include "support/TestSupport.h"

namespace vael {
namespace {

TEST(FuzzRegressions, EveryKeptInputIsHandledCleanly) {
  std::vector<std::filesystem::path> inputs;
  std::error_code error;
  for (const auto& entry :
       std::filesystem::directory_iterator(VAEL_TEST_DATA "/fuzz-regressions", error)) {
    if (entry.is_regular_file() && entry.path().filename() != "README") inputs.push_back(entry.path());
  }
  std::sort(inputs.begin(), inputs.end());
  test::TempDir dir;
  test::WorkingFolder cwd(dir.path());
  for (const auto& input : inputs) {
    std::string bytes = test::ReadFile(input.string());
    for (const char* name : {"input.vel", "input.qch"}) {
      std::filesystem::remove(dir.File("input.qch"));
      test::WriteFile(dir.File(name), bytes);
      TVaelChapter chapter;
      chapter.Load(dir.File(name));
      EXPECT_TRUE(chapter.loaded || !chapter.errorText.empty()) << input << " as " << name;
      if (chapter.loaded) {
        SeedRandom(chapter, 7);
        GenerationOptions options;
        options.fit = 3;
        options.structural = options.statistical = options.prefixes = options.suffixes = true;
        options.log = true;
        EXPECT_FALSE(GenerateName(chapter, options).empty()) << input << " as " << name;
      }
      ReadChapterTitle(dir.File(name));
      ReadCompiledChapterTitle(dir.File(name));
    }
  }
}

}  // namespace
}  // namespace vael
