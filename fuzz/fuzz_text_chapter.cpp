// Arbitrary bytes as a text chapter. The compiled chapter the loader writes
// beside it is removed each time, so every input is analysed afresh.
#include <cstddef>
#include <cstdint>

#include "FuzzFiles.h"
#include "core/Vael.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vael::fuzz::RemoveScratch("input.qch");
  std::string path = vael::fuzz::WriteScratch("input.vel", data, size);
  vael::TVaelChapter chapter;
  chapter.Load(path);
  if (chapter.loaded) {
    // A chapter that loads must load again, identically, from its cache.
    vael::TVaelChapter again;
    again.Load(path);
    if (!again.loaded || again.templateCount != chapter.templateCount ||
        again.vowelElementCount != chapter.vowelElementCount ||
        again.consonantElementCount != chapter.consonantElementCount) {
      __builtin_trap();
    }
  }
  return 0;
}
