#pragma once

#include <string>

namespace vael::cli {

// Writes bytes to path through a temporary file beside it and a rename, so
// an existing file is either replaced whole or left untouched. On failure
// returns false with a short reason in error.
bool ReplaceFile(const std::string& path, const std::string& bytes, std::string& error);

}  // namespace vael::cli
