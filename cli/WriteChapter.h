#pragma once
// vaelgen --write-chapter: a chapter file written from a plain list of names.

#include <functional>
#include <string>

#include "cli/CommandLine.h"

namespace vael::cli {

// Writes line.writeChapterPath from the list at line.chapterPath. Every
// message goes to report, in UTF-8; the summary of a written chapter to
// standard output. Returns the exit status.
int WriteChapterFile(const CommandLine& line, const std::function<void(const std::string&)>& report);

}  // namespace vael::cli
