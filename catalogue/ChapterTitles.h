#pragma once
// Title readers working on bytes already in memory, so the listing can tell
// a compiled chapter without a title field from one whose title is empty.

#include <optional>
#include <string>
#include <string_view>

namespace vael {

// Bytes of a text chapter a title is looked for in.
inline constexpr std::size_t kTitleScanBytes = 2048;

// Title of a text chapter from its first bytes in the code page (at most
// kTitleScanBytes are examined); empty when there is none.
std::string TextChapterTitle(std::string_view firstBytes);

// Title of a compiled chapter from its whole data; nullopt when the data has
// no zero byte after offset 3 or no second one after it.
std::optional<std::string> CompiledChapterTitle(std::string_view data);

}  // namespace vael
