#pragma once
// The chapter report as one self-contained page: inline style and SVG, no
// scripts, well-formed as XML so that any reader can parse it.

#include <string>

#include "core/Vael.h"

namespace vael::cli {

// UTF-8 page of the report on the chapter loaded from chapterPath (the path
// as the user gave it, shown in the page).
std::string ReportPage(const ChapterTables& chapter, const ChapterReport& report,
                       const std::string& chapterPath);

}  // namespace vael::cli
