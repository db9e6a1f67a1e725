#pragma once
// What vaelgen tells the user on standard error, and the one way it saves a
// file, shared by its actions.

#include <string>
#include <string_view>
#include <vector>

#include "core/chapter/PlainList.h"

namespace vael::cli {

// One line on standard error, "vaelgen: " and the UTF-8 text; below it the
// further lines, indented. Control characters, which a quoted name or file
// may hold, are shown as escapes ("\0", "\x1B"): written as they are they
// would cut the message short or steer the terminal.
void Error(const std::string& utf8Text, const std::vector<std::string>& furtherLines = {});

// Text with its control characters as escapes, as Error shows them.
std::string VisibleText(std::string_view utf8Text);

// The lines of the list at path that were left out, one each, and a count
// of those not described.
void ReportLeftOut(const std::string& path, const PlainList& list);

// Writes a whole file, or says why not. A file written over the chapter or
// list it was made from (source) would leave the user with neither.
bool Save(const std::string& path, std::string_view bytes, const std::string& source);

}  // namespace vael::cli
