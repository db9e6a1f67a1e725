#pragma once
// A template read as the analysis needs it: element groups and the literal
// text between them.

#include <string>
#include <string_view>
#include <vector>

#include "core/chapter/ChapterTables.h"

namespace vael {

struct TemplateRun {
  bool group = false;  // an element group ('#', or numbers joined by '|')
  std::string text;    // as written in the template
};

// The runs of a template in order; two groups may follow each other ("##").
std::vector<TemplateRun> TemplateRuns(std::string_view text);

// The chapter's templates with their weights, those of weight 0 left out.
struct WeightedTemplate {
  std::vector<TemplateRun> runs;
  int weight = 0;
  int groups = 0;
};
std::vector<WeightedTemplate> WeightedTemplates(const ChapterTables& chapter);

}  // namespace vael
