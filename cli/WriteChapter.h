#pragma once
// vaelgen --write-chapter: a chapter file written from a plain list of names.

#include "cli/CommandLine.h"

namespace vael::cli {

// Writes line.writeChapterPath from the list at line.chapterPath: the
// names left out and any failure on standard error, the summary of the
// written chapter on standard output. Returns the exit status.
int WriteChapterFile(const CommandLine& line);

}  // namespace vael::cli
