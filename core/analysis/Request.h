#pragma once
// The request a caller's choices make of a chapter: the chapter's
// recommended options with whatever the caller gives in their place, and an
// initial letter as the caller writes it. vaelgen and the library interface
// both ask through here, so the same choices make the same names in both.

#include <optional>
#include <string_view>

#include "core/chapter/ChapterTables.h"
#include "core/generation/Generator.h"

namespace vael {

// What a caller chose; unset fields take the chapter's recommended values,
// as the window's "Automatic options" does.
struct SettingChoices {
  std::optional<int> fit, val;
  std::optional<bool> statistical, structural, prefixes, suffixes;
};

// RecommendedSetting, overridden by the choices, with the initial letter
// ('*' for any). The request's log stays off.
GenerationOptions RequestFor(const ChapterTables& chapter, const SettingChoices& choices,
                             char initialLetter = '*');

// The initial letter asked for as text: "" and "*" ask for any ('*'); else
// one letter in UTF-8 (or one code-page byte), in either case, that some
// sample name of the chapter begins with, in capitals. Nothing when it is
// not such a letter: the window offers no others.
std::optional<char> InitialLetterFor(const ChapterTables& chapter, std::string_view asked);

}  // namespace vael
