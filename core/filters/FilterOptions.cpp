#include "core/filters/FilterOptions.h"

namespace vael {

bool HasFilters(const FilterOptions& options) {
  return options.unique || options.minLength > 0 || options.maxLength > 0 || NeedsSamples(options) ||
         !options.startsWith.empty() || !options.endsWith.empty() || !options.contains.empty() ||
         !options.excludes.empty() || options.clean;
}

bool NeedsSamples(const FilterOptions& options) { return options.noSamples || options.novel; }

}  // namespace vael
