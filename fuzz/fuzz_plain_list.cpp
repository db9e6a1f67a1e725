// Arbitrary bytes as a plain list of names, and as a text file to be read.
// The list reader must take only names the chapter format holds: the chapter
// written from them may fail only on the limits across all names.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "catalogue/ChapterTitles.h"
#include "core/Vael.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const vael::CodePageText decoded = vael::ReadTextFile(bytes);
  if (decoded.encoding == vael::TextEncoding::Windows1252 && decoded.text != bytes) __builtin_trap();
  if ((decoded.fault == vael::TextFault::None) != (decoded.faultLine == 0)) __builtin_trap();

  const vael::PlainList list = vael::ReadPlainList(bytes);
  if (list.refusals.size() > vael::kMaxRefusalReports || list.refusals.size() > list.refusedCount) {
    __builtin_trap();
  }
  if (!list.fault.empty()) return 0;
  if (list.names.size() < 2) __builtin_trap();

  // The input's first bytes as header texts, to try the tag values' safety.
  vael::ChapterHeader header;
  header.title = decoded.text.substr(0, 80);
  header.line1 = decoded.text.substr(0, 30);
  header.comments = {decoded.text.substr(0, 60)};
  const std::string text = vael::ChapterTextForNames(header, vael::kPlainListOptions, list.names);
  vael::TVaelChapter chapter;
  chapter.LoadText(text);
  if (!chapter.loaded && chapter.errorText != "Too many different elements" &&
      chapter.errorText != "Too many templates") {
    __builtin_trap();
  }
  if (chapter.loaded && (chapter.nameCount != static_cast<int>(list.names.size()) ||
                         vael::TextChapterTitle(text) != chapter.title)) {
    __builtin_trap();
  }
  return 0;
}
