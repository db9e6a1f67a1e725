#include "core/filters/FoldedText.h"

#include <algorithm>

#include "core/chapter/Collation.h"

namespace vael {

FoldedText Folded(std::string_view text) { return CollationKey(text); }

bool FoldedStartsWith(const FoldedText& text, const FoldedText& part) {
  return part.size() <= text.size() && std::equal(part.begin(), part.end(), text.begin());
}

bool FoldedEndsWith(const FoldedText& text, const FoldedText& part) {
  return part.size() <= text.size() && std::equal(part.rbegin(), part.rend(), text.rbegin());
}

bool FoldedContains(const FoldedText& text, const FoldedText& part) {
  return std::search(text.begin(), text.end(), part.begin(), part.end()) != text.end();
}

}  // namespace vael
