#pragma once
// vaelgen's generation loop and how its command line becomes a request.

#include <cstdint>

#include "cli/CommandLine.h"
#include "core/chapter/ChapterTables.h"
#include "core/generation/Generator.h"

namespace vael::cli {

// The request for every name of the run: what the command line gives, the
// chapter's recommended options for the rest.
GenerationOptions RequestFor(const ChapterTables& chapter, const CommandLine& line,
                             char initialLetter);

// The run's seed: --seed, or the clock's when none is given.
std::uint32_t SeedFor(const CommandLine& line);

// How a --threads run is made: its threads, and the run's seed.
BlockRun RunFor(const CommandLine& line);

// vaelgen's generation loop, a name at a time: every name of the run, in
// order, into the sink, which is where whatever is done with the names
// (filtering, printing, saving) starts. With --threads the run is made in
// blocks seeded from the run's seed; with --log the one name made is
// logged to "!vel_log.txt" in the working folder.
void MakeNames(Generator& generator, const GenerationOptions& request, const CommandLine& line,
               const NameSink& sink);

}  // namespace vael::cli
