// STUB: replaced by the loader work.
#include "core/chapter/TVaelChapter.h"
#include "core/chapter/TagReader.h"

namespace vael {

bool ReadTag(std::string_view, std::string_view, std::string&, std::size_t) { return false; }

void TVaelChapter::Load(const std::string&) {
  loaded = false;
  errorText = "Couldn't open file";
}

}  // namespace vael
