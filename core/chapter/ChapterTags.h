#pragma once
// Reading the tags of a text chapter: the header block (TITLE to TOPIC), the
// option tags (SPCCON, SPCVOW, TEMPLATES, GENOPT) and the NAMES list. Each
// reader returns the load's failure text, or an empty text when all went well.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/chapter/ChapterTables.h"

namespace vael {

// Tags are looked up in the first 2048 bytes of a chapter file only.
inline constexpr std::size_t kHeaderWindowSize = 2048;

std::string_view HeaderWindow(std::string_view file);

// Replaces every byte from each "//" up to the next carriage return or line
// feed (or the end of the window) by a space. The line end itself stays.
void BlankComments(std::string& headerWindow);

// TITLE, LINE1, LINE2, AUTHOR (with the lines moving down when it is absent),
// DATE and TOPIC.
std::string ReadHeaderTags(std::string_view window, ChapterTables& chapter);

// SPCCON: special consonants in angle brackets and the SOFT switch.
std::string ReadSpecialConsonants(std::string_view window, ChapterTables& chapter);

// SPCVOW: the MULTI switch. Never fails.
void ReadVowelOptions(std::string_view window, ChapterTables& chapter);

// TEMPLATES: "text" or "text:weight" entries; the single template "*" when the
// tag is absent or yields nothing.
std::string ReadTemplates(std::string_view window, ChapterTables& chapter);

// GENOPT: the generation options; every option absent from it is reset.
std::string ReadGenerationOptions(std::string_view window, ChapterTables& chapter);

// The quoted names of the NAMES list, starting at the keyword's position in
// the whole file. A list whose last name is not closed by `";` ends with one
// extra empty name, unless its last quote is the file's last byte. Never
// reads past the end of the file.
std::vector<std::string> ReadNameList(std::string_view file, std::size_t keywordAt);

// Whether the text reads as a decimal integer (optional sign, digits only).
bool ReadInteger(std::string_view text, long long& number);

}  // namespace vael
