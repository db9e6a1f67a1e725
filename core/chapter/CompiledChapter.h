#pragma once
// The compiled chapter (*.qch): the whole analysis of a text chapter, cached
// beside it and readable on its own. Byte layout documented in
// CompiledChapter.cpp next to the codec.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/chapter/ChapterTables.h"

namespace vael {

// One byte over every byte of a text chapter; catches single-byte changes and
// swapped bytes.
std::uint8_t ChapterChecksum(std::string_view textChapter);

// Byte 0 is 0 and bytes 3 to 6 are "Vael".
bool IsCompiledChapter(std::string_view bytes);

// The compiled form of a freshly analysed chapter; empty when some code or
// count does not fit its field, so that such a chapter is not cached at all.
std::string WriteCompiledChapter(const ChapterTables& chapter, std::uint8_t checksum);

// Fills every table from a compiled chapter (format byte already checked by
// the caller). Returns false, leaving the tables unusable, when the data is
// truncated or inconsistent.
bool ReadCompiledChapter(ChapterTables& chapter, std::string_view bytes);

// Writes bytes to path through a temporary file in the same folder and a
// rename, so a damaged compiled chapter is never left behind. False when the
// folder cannot be written (not an error for the loader). Empty bytes remove
// any older compiled chapter at path instead.
bool SaveCompiledChapter(const std::string& path, std::string_view bytes);

}  // namespace vael
