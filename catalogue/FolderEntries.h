#pragma once
// Directory listing and bounded file reads for the catalogue. Nothing here
// throws: an unreadable folder lists nothing, an unreadable file reads as
// absent.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/FileNames.h"

namespace vael {

// Names of every entry of folder, "." and ".." included, sorted by name so
// that discovery order is the same on every machine. Empty when the folder
// cannot be listed.
std::vector<std::string> FolderEntries(const std::string& folder);

// True when path names a directory (following links).
bool IsFolder(const std::string& path);

// Up to maxBytes from the start of the file; nullopt when it is not a
// regular file or cannot be opened.
std::optional<std::string> ReadFilePrefix(const std::string& path, std::size_t maxBytes);

// The whole file, on the same terms.
std::optional<std::string> ReadWholeFile(const std::string& path);

// folder joined with name; folder "" is the working folder.
std::string PathInFolder(const std::string& folder, const std::string& name);

}  // namespace vael
