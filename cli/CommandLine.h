#pragma once
// The options of vaelgen and their parser.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "export/Export.h"

namespace vael::cli {

inline constexpr int kDefaultCount = 10;
inline constexpr int kMaxCount = 100000;
inline constexpr int kMaxThreads = 64;

enum class Action { Generate, Report, List, Titles, WriteChapter, Help, Version };

// What the user asked for. Unset optionals take the chapter's recommended
// values, as the window's "Automatic options" does.
struct CommandLine {
  Action action = Action::Generate;
  std::string chapterPath;  // a chapter file, or a chapter's title
  std::string listFolder;   // "" is the current folder, or the user's library
  std::string writeChapterPath;  // the chapter file --write-chapter writes
  std::string title;             // its title, as typed; "" takes the list's file name
  int count = kDefaultCount;
  std::string initial;  // as typed (UTF-8 or a single code-page byte)
  std::optional<int> fit;
  std::optional<int> val;
  std::optional<bool> statistical, structural, prefixes, suffixes;
  std::optional<std::uint32_t> seed;
  std::optional<int> threads;  // set: the run is made in seeded blocks
  bool log = false;
  bool raw = false;
  std::string outputPath;  // "" writes the names to standard output
  std::string reportPath;  // the report page, for Action::Report
  std::optional<DocumentFormat> format;
  int rpg = 0;
  int lines = 0;
};

struct ParseResult {
  CommandLine line;
  std::string error;  // empty when the arguments were sound
};

ParseResult ParseCommandLine(const std::vector<std::string>& arguments);

// Text format unless the file name ends in ".rtf", ignoring case.
DocumentFormat FormatForFile(const std::string& path);

extern const char* const kUsageLine;
extern const char* const kHelpText;

}  // namespace vael::cli
