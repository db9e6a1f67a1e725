#include "core/chapter/CaseMapping.h"

namespace vael {

static_assert(accentedCapitals.size() == accentedSmallLetters.size());

std::string ToUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = ToUpperChar(c);
  return out;
}

std::string ToLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = ToLowerChar(c);
  return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (ToUpperChar(a[i]) != ToUpperChar(b[i])) return false;
  }
  return true;
}

}  // namespace vael
