#pragma once
// The order in which titles and letters are listed for a person: books,
// chapters, the initial letters of a chapter and vaelgen's listing all sort
// by this one rule. Case and accents are ignored (É sorts with E, š with S),
// the ligatures and ß count as their two letters (Æ as AE, ß as SS, Þ as
// TH), signs and spaces come before digits and digits before letters; signs
// keep their code page order among themselves, so "*" leads any letter.

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

namespace vael {

// The weights that decide the order of text, one or two per byte.
std::vector<std::uint16_t> CollationKey(std::string_view text);

// Whether a weight of CollationKey stands for a letter (not a sign, a space
// or a digit).
bool IsLetterWeight(std::uint16_t weight);

// True when a lists before b; texts that differ only in case or accents
// are equal (neither lists before the other).
bool CollatesBefore(std::string_view a, std::string_view b);

// Sorts rows by the text title(row) gives; rows whose texts are equal keep
// the order they had.
template <class Row, class Title>
void SortByTitle(std::vector<Row>& rows, Title title) {
  std::stable_sort(rows.begin(), rows.end(),
                   [&](const Row& a, const Row& b) { return CollatesBefore(title(a), title(b)); });
}

}  // namespace vael
