// The catalogue's readers of titles, book lines and help files on arbitrary
// bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzFiles.h"
#include "catalogue/Catalogue.h"
#include "catalogue/HelpText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  std::size_t position = 0;
  for (int line = 0; line < 8; ++line) {
    std::size_t before = position;
    vael::ReadBookLine(bytes, position);
    if (position < before) __builtin_trap();  // the reader only moves forward
  }
  const vael::HelpDocument help = vael::ParseHelpText(bytes);
  for (const vael::HelpTopic& topic : help.topics) {
    if (topic.number < 1) __builtin_trap();
    for (const vael::HelpParagraph& paragraph : vael::HelpParagraphs(topic.lines)) {
      // Lines are shown trimmed and never empty.
      for (const std::string& line : paragraph) {
        if (line.empty() || vael::TrimHelpSpace(line).size() != line.size()) __builtin_trap();
      }
    }
  }
  std::string text = vael::fuzz::WriteScratch("title.vel", data, size);
  vael::ReadChapterTitle(text);
  std::string compiled = vael::fuzz::WriteScratch("title.qch", data, size);
  vael::ReadCompiledChapterTitle(compiled);
  return 0;
}
