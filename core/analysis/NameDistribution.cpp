#include "core/analysis/NameDistribution.h"

#include <algorithm>

namespace vael {

namespace {
bool IsSeparator(char c) { return c == ' ' || c == '-'; }
}  // namespace

int LetterCount(std::string_view name) {
  return static_cast<int>(std::count_if(name.begin(), name.end(), [](char c) { return !IsSeparator(c); }));
}

bool IsLetterPair(char first, char second) { return !IsSeparator(first) && !IsSeparator(second); }

void NameDistribution::Add(std::string_view upperName) {
  ++names;
  const int length = LetterCount(upperName);
  letters += length;
  ++lengths[length];
  if (!upperName.empty()) ++initials[static_cast<unsigned char>(upperName.front())];
  for (std::size_t i = 0; i + 1 < upperName.size(); ++i) {
    if (!IsLetterPair(upperName[i], upperName[i + 1])) continue;
    ++pairs[std::string(upperName.substr(i, 2))];
    ++pairCount;
  }
}

double NameDistribution::MeanLength() const {
  return names == 0 ? 0.0 : static_cast<double>(letters) / names;
}

}  // namespace vael
