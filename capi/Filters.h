#pragma once
// vael_filters as the engine's FilterOptions, checked at the edge, and the
// word list that `clean` uses.

#include <string_view>

#include "core/filters/FilterOptions.h"
#include "vael/vael.h"

struct vael_chapter;

namespace vael::capi {

// The filters as FilterOptions in the code page. VAEL_E_ARGUMENT for a wrong
// size, a negative length or a text no name can hold.
int FilterOptionsFrom(const char* call, const vael_filters& filters, FilterOptions& options);

// The team's list of offensive words (dist/offensive-words.txt), built into
// the library so that `clean` needs no installed file.
std::string_view BuiltInOffensiveWords();

}  // namespace vael::capi
