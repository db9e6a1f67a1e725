#pragma once
// The words a clean run leaves out of its names (FilterOptions::clean), and
// the rule by which a name holds one. A list entry is one word, its letters
// alone, or a stem marked by "*":
//  - "word" leaves out a name that has word as one of its words;
//  - "stem*" a name with a word that begins with stem, "*stem" one with a
//    word that ends with it, "*stem*" one with a word that holds it.
// A name's words are its runs of letters, cut at every other character (a
// space, a hyphen, an apostrophe) and where a capital follows a small letter
// (a template joins KalDor of Kal and Dor); a run so cut is also compared
// whole. Letters compare as the filters compare them (FoldedText.h). So an
// entry never reaches into a word from outside it: "cunt*" leaves out
// Cuntar but not Scunthorpe, "ass" and "sex" neither Cassandra nor Sussex.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/chapter/PlainList.h"
#include "core/filters/FoldedText.h"

namespace vael {

class OffensiveWords {
 public:
  // Entries as ReadWordList takes them; one that EntryProblem refuses is
  // left out.
  explicit OffensiveWords(const std::vector<std::string>& entries);

  // The entry a name falls under, as the list writes it; empty when none.
  std::string_view Offence(std::string_view name) const;

 private:
  struct Stem {
    FoldedText letters;
    bool openBefore = false;  // "*stem": letters may come before it in the word
    bool openAfter = false;   // "stem*"
    std::string written;
  };
  std::string_view WordOffence(std::string_view word) const;

  std::unordered_map<std::u16string, std::string> words_;  // folded word -> as written
  std::vector<Stem> stems_;
};

// Why a line of a word list is no entry; empty when it is one.
std::string EntryProblem(const std::string& entry);

// A word list: one entry per line, in UTF-8 or Windows-1252, by the reading
// rule of plain lists (blank lines and lines beginning with "#" skipped).
// The entries come in names; lines that are no entry are described in
// refusals, and a file that cannot be read as text sets fault.
PlainList ReadWordList(std::string_view bytes);

}  // namespace vael
