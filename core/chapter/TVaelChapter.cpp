#include "core/chapter/TVaelChapter.h"

namespace vael {

TVaelChapter::TVaelChapter() = default;

TVaelChapter::TVaelChapter(LoadProgress* progressOwner) : owner(progressOwner) {}

}  // namespace vael
