#pragma once
// The figures of one run as vaelgen --figures prints them: a line per
// figure, "name: value", the same figures a report's row shows.

#include <string>

#include "core/Vael.h"

namespace vael::cli {

// UTF-8 text. comparison: the chapter's samples, or null when they are not
// known (a compiled chapter), which leaves out every figure that needs them.
std::string FiguresText(const std::string& chapterPath, const SettingFigures& figures,
                        const SampleComparison* comparison);

}  // namespace vael::cli
