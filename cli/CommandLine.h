#pragma once
// The options of vaelgen and their parser.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/chapter/TextFile.h"
#include "export/Export.h"

namespace vael::cli {

inline constexpr int kDefaultCount = 10;
// --figures keeps every name it measures.
inline constexpr int kMaxFiguresCount = 1000000;
inline constexpr std::int64_t kMaxCount = 2147483647;  // 2^31 - 1
inline constexpr int kMaxNameLength = 255;  // letters, for --min-length and --max-length
inline constexpr int kMaxThreads = 64;

enum class Action { Generate, Report, Figures, List, Titles, WriteChapter, Help, Version };

// What the user asked for. Unset optionals take the chapter's recommended
// values, as the window's "Automatic options" does.
struct CommandLine {
  Action action = Action::Generate;
  std::string chapterPath;  // a chapter file, or a chapter's title
  std::string listFolder;   // "" is the current folder, or the user's library
  std::string writeChapterPath;  // the chapter file --write-chapter writes
  std::string title;             // its title, as typed; "" takes the list's file name
  std::int64_t count = kDefaultCount;
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
  // After parsing with -o, one of the two is set (from the file's name when
  // --format was not given); without -o, either or neither.
  std::optional<DocumentFormat> format;  // txt (printed or saved) or rtf (saved)
  std::optional<ListFormat> listFormat;  // csv or json, to a file or printed
  // Of a txt document saved with -o and of a written chapter; unset is
  // Windows-1252.
  std::optional<TextEncoding> encoding;
  // Filters on finished names; none given, the names are those of a plain run.
  bool unique = false;
  std::optional<int> minLength, maxLength;
  bool noSamples = false;
  bool novel = false;
  // As typed (UTF-8); each may be given more than once.
  std::vector<std::string> startsWith, endsWith, contains, excludes;
  bool clean = false;
  std::vector<std::string> cleanLists;  // --clean-list files, which imply --clean
  int rpg = 0;
  int lines = 0;
};

struct ParseResult {
  CommandLine line;
  std::string error;  // empty when the arguments were sound
};

ParseResult ParseCommandLine(const std::vector<std::string>& arguments);

bool HasNameFilters(const CommandLine& line);

extern const char* const kUsageLine;
extern const char* const kHelpText;

}  // namespace vael::cli
