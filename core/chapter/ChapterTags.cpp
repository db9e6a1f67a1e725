#include "core/chapter/ChapterTags.h"

#include <climits>

#include "core/chapter/CaseMapping.h"
#include "core/chapter/LetterClasses.h"
#include "core/chapter/TagReader.h"

namespace vael {
namespace {

constexpr std::size_t kHeaderTextLength = 64;
constexpr std::size_t kTopicLength = 16;
constexpr std::size_t kOptionTagLength = 128;
constexpr std::size_t npos = std::string_view::npos;

bool Contains(std::string_view text, std::string_view word) { return text.find(word) != npos; }

// Code of the character after a one-digit option such as FIT:, minus "0",
// unchecked; a keyword at the very end reads the terminating zero.
int DigitAfter(const std::string& text, std::size_t keywordAt, std::size_t keywordLength) {
  std::size_t at = keywordAt + keywordLength;
  char c = at < text.size() ? text[at] : '\0';
  return static_cast<unsigned char>(c) - '0';
}

}  // namespace

std::string_view HeaderWindow(std::string_view file) { return file.substr(0, kHeaderWindowSize); }

void BlankComments(std::string& headerWindow) {
  std::size_t at = headerWindow.find("//");
  while (at != npos) {
    // A comment ends with its line, whichever line end the file uses.
    std::size_t end = headerWindow.find_first_of("\r\n", at);
    if (end == npos) end = headerWindow.size();
    for (std::size_t i = at; i < end; ++i) headerWindow[i] = ' ';
    at = headerWindow.find("//", end);
  }
}

bool ReadInteger(std::string_view text, long long& number) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  std::size_t digitsFrom = i;
  long long value = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    value = value * 10 + (text[i] - '0');
    if (value > INT_MAX) return false;
    ++i;
  }
  if (i == digitsFrom) return false;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i != text.size()) return false;
  number = negative ? -value : value;
  return true;
}

std::string ReadHeaderTags(std::string_view window, ChapterTables& chapter) {
  if (!ReadTag(window, "TITLE", chapter.title, kHeaderTextLength)) {
    return "Invalid or missing TITLE tag";
  }
  if (!ReadTag(window, "LINE1", chapter.line1, kHeaderTextLength)) {
    return "Invalid or missing LINE1 tag";
  }
  if (!ReadTag(window, "LINE2", chapter.line2, kHeaderTextLength)) {
    return "Invalid or missing LINE2 tag";
  }
  if (!ReadTag(window, "AUTHOR", chapter.author, kHeaderTextLength)) {
    // Without an author the three information lines still fill up: the title
    // becomes the first of them.
    chapter.author = chapter.line2;
    chapter.line2 = chapter.line1;
    chapter.line1 = chapter.title;
  }
  if (!ReadTag(window, "DATE", chapter.date, kHeaderTextLength)) {
    return "Invalid or missing DATE tag";
  }
  long long number = 0;
  if (!ReadTag(window, "TOPIC", chapter.topic, kTopicLength) ||
      !ReadInteger(chapter.topic, number) || number == 0) {
    chapter.topic = "0";
  }
  return {};
}

std::string ReadSpecialConsonants(std::string_view window, ChapterTables& chapter) {
  std::string value;
  if (!ReadTag(window, "SPCCON", value, kOptionTagLength)) value = " ";
  chapter.specialConsonants.fill(std::string());
  chapter.specialConsonantCount = 0;

  // Groups are taken left to right and each is checked as it is taken, so
  // the message names the first fault in the value.
  std::vector<std::string> groups;
  std::size_t open = value.find('<');
  while (open != npos) {
    std::size_t close = value.find('>', open + 1);
    std::size_t end = close == npos ? value.size() : close;
    if (end > open + 1) {
      if (static_cast<int>(groups.size()) == kMaxSpecialConsonants) {
        return "Too many special consonants";
      }
      std::string group = value.substr(open + 1, end - open - 1);
      for (char c : group) {
        if (!IsConsonant(c)) {
          return "Invalid character in special consonant #" + std::to_string(groups.size() + 1);
        }
      }
      groups.push_back(std::move(group));
    }
    open = close == npos ? npos : value.find('<', close + 1);
  }
  for (std::size_t n = 0; n < groups.size(); ++n) chapter.specialConsonants[n] = groups[n];
  chapter.specialConsonantCount = static_cast<int>(groups.size());
  chapter.softConsonants = Contains(ToUpper(value), "SOFT");
  return {};
}

