#pragma once
// Read-only views of a chapter's elements, straight from the public tables.
// The derived tables are built from these, so these are the rules; the
// builder itself reads the derived tables. Every lookup is bounds-checked: a
// code or slot outside the tables (possible only with a damaged compiled
// chapter) reads as "no element", an empty text or a count of 0.

#include <string>
#include <string_view>

#include "core/chapter/ChapterTables.h"

namespace vael {

// The coded text of an element; empty for an unknown code.
std::string_view ElementText(const ChapterTables& chapter, int code);

// The text with every special consonant digit spelled out.
std::string ExpandedText(const ChapterTables& chapter, std::string_view text);

// The coded text as a piece spells it: special consonant digits spelled out
// (digit 0 first, then 1, ...), each soft consonant as its capital and H,
// all in capitals. Every step maps each character on its own, so spelling
// the elements one by one and joining them spells the whole piece.
std::string FinishedText(const ChapterTables& chapter, std::string_view text);

// How often the element stood at a position slot of the sample structures.
int PositionCount(const ChapterTables& chapter, int code, int slot);

// Consonant letter index (0..62) of the first or last character of the
// element's coded text; -1 when there is none.
int FirstLetterIndex(const ChapterTables& chapter, int code);
int LastLetterIndex(const ChapterTables& chapter, int code);

// A three-character vowel element around a consonant (built with MULTI).
bool IsMultiVowel(const ChapterTables& chapter, int code);

// The character a structure variant holds for this element: '0' for a multi
// vowel, otherwise '0' plus its length, consonants measured spelled out.
char VariantDigit(const ChapterTables& chapter, int code);

}  // namespace vael
