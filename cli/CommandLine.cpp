#include "cli/CommandLine.h"

#include <charconv>
#include <functional>

#include "catalogue/FolderEntries.h"
#include "core/analysis/SettingFigures.h"

namespace vael::cli {

const char* const kUsageLine =
    "usage: vaelgen [options] CHAPTER | vaelgen --list [FOLDER]  (vaelgen --help for more)\n";

const char* const kHelpText =
    "usage: vaelgen [options] CHAPTER\n"
    "       vaelgen --report FILE [--seed N] CHAPTER\n"
    "       vaelgen --figures [-n N] [--seed N] [--fit 0..3] [switches] CHAPTER\n"
    "       vaelgen --list [FOLDER]\n"
    "       vaelgen --titles\n"
    "       vaelgen --write-chapter OUT.vel [--title TEXT] LIST.txt\n"
    "\n"
    "Prints new names in the style of CHAPTER, one per line. CHAPTER is a chapter\n"
    "(.vel or .qch), a plain list of sample names, one name per line (.txt, read\n"
    "with the options STATGEN FIT:2 VAL:2), or a chapter's title (\"Finnish given\n"
    "names\") or its book's and its own (\"Northlands/Finnish given names\") in the\n"
    "library of the current folder or in your own library.\n"
    "\n"
    "  -n, --count N        how many names, 1 to 2147483647 (default 10); printed\n"
    "                       names come as they are made, in little memory\n"
    "  -i, --initial LETTER every name begins with LETTER\n"
    "      --fit 0..3       fit level\n"
    "      --statistical, --no-statistical\n"
    "      --structural, --no-structural\n"
    "      --prefixes, --no-prefixes\n"
    "      --suffixes, --no-suffixes\n"
    "                       generation switches; those not given, and the fit\n"
    "                       level, follow the chapter's recommended options\n"
    "      --val 0..9       screening level instead of the chapter's\n"
    "      --seed N         repeatable run: same chapter, options and seed,\n"
    "                       same names\n"
    "      --threads N      make the names on N threads (1 to 64). The run is cut\n"
    "                       into blocks, each seeded from the run's seed, so the\n"
    "                       names are the same for any N, but not those of a run\n"
    "                       without --threads\n"
    "      --unique         never the same name twice in one run (keeps every\n"
    "                       name printed, so memory grows with the names)\n"
    "      --min-length N, --max-length N\n"
    "                       only names of at least, at most N letters (1 to 255;\n"
    "                       spaces and hyphens are not counted)\n"
    "      --no-samples     never a name equal to a sample name, ignoring case\n"
    "                       (needs the chapter's text or list, not a .qch)\n"
    "      --novel          never a sample name nor a near-copy of one (at most\n"
    "                       one letter in five changed, added or left out); needs\n"
    "                       the chapter's text or list, as --no-samples does\n"
    "      --starts-with TEXT, --ends-with TEXT, --contains TEXT\n"
    "                       only names that begin with, end with or hold TEXT,\n"
    "                       ignoring case and accents (e also finds an accented\n"
    "                       e); each may be given more than once: all must hold\n"
    "      --excludes TEXT  never a name that holds TEXT (more than once too)\n"
    "      --clean          never a name that is, or holds as a word, one of the\n"
    "                       offensive words and slurs of the list installed with\n"
    "                       the program\n"
    "      --clean-list FILE\n"
    "                       the words of FILE too, one a line; a word followed by\n"
    "                       * also leaves out the words that begin with it, one\n"
    "                       after * those that end with it (implies --clean)\n"
    "                       These filters pick among the names made, which stay\n"
    "                       those of the same run without filters. When none of\n"
    "                       100000 names in a row passes, vaelgen stops with\n"
    "                       exit status 1 after the names that did; filters that\n"
    "                       the chapter can never meet stop it at once\n"
    "      --log            write the decision log of one name to !vel_log.txt\n"
    "                       in the current folder (implies -n 1)\n"
    "      --raw            print Windows-1252 bytes instead of UTF-8\n"
    "  -o, --output FILE    save the names as a document instead of printing them;\n"
    "                       the file is written whole at the end of the run, so\n"
    "                       memory grows with the names (print a long run and\n"
    "                       redirect it instead)\n"
    "      --format txt|rtf|csv|json\n"
    "                       txt or rtf: a document with the chapter's line above\n"
    "                       the names, newest name first; rtf needs -o;\n"
    "                       csv: a column \"name\" with a header line (RFC 4180);\n"
    "                       json: an array of strings, in UTF-8;\n"
    "                       csv and json are in the order made and in UTF-8.\n"
    "                       txt, csv and json are printed, or saved with -o.\n"
    "                       Default with -o: from the file's name (*.rtf, *.csv,\n"
    "                       *.json), else txt\n"
    "      --rpg 0..5       statistics block under each name: 0 none, 1 generic,\n"
    "                       2 2nd Ed. AD&D, 3 Lejendary Adv., 4 Runequest,\n"
    "                       5 WH Fantasy (txt and rtf documents)\n"
    "      --lines 0..8     blank description lines under each name (txt and rtf)\n"
    "      --encoding windows-1252|utf-8\n"
    "                       the text encoding of a txt document saved with -o and\n"
    "                       of the chapter --write-chapter writes (default\n"
    "                       windows-1252, which the window and other readers of\n"
    "                       chapters expect)\n"
    "      --report FILE    write a page (HTML) that shows how well the chapter's\n"
    "                       names match its samples under its recommended options\n"
    "                       and the 24 settings it tries, and which suits it best;\n"
    "                       --seed changes the seed the names are made with\n"
    "      --figures        print, instead of the names, how the names of the run\n"
    "                       (default 10000 names, at most 1000000; seed 1) match\n"
    "                       the samples: the figures of a --report row; takes -n,\n"
    "                       --seed, --fit, --val and the switches\n"
    "      --list [FOLDER]  the books and chapters found in FOLDER (default: the\n"
    "                       current folder, or your library when it has no books)\n"
    "      --titles         the chapter titles CHAPTER may be, one per line\n"
    "      --write-chapter OUT.vel\n"
    "                       write a chapter file from the plain list LIST.txt,\n"
    "                       with the options that give it the best names\n"
    "      --title TEXT     the written chapter's title (default: the list's\n"
    "                       file name)\n"
    "  -h, --help           this text\n"
    "      --version        the program's version\n"
    "\n"
    "Encodings: printed text is UTF-8 (Windows-1252 with --raw), names and txt\n"
    "documents with LF line ends, csv with CR LF. Saved csv and json are UTF-8.\n"
    "txt and rtf documents saved with -o and chapters written by --write-chapter\n"
    "are Windows-1252 with CR LF line ends, unless --encoding utf-8 is given (rtf\n"
    "is always Windows-1252). Chapters and lists are read in UTF-8 or\n"
    "Windows-1252.\n"
    "\n"
    "Your library is $XDG_DATA_HOME/vael/library (~/.local/share/vael/library),\n"
    "made from the installed sample library when it is first needed.\n"
    "\n"
    "Exit status: 0 done (also when the reader of the output went away, as with\n"
    "| head), 1 the chapter, the folder or the output failed, or the filters\n"
    "stopped the run, 2 bad usage.\n";

namespace {

std::optional<long long> ParseInteger(const std::string& text) {
  long long value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

// The format -o FILE is saved in when --format does not say: rtf, csv or
// json by the file's extension, ignoring case, else txt.
void FormatFromFileName(CommandLine& line) {
  const std::string& path = line.outputPath;
  if (HasExtension(path, ".csv")) line.listFormat = ListFormat::Csv;
  else if (HasExtension(path, ".json")) line.listFormat = ListFormat::Json;
  else if (HasExtension(path, ".rtf")) line.format = DocumentFormat::RichText;
  else line.format = DocumentFormat::PlainText;
}

class Parser {
 public:
  explicit Parser(const std::vector<std::string>& arguments) : arguments_(arguments) {}

  ParseResult Run() {
    bool countGiven = false;
    // Options that shape the names of a run; a report tries its own settings.
    bool nameOptionGiven = false;
    std::vector<std::string> positional;
    for (index_ = 0; index_ < arguments_.size() && result_.error.empty(); ++index_) {
      std::string argument = arguments_[index_];
      attached_.reset();
      // "--count=5" is the same as "--count 5".
      if (argument.rfind("--", 0) == 0) {
        if (std::size_t equals = argument.find('='); equals != std::string::npos) {
          attached_ = argument.substr(equals + 1);
          argument = argument.substr(0, equals);
        }
      }
      CommandLine& line = result_.line;
      if (argument == "-h" || argument == "--help") {
        line.action = Action::Help;
      } else if (argument == "--version") {
        line.action = Action::Version;
      } else if (argument == "-n" || argument == "--count") {
        countGiven = true;
        nameOptionGiven = true;
        IntegerValue(argument, 1, kMaxCount, [&](long long v) { line.count = v; });
      } else if (argument == "-i" || argument == "--initial") {
        nameOptionGiven = true;
        if (auto v = Value(argument)) {
          line.initial = *v;
          if (v->empty()) result_.error = argument + " takes a letter, or * for any";
        }
      } else if (argument == "--fit") {
        nameOptionGiven = true;
        IntegerValue(argument, 0, 3, [&](long long v) { line.fit = static_cast<int>(v); });
      } else if (argument == "--val") {
        nameOptionGiven = true;
        IntegerValue(argument, 0, 9, [&](long long v) { line.val = static_cast<int>(v); });
      } else if (argument == "--seed") {
        IntegerValue(argument, 0, 0xFFFFFFFFLL,
                     [&](long long v) { line.seed = static_cast<std::uint32_t>(v); });
      } else if (argument == "--threads") {
        IntegerValue(argument, 1, kMaxThreads, [&](long long v) { line.threads = static_cast<int>(v); });
      } else if (Switch(argument, "statistical", line.statistical) ||
                 Switch(argument, "structural", line.structural) ||
                 Switch(argument, "prefixes", line.prefixes) ||
                 Switch(argument, "suffixes", line.suffixes)) {
        nameOptionGiven = true;
      } else if (argument == "--unique") {
        line.unique = true;
      } else if (argument == "--min-length") {
        IntegerValue(argument, 1, kMaxNameLength, [&](long long v) { line.minLength = static_cast<int>(v); });
      } else if (argument == "--max-length") {
        IntegerValue(argument, 1, kMaxNameLength, [&](long long v) { line.maxLength = static_cast<int>(v); });
      } else if (argument == "--no-samples") {
        line.noSamples = true;
      } else if (argument == "--novel") {
        line.novel = true;
      } else if (TextValue(argument, "--starts-with", line.startsWith) ||
                 TextValue(argument, "--ends-with", line.endsWith) ||
                 TextValue(argument, "--contains", line.contains) ||
                 TextValue(argument, "--excludes", line.excludes)) {
      } else if (argument == "--clean") {
        line.clean = true;
      } else if (argument == "--clean-list") {
        line.clean = true;
        if (auto v = Value(argument)) {
          line.cleanLists.push_back(*v);
          if (v->empty()) result_.error = "empty word list file name";
        }
      } else if (argument == "--log") {
        nameOptionGiven = true;
        line.log = true;
      } else if (argument == "--raw") {
        line.raw = true;
      } else if (argument == "-o" || argument == "--output") {
        if (auto v = Value(argument)) line.outputPath = *v;
        if (line.outputPath.empty() && result_.error.empty()) result_.error = "empty output file name";
      } else if (argument == "--report") {
        SetAction(Action::Report, argument);
        if (auto v = Value(argument)) line.reportPath = *v;
        if (line.reportPath.empty() && result_.error.empty()) result_.error = "empty report file name";
      } else if (argument == "--figures") {
        SetAction(Action::Figures, argument);
      } else if (argument == "--format") {
        if (auto v = Value(argument)) {
          line.format.reset();
          line.listFormat.reset();
          if (*v == "txt") line.format = DocumentFormat::PlainText;
          else if (*v == "rtf") line.format = DocumentFormat::RichText;
          else if (*v == "csv") line.listFormat = ListFormat::Csv;
          else if (*v == "json") line.listFormat = ListFormat::Json;
          else result_.error = "--format takes txt, rtf, csv or json";
        }
      } else if (argument == "--encoding") {
        if (auto v = Value(argument)) {
          if (*v == "windows-1252") line.encoding = TextEncoding::Windows1252;
          else if (*v == "utf-8") line.encoding = TextEncoding::Utf8;
          else result_.error = "--encoding takes windows-1252 or utf-8";
        }
      } else if (argument == "--rpg") {
        IntegerValue(argument, 0, 5, [&](long long v) { line.rpg = static_cast<int>(v); });
      } else if (argument == "--lines") {
        IntegerValue(argument, 0, 8, [&](long long v) { line.lines = static_cast<int>(v); });
      } else if (argument == "--list") {
        SetAction(Action::List, argument);
        // The folder is optional: take the next argument unless it is an option.
        if (attached_) {
          line.listFolder = *attached_;
          attached_.reset();
        } else if (index_ + 1 < arguments_.size() && arguments_[index_ + 1].rfind("-", 0) != 0) {
          line.listFolder = arguments_[++index_];
        }
      } else if (argument == "--titles") {
        SetAction(Action::Titles, argument);
      } else if (argument == "--write-chapter") {
        SetAction(Action::WriteChapter, argument);
        if (auto v = Value(argument)) line.writeChapterPath = *v;
        // Any other name would not be taken for a chapter: a .txt file
        // would even be read back as a list.
        if (result_.error.empty() && !HasExtension(line.writeChapterPath, ".vel")) {
          result_.error = "--write-chapter writes a chapter file named *.vel";
        }
      } else if (argument == "--title") {
        if (auto v = Value(argument)) line.title = *v;
        if (line.title.empty() && result_.error.empty()) result_.error = "empty title";
      } else if (argument == "--") {
        positional.insert(positional.end(), arguments_.begin() + static_cast<long>(index_) + 1,
                          arguments_.end());
        index_ = arguments_.size();
        break;
      } else if (argument.size() > 1 && argument[0] == '-') {
        result_.error = "unknown option " + argument;
      } else {
        positional.push_back(argument);
      }
      if (attached_ && result_.error.empty()) result_.error = argument + " takes no value";
    }
    if (!result_.error.empty()) return result_;

    CommandLine& line = result_.line;
    if (line.action == Action::Help || line.action == Action::Version) return result_;
    if (line.action == Action::List) {
      if (!positional.empty()) result_.error = "--list takes one folder and no chapter";
      return result_;
    }
    if (line.action == Action::Titles) {
      if (!positional.empty()) result_.error = "--titles takes no chapter";
      return result_;
    }
    if (line.action == Action::Report &&
        (nameOptionGiven || line.threads || !line.outputPath.empty() || line.format || line.listFormat ||
         HasNameFilters(line) || line.rpg != 0 || line.lines != 0 || line.encoding)) {
      result_.error = "--report takes a chapter and, at most, --seed";
      return result_;
    }
    if (line.action == Action::Figures) {
      if (!line.initial.empty() || line.log || line.threads || !line.outputPath.empty() || line.format ||
          line.listFormat || HasNameFilters(line) || line.rpg != 0 || line.lines != 0 || line.raw) {
        result_.error = "--figures takes a chapter and, at most, -n, --seed, --fit, --val and the switches";
        return result_;
      }
      if (!countGiven) line.count = kReportNames;
      if (line.count > kMaxFiguresCount) {
        result_.error = "--figures measures at most " + std::to_string(kMaxFiguresCount) + " names";
      }
    }
    if (line.action == Action::WriteChapter) {
      // It makes no names: options for them would be dropped without a word.
      if (nameOptionGiven || line.seed || line.threads || !line.outputPath.empty() || line.format ||
          line.listFormat || HasNameFilters(line) || line.rpg != 0 || line.lines != 0) {
        result_.error = "--write-chapter takes a list and, at most, --title and --encoding";
        return result_;
      }
      if (positional.size() != 1) result_.error = "--write-chapter takes one list of names";
      else line.chapterPath = positional.front();
      return result_;
    }
    if (!line.title.empty()) {
      result_.error = "--title names the chapter --write-chapter writes";
    } else if (positional.empty()) {
      result_.error = "no chapter given";
    } else if (positional.size() > 1) {
      result_.error = "one chapter at a time";
    } else {
      line.chapterPath = positional.front();
    }
    // The decision log describes one name.
    if (line.log) {
      if (countGiven && line.count != 1) result_.error = "--log works on a single name (-n 1)";
      if (line.threads) result_.error = "--log works on a single name, without --threads";
      if (HasNameFilters(line)) result_.error = "--log works on a single name, without filters";
      line.count = 1;
    }
    if (line.minLength && line.maxLength && *line.minLength > *line.maxLength) {
      result_.error = "--min-length is more than --max-length";
    }
    if (!line.outputPath.empty() && !line.format && !line.listFormat) FormatFromFileName(line);
    if (line.listFormat && (line.rpg != 0 || line.lines != 0)) {
      result_.error = "--rpg and --lines go with txt and rtf documents, not csv or json";
    }
    // JSON is UTF-8 by definition; code-page bytes would not be JSON.
    if (line.listFormat == ListFormat::Json && line.raw && line.outputPath.empty()) {
      result_.error = "--raw does not go with --format json, which is always UTF-8";
    }
    if (line.outputPath.empty()) {
      // A Rich Text document is a file for a word processor, not text for
      // the terminal.
      if (line.format == DocumentFormat::RichText) result_.error = "--format rtf needs -o FILE";
      if (!line.format && (line.rpg != 0 || line.lines != 0)) {
        result_.error = "--rpg and --lines need a document: -o FILE or --format txt";
      }
      if (line.encoding) {
        result_.error = "--encoding goes with -o FILE or --write-chapter; printed text is UTF-8, "
                        "or Windows-1252 with --raw";
      }
    } else if (line.encoding == TextEncoding::Utf8 && line.format == DocumentFormat::RichText) {
      result_.error = "--encoding utf-8 does not go with rtf, which its readers take as Windows-1252";
    } else if (line.encoding == TextEncoding::Windows1252 && line.listFormat) {
      result_.error = "--encoding windows-1252 does not go with csv or json, which are always UTF-8";
    }
    return result_;
  }

 private:
  // One action a run: were a second one taken, the first would be dropped
  // while the run reports success. (--help and --version answer anyway.)
  void SetAction(Action action, const std::string& option) {
    CommandLine& line = result_.line;
    const bool another = line.action != Action::Generate && line.action != Action::Help &&
                         line.action != Action::Version && line.action != action;
    if (another && result_.error.empty()) result_.error = actionOption_ + " does not go with " + option;
    line.action = action;
    actionOption_ = option;
  }

  // The option's value, attached ("--fit=2") or the next argument.
  std::optional<std::string> Value(const std::string& option) {
    if (attached_) {
      std::string value = *attached_;
      attached_.reset();
      return value;
    }
    if (index_ + 1 >= arguments_.size()) {
      result_.error = option + " needs a value";
      return std::nullopt;
    }
    return arguments_[++index_];
  }

  void IntegerValue(const std::string& option, long long minimum, long long maximum,
                    const std::function<void(long long)>& store) {
    auto text = Value(option);
    if (!text) return;
    auto value = ParseInteger(*text);
    if (!value || *value < minimum || *value > maximum) {
      result_.error = option + " takes a number from " + std::to_string(minimum) + " to " +
                      std::to_string(maximum);
      return;
    }
    store(*value);
  }

  // A filter text, appended to texts; true when argument is that option.
  bool TextValue(const std::string& argument, const std::string& option, std::vector<std::string>& texts) {
    if (argument != option) return false;
    if (auto v = Value(argument)) {
      if (v->empty()) result_.error = option + " takes a text";
      else texts.push_back(*v);
    }
    return true;
  }

  static bool Switch(const std::string& argument, const std::string& name,
                     std::optional<bool>& target) {
    if (argument == "--" + name) target = true;
    else if (argument == "--no-" + name) target = false;
    else return false;
    return true;
  }

  const std::vector<std::string>& arguments_;
  std::size_t index_ = 0;
  std::optional<std::string> attached_;
  std::string actionOption_;  // the option that chose the action
  ParseResult result_;
};

}  // namespace

ParseResult ParseCommandLine(const std::vector<std::string>& arguments) {
  return Parser(arguments).Run();
}

bool HasNameFilters(const CommandLine& line) {
  return line.unique || line.minLength || line.maxLength || line.noSamples || line.novel ||
         !line.startsWith.empty() || !line.endsWith.empty() || !line.contains.empty() ||
         !line.excludes.empty() || line.clean;
}

}  // namespace vael::cli
