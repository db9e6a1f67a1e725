// STUB: replaced by the compiled chapter work.
#include "core/chapter/CompiledChapter.h"

namespace vael {

std::uint8_t ChapterChecksum(std::string_view) { return 0; }
bool IsCompiledChapter(std::string_view bytes) {
  return bytes.size() >= 7 && bytes[0] == 0 && bytes.substr(3, 4) == "Vael";
}
std::string WriteCompiledChapter(const TVaelChapter&, std::uint8_t) { return {}; }
bool ReadCompiledChapter(TVaelChapter&, std::string_view) { return false; }
bool SaveCompiledChapter(const std::string&, std::string_view) { return false; }

}  // namespace vael
