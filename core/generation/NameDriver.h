#pragma once
// The driver's core, shared by GenerateName and the bulk runs: one name
// from a chapter's tables with one generator's state.

#include <string_view>

#include "core/generation/Generator.h"

namespace vael {

// The finished name, recorded in state's history; valid until the state
// makes its next name. requires: chapter.loaded.
std::string_view MakeName(const ChapterTables& chapter, GenerationState& state,
                          const GenerationOptions& options);

// The driver's word pass on state.name: accents and capitals per word
// (words end at ' ' and '_'), then the underscores go.
void FinishWords(const ChapterTables& chapter, GenerationState& state);

}  // namespace vael
