#include "core/generation/TVaelChapter.h"

namespace vael {

TVaelChapter::TVaelChapter() = default;

TVaelChapter::TVaelChapter(LoadProgress* progressOwner) : owner(progressOwner) {}

void TVaelChapter::Load(const std::string& path) {
  LoadChapterFile(*this, path, LoadOptions{owner, true});
  Restart(std::nullopt);
}

void TVaelChapter::LoadText(std::string_view text) {
  LoadChapterText(*this, text, owner);
  Restart(std::nullopt);
}

PlainList TVaelChapter::LoadList(const std::string& path) {
  PlainList list = LoadChapterList(*this, path, owner);
  Restart(std::nullopt);
  return list;
}

}  // namespace vael
