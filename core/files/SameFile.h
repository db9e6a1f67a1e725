#pragma once
// Whether two paths name one file, so that writing one cannot destroy what
// is read from the other.

#include <string>

namespace vael {

// True for the same path and for two paths that reach the same existing
// file (through links or another spelling of the folder).
bool IsSameFile(const std::string& a, const std::string& b);

}  // namespace vael
