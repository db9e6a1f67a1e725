#pragma once
// What a file's name tells.

#include <string_view>

namespace vael {

// True when name ends in extension (".vel", ".qch") ignoring ASCII case.
bool HasExtension(std::string_view name, std::string_view extension);

}  // namespace vael
