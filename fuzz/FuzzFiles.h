#pragma once
// A private scratch folder per fuzz process: the loader and the title readers
// take paths, so each input is written to a file there first.

#include <cstddef>
#include <cstdint>
#include <string>

namespace vael::fuzz {

// Folder created on first use, below $TMPDIR (or /tmp).
const std::string& ScratchFolder();

// Writes the bytes to ScratchFolder()/name and returns the path.
std::string WriteScratch(const std::string& name, const std::uint8_t* data, std::size_t size);

// Removes ScratchFolder()/name if present.
void RemoveScratch(const std::string& name);

}  // namespace vael::fuzz
