#pragma once
// The final spelling of each word of an assembled name.

#include <string>
#include <string_view>

#include "core/chapter/TVaelChapter.h"

namespace vael {

// Long vowels, diaeresis and vowel harmony, as the chapter's punctLevel asks.
void AccentWord(const ChapterTables& chapter, std::string& word);

// The word (in capitals) with the marks AccentWord may have written under the
// chapter's punctLevel taken back: long vowels written out (Á as AA), the
// diaeresis dropped and, with harmony, every front vowel turned into its
// back partner. Words that differ only by those marks come out the same; a
// form for comparing letters, never for showing.
std::string PlainVowels(const ChapterTables& chapter, std::string_view upperWord);

// Capital first letter, small letters after it, a capital after every hyphen.
void CapitaliseWord(const ChapterTables& chapter, std::string& word);

}  // namespace vael
