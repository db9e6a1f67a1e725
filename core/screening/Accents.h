#pragma once
// The final spelling of each word of an assembled name.

#include <cstddef>
#include <string>
#include <string_view>

#include "core/chapter/ChapterTables.h"

namespace vael {

// Long vowels, diaeresis and vowel harmony, as the chapter's punctLevel asks.
void AccentWord(const ChapterTables& chapter, std::string& word);

// Whether AccentWord can change any word of the chapter; when not, callers
// may skip it.
bool AccentsChangeWords(const ChapterTables& chapter);

// The word (in capitals) with the marks AccentWord may have written under the
// chapter's punctLevel taken back: long vowels written out (Á as AA), the
// diaeresis dropped and, with harmony, every front vowel turned into its
// back partner. Words that differ only by those marks come out the same; a
// form for comparing letters, never for showing.
std::string PlainVowels(const ChapterTables& chapter, std::string_view upperWord);

// Capital first letter, small letters after it, a capital after every hyphen.
void CapitaliseWord(const ChapterTables& chapter, std::string& word);

// The same on the `size` bytes at `word`, for a word inside a longer text.
void CapitaliseLetters(char* word, std::size_t size);

}  // namespace vael
