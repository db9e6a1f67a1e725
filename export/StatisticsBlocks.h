#pragma once

namespace vael {

// True when either index asks for a block under each name; an index outside
// its list counts as "None".
bool UsesBlockLayout(int systemIndex, int linesIndex);

}  // namespace vael
