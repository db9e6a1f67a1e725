#pragma once
// How a set of names is made up: lengths, initial letters, accents and
// letter pairs.

#include <map>
#include <string>
#include <string_view>

namespace vael {

// Letters of a name: every character except spaces and hyphens.
int LetterCount(std::string_view name);

// Whether the two characters form a letter pair: neither is a space or a
// hyphen, so pairs never reach across the parts of a name.
bool IsLetterPair(char first, char second);

// Whether c is a letter with a mark (É, ñ, Ø, š): one that the program's
// collation counts as a plain letter other than itself. Letters of their
// own and ligatures (Æ, Ð, Þ, ß) carry none.
bool IsAccentedLetter(char c);
int AccentedLetterCount(std::string_view name);

struct NameDistribution {
  int names = 0;
  long long letters = 0;
  std::map<int, int> lengths;              // letters in a name -> names
  std::map<unsigned char, int> initials;   // first character -> names
  std::map<int, int> accents;              // accented letters in a name -> names
  std::map<std::string, int> pairs;        // two characters -> occurrences
  long long pairCount = 0;

  // Counts one name, given in capitals.
  void Add(std::string_view upperName);
  // 0 for no names.
  double MeanLength() const;
};

}  // namespace vael
