#pragma once

#include <string>

#include "cli/CommandLine.h"
#include "core/chapter/TVaelChapter.h"
#include "core/generation/Generator.h"

namespace vael::cli {

// The request for every name of the run: what the command line gives, the
// chapter's recommended options for the rest.
GenerationOptions RequestFor(const TVaelChapter& chapter, const CommandLine& line, char initialLetter);

// How a --threads run is made: its threads, and its seed (the clock's when
// none is given).
BlockRun RunFor(const CommandLine& line);

// vaelgen's generation loop, a name at a time: every name of the run, in
// order, into the sink, which is where whatever is done with the names
// (filtering, printing, saving) starts. With --threads the run is made in
// blocks seeded from the run's seed (the clock's when none is given); a
// plain printed run on threads hands over whole blocks of lines instead.
void MakeNames(TVaelChapter& chapter, const GenerationOptions& request, const CommandLine& line,
               const NameSink& sink);

}  // namespace vael::cli
