#pragma once
// Read-only views of a chapter's elements as the structure builder needs
// them. Every lookup is bounds-checked: a code or slot outside the tables
// (possible only with a damaged compiled chapter) reads as "no element",
// an empty text or a count of 0.

#include <string>
#include <string_view>

#include "core/chapter/TVaelChapter.h"

namespace vael {

inline constexpr int kFirstConsonantCode = 100;

inline bool IsConsonantCode(int code) { return code >= kFirstConsonantCode; }

// The coded text of an element; empty for an unknown code.
std::string_view ElementText(const TVaelChapter& chapter, int code);

// The text with every special consonant digit spelled out.
std::string ExpandedText(const TVaelChapter& chapter, std::string_view text);

// How often the element stood at a position slot of the sample structures.
int PositionCount(const TVaelChapter& chapter, int code, int slot);

// Consonant letter index (0..62) of the first or last character of the
// element's coded text; -1 when there is none.
int FirstLetterIndex(const TVaelChapter& chapter, int code);
int LastLetterIndex(const TVaelChapter& chapter, int code);

// A three-character vowel element around a consonant (built with MULTI).
bool IsMultiVowel(const TVaelChapter& chapter, int code);

// The character a structure variant holds for this element: '0' for a multi
// vowel, otherwise '0' plus its length, consonants measured spelled out.
char VariantDigit(const TVaelChapter& chapter, int code);

}  // namespace vael
