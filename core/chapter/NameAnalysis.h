#pragma once
// The analysis of a chapter's sample names: uppercasing and checking, coding,
// cutting into elements and structures, and templates from the name shapes.
// Each step returns the load's failure text, or an empty text when all went
// well; the loader calls them in this order.

#include <string>
#include <string_view>
#include <vector>

#include "core/chapter/ChapterTables.h"

namespace vael {

// Uppercases every name through the case pairs and checks it against the
// name letter set; collects chapter.initialLetters.
std::string UppercaseNames(const std::vector<std::string>& names, std::vector<std::string>& upper,
                           ChapterTables& chapter);

// The coded form of one uppercased name under the chapter's coding rules
// (softConsonants, yMode, uMode, specialConsonants).
std::string CodeName(std::string_view upperName, const ChapterTables& chapter);

// What cutting yields besides the element tables of the chapter.
struct CutNames {
  std::vector<Structure> structures;  // every part of every name, in order
  std::vector<std::string> shapes;    // per name: structure types and separators
};

// Cuts every coded name into elements (filling the chapter's element tables
// and maxElements) and structures.
std::string CutIntoElements(const std::vector<std::string>& codedNames, ChapterTables& chapter,
                            CutNames& cut);

// Why one coded name cannot be cut ("Too few elements" or "Too many
// elements", as CutIntoElements would say), or empty when every part has 2
// to 31 elements. The limits on distinct elements across names are not
// judged here.
std::string NameShapeFault(std::string_view coded, bool multiVowels);

// Type of a structure of `elements` codes beginning with `first`.
int StructureType(int elements, int first);

// Replaces the placeholder template "*" by the distinct name shapes, weighted
// by how many names have each. Other templates are kept.
std::string DeriveTemplates(const std::vector<std::string>& shapes, ChapterTables& chapter);

}  // namespace vael
