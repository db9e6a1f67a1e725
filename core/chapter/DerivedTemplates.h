#pragma once
// The templates of a chapter read once into steps and type draws (part of
// RebuildDerivedTables), and the initial-letter rule of the template draw.

#include <string_view>

#include "core/chapter/DerivedTables.h"

namespace vael {

void DeriveTemplates(const ChapterTables& chapter, DerivedTables& derived);

// Whether a template can begin a name with `letter` ('*' for any).
bool TemplateAcceptsLetter(const TemplateFacts& facts, char letter, int yMode);

// Whether some usable template can.
bool AnyTemplateAcceptsLetter(const DerivedTables& derived, char letter, int yMode);

}  // namespace vael
