#pragma once

#include <string>

#include "cli/CommandLine.h"
#include "core/chapter/TVaelChapter.h"
#include "core/generation/Generator.h"

namespace vael::cli {

// The request for every name of the run: what the command line gives, the
// chapter's recommended options for the rest.
GenerationOptions RequestFor(const TVaelChapter& chapter, const CommandLine& line, char initialLetter);

}  // namespace vael::cli
