#pragma once
// The system's own words for an error number, to follow a colon in a
// message ("no such file or directory").

#include <string>

namespace vael {

std::string SystemErrorText(int error);

}  // namespace vael