void ReadVowelOptions(std::string_view window, ChapterTables& chapter) {
  std::string value;
  chapter.multiVowels = ReadTag(window, "SPCVOW", value, kOptionTagLength) &&
                        Contains(ToUpper(value), "MULTI");
}

std::string ReadTemplates(std::string_view window, ChapterTables& chapter) {
  chapter.templates.clear();
  chapter.templateWeights.clear();
  chapter.templateCount = 0;

  std::size_t at = window.find("TEMPLATES");
  if (at != npos) {
    std::size_t listEnd = FindQuoteSemicolon(window, at);
    if (listEnd == npos) return "Invalid TEMPLATES tag";
    // Each round starts on the closing quote of the previous entry (or on the
    // keyword) and ends on the next one; `";` closes the list.
    while (at < listEnd) {
      std::size_t open = window.find('"', at + 1);
      if (open == npos || open >= listEnd) break;
      std::size_t end = window.find_first_of(":\"", open + 1);
      if (end == npos) break;
      std::string_view text = window.substr(open + 1, end - open - 1);
      std::size_t next = window.find('"', end);
      if (!text.empty()) {
        int weight = 1;
        if (window[end] == ':') {
          std::size_t weightEnd = next == npos ? window.size() : next;
          long long number = 0;
          // Written as given, even below zero; only 0 and non-numbers become 1.
          if (ReadInteger(window.substr(end + 1, weightEnd - end - 1), number) && number != 0) {
            weight = static_cast<int>(number);
          }
        }
        if (chapter.templateCount == kMaxTemplates) return "Too many templates";
        chapter.templates.emplace_back(text);
        chapter.templateWeights.push_back(weight);
        ++chapter.templateCount;
      }
      if (next == npos) break;
      at = next;
    }
  }
  if (chapter.templateCount == 0) {
    chapter.templates.assign(1, "*");
    chapter.templateWeights.assign(1, 1);
    chapter.templateCount = 1;
  }
  return {};
}

std::string ReadGenerationOptions(std::string_view window, ChapterTables& chapter) {
  std::string raw;
  if (!ReadTag(window, "GENOPT", raw, kOptionTagLength)) return "Invalid or missing GENOPT tag";
  const std::string value = ToUpper(raw);

  chapter.yMode = 0;
  if (Contains(value, "Y:CON")) chapter.yMode = 1;
  if (Contains(value, "Y:SEMI")) chapter.yMode = 2;
  chapter.uMode = Contains(value, "U:SEMI") ? 2 : 0;
  chapter.structGen = Contains(value, "STRUCTGEN");
  chapter.statGen = Contains(value, "STATGEN");
  chapter.shuffle = Contains(value, "SHUFFLE");
  chapter.punctLevel = 0;
  for (int level = 1; level <= 7; ++level) {
    if (Contains(value, "PUNCT:" + std::to_string(level))) chapter.punctLevel = level;
  }
  chapter.prefixOption = Contains(value, "PREFIX");
  chapter.suffixOption = Contains(value, "SUFFIX");
  std::size_t fit = value.find("FIT:");
  chapter.fitLevel = fit == npos ? 0 : DigitAfter(value, fit, 4);
  std::size_t val = value.find("VAL:");
  chapter.valLevel = val == npos ? 0 : DigitAfter(value, val, 4);
  return {};
}

std::vector<std::string> ReadNameList(std::string_view file, std::size_t keywordAt) {
  std::vector<std::string> names;
  std::size_t at = keywordAt;
  // `at` is on the keyword, then on the closing quote of the last name read.
  while (at + 1 < file.size()) {
    if (file[at] == '"' && file[at + 1] == ';') break;
    std::size_t open = file.find('"', at + 1);
    if (open == npos) {
      // The list was never closed: the missing name is read as empty.
      names.emplace_back();
      break;
    }
    std::size_t close = file.find('"', open + 1);
    if (close == npos) {
      names.emplace_back(file.substr(open + 1));
      break;
    }
    names.emplace_back(file.substr(open + 1, close - open - 1));
    at = close;
  }
  return names;
}

}  // namespace vael
