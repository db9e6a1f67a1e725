#pragma once
// The statistical tables built from the analysed sample names: repeat
// distances and letter shares (over the uppercased names), start and end
// pairs, adjacency flags, structure variants and position counts (over the
// structures). The loader calls these in this order.

#include <string>
#include <vector>

#include "core/chapter/ChapterTables.h"

namespace vael {

// Resets every statistics table and count, and sizes the growing tables for
// chapter.pairCapacity (which must be set). Leaves nothing of an earlier load.
void ClearStatistics(ChapterTables& chapter);

// Repeat distances and letter shares over the uppercased sample names.
void GatherLetterStatistics(ChapterTables& chapter, const std::vector<std::string>& upperNames);

// Pairs, adjacency, types, variants and position counts over the structures
// of the analysis (each ended by -1, at least two codes each).
void BuildStructureTables(ChapterTables& chapter, const std::vector<Structure>& structures);

// Names with many parts can give more distinct pairs or variants than
// 3 * nameCount; the lists are vectors and simply hold them. This raises
// pairCapacity to the longest list so that it always describes the tables,
// whether they came from an analysis or from a compiled chapter.
void FitPairCapacity(ChapterTables& chapter);

}  // namespace vael
