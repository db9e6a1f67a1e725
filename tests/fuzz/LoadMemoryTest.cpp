// Each load releases the tables of the chapter before and builds its own:
// a thousand loads in a row, large and small alternating, end with the same
// heap in use as after the first pair.

#include <gtest/gtest.h>

#include <malloc.h>
#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/Vael.h"
#include "support/TestSupport.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime keeps its own heap; glibc's figures do not see it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#define VAEL_HEAP_IN_USE() __sanitizer_get_current_allocated_bytes()
#else
#define VAEL_HEAP_IN_USE() mallinfo2().uordblks
#endif

namespace vael {
namespace {

std::vector<std::string> SyllableNames(int count, int seed) {
  static const char* const kOnsets[] = {"K", "T", "R", "M", "DR", "ST", "V", "L", "GR", "TH"};
  static const char* const kVowels[] = {"A", "E", "I", "O", "U", "AI", "EI", "OU"};
  std::vector<std::string> names;
  unsigned state = static_cast<unsigned>(seed) * 2654435761u + 1;
  auto next = [&state](unsigned n) {
    state = state * 1103515245u + 12345u;
    return (state >> 16) % n;
  };
  for (int i = 0; i < count; ++i) {
    std::string name;
    int syllables = 2 + static_cast<int>(next(3));
    for (int s = 0; s < syllables; ++s) {
      name += kOnsets[next(10)];
      name += kVowels[next(8)];
    }
    name += kOnsets[next(10)];
    names.push_back(name);
  }
  return names;
}

TEST(LoadMemory, ThousandLoadsDoNotGrowTheHeap) {
  test::TempDir dir;
  test::ChapterDraft large;
  large.genopt = "STATGEN STRUCTGEN FIT:2";
  large.names = SyllableNames(3000, 1);
  test::ChapterDraft small;
  small.names = SyllableNames(40, 2);
  small.genopt = "SHUFFLE";
  std::string largePath = test::WriteChapter(dir, "large.vel", large);
  std::string smallPath = test::WriteChapter(dir, "small.vel", small);

  TVaelChapter chapter;
  GenerationOptions options;
  std::size_t baseline = 0;
  for (int i = 0; i < 1000; ++i) {
    // Every hundredth round analyses afresh; the others read the cache.
    if (i % 100 == 0) {
      std::filesystem::remove(dir.File("large.qch"));
      std::filesystem::remove(dir.File("small.qch"));
    }
    chapter.Load(i % 2 == 0 ? largePath : smallPath);
    ASSERT_TRUE(chapter.loaded) << chapter.errorText;
    SeedRandom(chapter, static_cast<std::uint32_t>(i));
    ASSERT_FALSE(GenerateName(chapter, options).empty());
    if (i == 1) baseline = VAEL_HEAP_IN_USE();
  }
  std::size_t after = VAEL_HEAP_IN_USE();
  std::printf("[memory] heap in use after 2 loads %zu bytes, after 1000 loads %zu bytes\n",
              baseline, after);
  // Allow for allocator slack, never for a table per load.
  EXPECT_LT(after, baseline + 256 * 1024);
}

}  // namespace
}  // namespace vael
