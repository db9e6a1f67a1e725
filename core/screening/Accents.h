#pragma once
// The final spelling of each word of an assembled name.

#include <string>

#include "core/chapter/TVaelChapter.h"

namespace vael {

// Long vowels, diaeresis and vowel harmony, as the chapter's punctLevel asks.
void AccentWord(const ChapterTables& chapter, std::string& word);

// Capital first letter, small letters after it, a capital after every hyphen.
void CapitaliseWord(const ChapterTables& chapter, std::string& word);

}  // namespace vael
