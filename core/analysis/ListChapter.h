#pragma once
// A chapter file written from a plain list of names: the list read, the
// generation options that suit its names chosen by trying them, and a
// chapter text the user can go on to edit by hand. vaelgen --write-chapter
// and a list dropped on the window both write their chapters this way.

#include <string>
#include <string_view>
#include <vector>

#include "core/chapter/PlainList.h"

namespace vael {

struct ListOptions {
  std::string genopt;   // the chapter's GENOPT value
  bool judged = false;  // false: no setting qualified, genopt is kPlainListOptions
  std::string reason;   // when not judged: why, in UTF-8
  // What the judgement saw of the chosen setting, when judged: names made,
  // the distinct ones that are no sample or near-copy, and the samples and
  // near-copies among them.
  int names = 0, distinctNew = 0, copies = 0;
};

// The options that give the best names for these names (code-page text, as
// ReadPlainList gives them).
ListOptions OptionsForList(const std::vector<std::string>& names);

struct ListChapter {
  PlainList list;       // the reading, with the names left out
  ListOptions options;  // set when the list is usable
  std::string text;     // the chapter file's bytes; empty when list.fault is set
};

// Writes the chapter for the list held in bytes, read from listPath (which
// names it). title (code-page text) replaces the one taken from the file
// name unless it is empty; date fills DATE.
ListChapter ChapterFromList(std::string_view bytes, const std::string& listPath,
                            const std::string& title, const std::string& date);

// Today's date as a chapter's DATE gives it: "9 December 2026".
std::string TodayText();

}  // namespace vael
