// Arbitrary bytes as a compiled chapter, both straight into the reader and as
// a *.qch file chosen directly. Inputs that do not begin like a compiled
// chapter get its recognition bytes put in front, so the mutations reach the
// fields rather than the recognition test.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzFiles.h"
#include "core/Vael.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  if (!vael::IsCompiledChapter(bytes)) {
    bytes = std::string("\0\0\1Vael 3.0\0", 12) + bytes;
  }
  {
    vael::TVaelChapter chapter;
    vael::ReadCompiledChapter(chapter, bytes);
  }
  std::string path = vael::fuzz::WriteScratch(
      "input.qch", reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  vael::TVaelChapter chapter;
  chapter.Load(path);
  if (chapter.loaded) {
    // Whatever loads must generate without faults or endless loops.
    vael::SeedRandom(chapter, static_cast<std::uint32_t>(size));
    vael::GenerationOptions options;
    options.fit = 3;
    options.structural = options.statistical = options.prefixes = options.suffixes = true;
    for (int i = 0; i < 3; ++i) vael::GenerateName(chapter, options);
  }
  return 0;
}
