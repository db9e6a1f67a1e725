// STUB: replaced by the generation work.
#include "core/generation/Generator.h"

namespace vael {

std::string GenerateName(TVaelChapter&, const GenerationOptions&) { return {}; }
std::string HistoryEntry(const TVaelChapter&, int) { return {}; }
std::string BuildCandidate(TVaelChapter&, int, int, bool, bool, bool, bool, char, bool) {
  return {};
}
void SeedRandom(TVaelChapter& chapter, std::uint32_t seed) {
  chapter.random.seed(seed);
  chapter.randomSeeded = true;
}

}  // namespace vael
