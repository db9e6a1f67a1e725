#include "core/analysis/TemplateRuns.h"

#include <algorithm>

namespace vael {
namespace {
bool IsDigitOrBar(char c) { return c == '|' || (c >= '0' && c <= '9'); }
}  // namespace

std::vector<TemplateRun> TemplateRuns(std::string_view text) {
  std::vector<TemplateRun> runs;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t start = at;
    TemplateRun run;
    if (text[at] == '#') {
      run.group = true;
      ++at;
    } else if (IsDigitOrBar(text[at])) {
      run.group = true;
      while (at < text.size() && IsDigitOrBar(text[at])) ++at;
    } else {
      while (at < text.size() && text[at] != '#' && !IsDigitOrBar(text[at])) ++at;
    }
    run.text.assign(text.substr(start, at - start));
    runs.push_back(std::move(run));
  }
  return runs;
}

std::vector<WeightedTemplate> WeightedTemplates(const ChapterTables& chapter) {
  const std::size_t count = std::min({static_cast<std::size_t>(std::max(chapter.templateCount, 0)),
                                      chapter.templates.size(), chapter.templateWeights.size()});
  std::vector<WeightedTemplate> templates;
  for (std::size_t t = 0; t < count; ++t) {
    if (chapter.templateWeights[t] <= 0) continue;
    WeightedTemplate entry;
    entry.runs = TemplateRuns(chapter.templates[t]);
    entry.weight = chapter.templateWeights[t];
    entry.groups = static_cast<int>(
        std::count_if(entry.runs.begin(), entry.runs.end(), [](const TemplateRun& run) { return run.group; }));
    templates.push_back(std::move(entry));
  }
  return templates;
}

}  // namespace vael
