#pragma once
// Text compared as the filters compare it: by the collation rule of titles
// (Collation.h), so case and accents make no difference and a ligature is
// its two letters. A folded text is a run of collation weights.

#include <cstdint>
#include <string_view>
#include <vector>

namespace vael {

using FoldedText = std::vector<std::uint16_t>;

FoldedText Folded(std::string_view text);

bool FoldedStartsWith(const FoldedText& text, const FoldedText& part);
bool FoldedEndsWith(const FoldedText& text, const FoldedText& part);
bool FoldedContains(const FoldedText& text, const FoldedText& part);

}  // namespace vael
