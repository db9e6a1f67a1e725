#include "core/chapter/LetterClasses.h"

namespace vael {

static_assert(nameLetterSet.size() == kNameLetterSetSize);
static_assert(consonantSet.back() == 'u' && vowelSet.front() == 'A' && vowelSet.back() == '\'');
// No byte is in the set twice, so a position identifies its letter.
static_assert([] {
  int found = 0;
  for (short index : letters::kNameLetterIndex) found += index >= 0;
  return found == kNameLetterSetSize;
}());

void AppendChar(std::string& text, char c) { text.push_back(c); }

}  // namespace vael
