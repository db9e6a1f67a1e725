#pragma once
// Writing a saved document so that it is never left half written: the bytes
// go to a new file beside the target, which replaces the target only when
// every byte reached it. On failure the target is as it was before.

#include <string>

namespace vael::ui {

// path in the file system's own encoding. True when the file now holds
// exactly bytes.
bool WriteFileReplacing(const std::string& path, const std::string& bytes);

}  // namespace vael::ui
