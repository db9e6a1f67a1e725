// STUB: replaced by the screening work.
#include "core/screening/Accents.h"

namespace vael {

void AccentWord(const TVaelChapter&, std::string&) {}
void CapitaliseWord(const TVaelChapter&, std::string&) {}

}  // namespace vael
