#pragma once
// Why a chapter or list did not load, as vaelgen and the library interface
// say it: the file first, as command-line tools do, and the real reason
// where the loader's own cause (the one the window shows) hides it.

#include <string>
#include <string_view>

#include "core/chapter/Chapter.h"

namespace vael {

// The message for the chapter or list at path that chapter failed to load:
// "path: " and the loader's cause, or the reason behind it ("no such file",
// "is a folder", "UTF-16 text: ...", "not a text file").
std::string LoadFailureText(const std::string& path, const Chapter& chapter);

// The same for a chapter loaded from bytes held in memory; fileName names it.
std::string LoadFailureText(const std::string& fileName, std::string_view bytes,
                            const Chapter& chapter);

// Why the file at path cannot be read ("no such file", "permission
// denied", "is a folder", "is a device, not a file").
std::string ReadFailureText(const std::string& path);

}  // namespace vael
