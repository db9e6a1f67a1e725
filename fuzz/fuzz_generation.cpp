// A fuzzed chapter with fuzzed options: the first bytes choose the request,
// the rest is the chapter text. Every name must be non-empty and must come
// after a bounded amount of work (libFuzzer's -timeout catches a hang).
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzFiles.h"
#include "core/Vael.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  vael::GenerationOptions options;
  options.fit = data[0] & 3;
  options.val = static_cast<int>(static_cast<std::int8_t>(data[1])) % 12;
  options.structural = data[2] & 1;
  options.statistical = data[2] & 2;
  options.prefixes = data[2] & 4;
  options.suffixes = data[2] & 8;
  options.log = data[2] & 16;
  // Any letter of the chapter alphabet (space and hyphen included), or any.
  options.initialLetter = (data[3] & 0x80) ? '*' : vael::nameLetterSet[data[3] & 0x7F];
  vael::fuzz::RemoveScratch("generate.qch");
  std::string path = vael::fuzz::WriteScratch("generate.vel", data + 4, size - 4);
  vael::TVaelChapter chapter;
  chapter.Load(path);
  if (!chapter.loaded) return 0;
  vael::SeedRandom(chapter, data[0] | (data[1] << 8));
  for (int i = 0; i < 4; ++i) {
    if (vael::GenerateName(chapter, options).empty()) __builtin_trap();
  }
  return 0;
}
