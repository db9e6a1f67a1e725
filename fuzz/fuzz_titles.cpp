// The catalogue's readers of titles and book lines on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzFiles.h"
#include "catalogue/Catalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  std::size_t position = 0;
  for (int line = 0; line < 8; ++line) {
    std::size_t before = position;
    vael::ReadBookLine(bytes, position);
    if (position < before) __builtin_trap();  // the reader only moves forward
  }
  std::string text = vael::fuzz::WriteScratch("title.vel", data, size);
  vael::ReadChapterTitle(text);
  std::string compiled = vael::fuzz::WriteScratch("title.qch", data, size);
  vael::ReadCompiledChapterTitle(compiled);
  return 0;
}
