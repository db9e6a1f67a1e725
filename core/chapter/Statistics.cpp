// STUB: replaced by the statistics work.
#include "core/chapter/Statistics.h"

namespace vael {

void ClearStatistics(TVaelChapter&) {}
void GatherLetterStatistics(TVaelChapter&, const std::vector<std::string>&) {}
void BuildStructureTables(TVaelChapter&, const std::vector<Structure>&) {}

}  // namespace vael
