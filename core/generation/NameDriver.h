#pragma once
// The driver's core, shared by every way of making names: one name from a
// chapter with one generator's state, and the bulk loop that repeats it.

#include <cstdint>
#include <string_view>

#include "core/chapter/Chapter.h"
#include "core/generation/GenerationLog.h"
#include "core/generation/GenerationState.h"
#include "core/generation/Generator.h"

namespace vael {

// The finished name, recorded in state's history; valid until the state
// makes its next name. With options.log and a sink, the decision log goes
// to the sink. requires: chapter.loaded.
std::string_view MakeName(const Chapter& chapter, GenerationState& state,
                          const GenerationOptions& options, LogSink* log = nullptr);

// The bulk loop of every run (a generator's, the window's chapter object's,
// each block of a block run): `count` names from one state, each handed to
// take(name), which returns false to end the run. No name is logged.
// False when take ended the run.
template <typename Take>
bool MakeNames(const Chapter& chapter, GenerationState& state, const GenerationOptions& options,
               std::int64_t count, Take&& take) {
  GenerationOptions request = options;
  request.log = false;
  for (std::int64_t i = 0; i < count; ++i) {
    if (!take(MakeName(chapter, state, request))) return false;
  }
  return true;
}

// The driver's word pass on state.name: accents and capitals per word
// (words end at ' ' and '_'), then the underscores go.
void FinishWords(const ChapterTables& chapter, GenerationState& state);

}  // namespace vael
