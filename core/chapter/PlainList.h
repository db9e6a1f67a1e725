#pragma once
// Plain lists of names: a text file with one name per line, the simplest way
// to start a chapter. The list is turned into the names a chapter can hold,
// and those into the text of a chapter, so that a list loads through exactly
// the same analysis as a chapter written by hand.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vael {

// The options a list is loaded with: on public name lists these keep new
// names close to the samples' letter pairs and lengths.
inline constexpr std::string_view kPlainListOptions = "STATGEN FIT:2 VAL:2";

// A line longer than this is not taken for a name.
inline constexpr std::size_t kMaxListNameLength = 100;
// A longer list is refused: its analysis would take many seconds and a good
// deal of memory, and a style is learnt from far fewer samples.
inline constexpr std::size_t kMaxListNames = 100000;
// Refused lines described one by one; any further ones are only counted.
inline constexpr std::size_t kMaxRefusalReports = 100;

struct PlainList {
  // Usable names, as written (trimmed), in code-page bytes.
  std::vector<std::string> names;
  // Lines left out, each described for the user in one UTF-8 line, such as
  // `line 12: "Łukasz" left out: the chapter alphabet has no Ł, U+0141`.
  std::vector<std::string> refusals;
  std::size_t refusedCount = 0;  // every line left out, reported or not
  // Why the list as a whole cannot be used (code-page text); empty when it
  // can.
  std::string fault;
};

// Why a line of a list, trimmed and in code-page bytes, is left out; empty
// when it is taken.
using LineProblem = std::function<std::string(const std::string& line)>;

// The lines of a list file by the reading rule of lists (as ReadPlainList
// reads them), each line taken or left out by problemOf; a line holding a
// character the code page lacks is always left out. The fault is set for a
// file that is not text, or not the UTF-8 it claims to be.
PlainList ReadListLines(std::string_view bytes, const LineProblem& problemOf);

// Reads a list in UTF-8 or Windows-1252: surrounding blanks trimmed, blank
// lines and lines starting with "#" skipped, typographic apostrophes read as
// the plain one. A name the chapter format cannot hold is left out and
// reported; a list with fewer than two usable names, or more than
// kMaxListNames, fails, and so does a file that is not text.
PlainList ReadPlainList(std::string_view bytes);

// The header of a chapter written from names. Values are code-page text,
// made safe for the tag format (cut to 64 bytes, no keyword in capitals, no
// double quote), so any text may be given.
struct ChapterHeader {
  std::string title, line1, line2, author, date;
  std::vector<std::string> comments;  // lines of a "//" block above the tags
};

// The header of a list's chapter: titled after the list's file (its name
// without the extension), with information lines that name the file and
// the count of names. File names are UTF-8 on this platform; a character
// the code page lacks shows as "?".
ChapterHeader HeaderForList(const std::string& path, std::size_t nameCount);

// The text of a chapter from names a chapter can hold (as ReadPlainList
// gives them): the comment block, the five header tags, GENOPT, and the
// names quoted eight to a line; CR LF line ends, code-page bytes. A keyword
// written in capitals in a name is written with small letters after its
// first, which changes nothing, since names are analysed in capitals.
std::string ChapterTextForNames(const ChapterHeader& header, std::string_view genopt,
                                const std::vector<std::string>& names);

}  // namespace vael
