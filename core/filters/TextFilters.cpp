#include "core/filters/TextFilters.h"

#include <algorithm>

namespace vael {
namespace {

std::vector<FoldedText> FoldedTexts(const std::vector<std::string>& texts) {
  std::vector<FoldedText> folded;
  folded.reserve(texts.size());
  for (const std::string& text : texts) folded.push_back(Folded(text));
  return folded;
}

}  // namespace

TextFilters::TextFilters(const FilterOptions& options)
    : startsWith_(FoldedTexts(options.startsWith)),
      endsWith_(FoldedTexts(options.endsWith)),
      contains_(FoldedTexts(options.contains)),
      excludes_(FoldedTexts(options.excludes)) {}

bool TextFilters::Empty() const {
  return startsWith_.empty() && endsWith_.empty() && contains_.empty() && excludes_.empty();
}

bool TextFilters::Meets(std::string_view name) const {
  if (Empty()) return true;
  const FoldedText folded = Folded(name);
  auto all = [&](const std::vector<FoldedText>& texts, bool (*holds)(const FoldedText&, const FoldedText&)) {
    return std::all_of(texts.begin(), texts.end(),
                       [&](const FoldedText& text) { return holds(folded, text); });
  };
  return all(startsWith_, FoldedStartsWith) && all(endsWith_, FoldedEndsWith) &&
         all(contains_, FoldedContains) &&
         std::none_of(excludes_.begin(), excludes_.end(),
                      [&](const FoldedText& text) { return FoldedContains(folded, text); });
}

}  // namespace vael
