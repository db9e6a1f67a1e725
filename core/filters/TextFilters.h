#pragma once
// The text filters of FilterOptions (startsWith, endsWith, contains,
// excludes), folded once, to be held against many names.

#include <string_view>
#include <vector>

#include "core/filters/FilterOptions.h"
#include "core/filters/FoldedText.h"

namespace vael {

class TextFilters {
 public:
  explicit TextFilters(const FilterOptions& options);

  bool Empty() const;
  // Whether a name meets every text filter.
  bool Meets(std::string_view name) const;

 private:
  std::vector<FoldedText> startsWith_, endsWith_, contains_, excludes_;
};

}  // namespace vael
