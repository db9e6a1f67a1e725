// vaelgen: names from the command line.

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/Catalogue.h"
#include "catalogue/FolderEntries.h"
#include "cli/ChapterStorage.h"
#include "cli/CommandLine.h"
#include "cli/FiguresText.h"
#include "cli/Listing.h"
#include "cli/Messages.h"
#include "cli/NameFilters.h"
#include "cli/NameRun.h"
#include "cli/ReportPage.h"
#include "cli/TitleLookup.h"
#include "cli/Utf8.h"
#include "cli/WriteChapter.h"
#include "core/chapter/CaseMapping.h"
#include "core/chapter/TVaelChapter.h"
#include "core/chapter/TextFile.h"
#include "core/generation/Generator.h"
#include "export/Export.h"

namespace vael::cli {
namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr std::size_t kFlushBytes = 1 << 16;

// Standard output gathered in large pieces: a run of many names spends its
// time generating, not in small writes. Once a write fails nothing more is
// written, and the run is told to end.
class Output {
 public:
  explicit Output(bool raw) : raw_(raw) {}
  ~Output() { Flush(); }

  // A name's printed line: its text as the terminal takes it (UTF-8, or the
  // code page's own bytes with --raw) and a line break. Made wherever the
  // names are made, so it keeps no state.
  static void AppendNameLine(std::string& out, std::string_view codePageName, bool raw) {
    AppendText(out, codePageName, raw);
    out += '\n';
  }

  // False once standard output takes no more.
  bool Text(std::string_view codePageText) {
    AppendText(buffer_, codePageText, raw_);
    return Written();
  }

  bool Name(std::string_view codePageName) {
    AppendNameLine(buffer_, codePageName, raw_);
    return Written();
  }

  // Text already in the terminal's bytes, such as lines made by AppendNameLine.
  bool Printed(std::string_view bytes) {
    buffer_ += bytes;
    return Written();
  }

  // 0 when standard output took everything or its reader went away (as
  // `| head` does once it has its lines: not a failure), else the error.
  int Finish() {
    Flush();
    if (error_ == 0 && std::fflush(stdout) != 0) Failed();
    return error_ == EPIPE ? 0 : error_;
  }

 private:
  void Flush() {
    if (!buffer_.empty() && error_ == 0 &&
        std::fwrite(buffer_.data(), 1, buffer_.size(), stdout) != buffer_.size()) {
      Failed();
    }
    buffer_.clear();
  }

  static void AppendText(std::string& out, std::string_view codePageText, bool raw) {
    if (raw)
      out += codePageText;
    else
      AppendUtf8FromWindows1252(out, codePageText);
  }

  bool Written() {
    if (buffer_.size() >= kFlushBytes) Flush();
    return error_ == 0;
  }

  void Failed() { error_ = errno != 0 ? errno : EIO; }

  bool raw_;
  int error_ = 0;
  std::string buffer_;
};

int Usage(const std::string& problem) {
  Error(problem);
  std::fputs(kUsageLine, stderr);
  return kExitUsage;
}

int Finish(Output& output) {
  if (output.Finish() == 0) return 0;
  Error("couldn't write to standard output");
  return kExitFailure;
}

// Loads the chapter or plain list, or gives the loader's cause. listNames,
// when given, receives a list's usable names.
bool LoadChapter(TVaelChapter& chapter, const std::string& path,
                 std::vector<std::string>* listNames = nullptr) {
  if (HasExtension(path, ".txt")) {
    // The names a list holds that a chapter cannot are only left out; the
    // user learns which, and why, before the names come.
    PlainList list = chapter.LoadList(path);
    ReportLeftOut(path, list);
    if (listNames) *listNames = std::move(list.names);
  } else {
    chapter.Load(path);
  }
  if (!chapter.loaded) Error("Cause: " + chapter.ErrorTextUtf8());
  return chapter.loaded;
}

int List(const CommandLine& line) {
  // The catalogue treats a folder it cannot read as empty; here that is
  // most likely a mistyped name, so say so.
  std::error_code error;
  if (!line.listFolder.empty() && !std::filesystem::is_directory(line.listFolder, error)) {
    Error("no such folder: " + line.listFolder);
    return kExitFailure;
  }
  // Without a folder, a current folder without books gives way to the
  // user's library, as it does for the window.
  std::string folder = line.listFolder;
  if (folder.empty()) {
    const LibraryChoice choice = ChooseLibrary("", FindLibraryPlaces());
    if (!choice.cause.empty()) Error(choice.cause + " " + choice.failedFolder);
    if (choice.folder.empty() && !choice.cause.empty()) return kExitFailure;
    folder = choice.folder;
  }
  Output output(line.raw);
  output.Text(CatalogueListing(folder));
  return Finish(output);
}

int Titles(const CommandLine& line) {
  Output output(line.raw);
  for (const std::string& title : KnownTitles(FindLibraryPlaces())) output.Text(title + "\n");
  return Finish(output);
}

// The file CHAPTER names: itself, or the chapter whose title it is. Empty
// (after saying why) when the title fits no chapter or more than one.
std::string ChapterFile(const std::string& chapter) {
  if (!LooksLikeTitle(chapter)) return chapter;
  // The terminal's UTF-8 read by the rule of text files; a character the
  // code page lacks is in no title.
  const CodePageText title = ReadTextFile(chapter);
  const TitleLookup lookup =
      LookUpTitle(title.fault == TextFault::None ? title.text : std::string(), FindLibraryPlaces());
  if (!lookup.libraryProblem.empty()) Error(lookup.libraryProblem);
  if (!lookup.path.empty()) return lookup.path;
  std::string text;
  if (!lookup.matches.empty()) {
    text = "more than one chapter is titled \"" + chapter + "\"; name one by book and title, or by file:";
    for (const TitledChapter& match : lookup.matches) {
      text += "\n  " + Utf8FromWindows1252(match.name) + "  (" + match.path + ")";
    }
  } else if (!lookup.close.empty()) {
    text = "no chapter file or title \"" + chapter + "\"; the closest titles:";
    for (const TitledChapter& match : lookup.close) text += "\n  " + Utf8FromWindows1252(match.name);
  } else {
    text = "no chapter file or title \"" + chapter + "\" (vaelgen --list shows the chapters)";
  }
  Error(text);
  return {};
}

int Generate(const CommandLine& line) {
  const std::string path = ChapterFile(line.chapterPath);
  if (path.empty() && !line.chapterPath.empty()) return kExitFailure;
  const ChapterStorage storage = NewChapter();
  TVaelChapter& chapter = *storage;
  std::vector<std::string> samples;  // a list's names; a chapter's are read when needed
  if (!LoadChapter(chapter, path, &samples)) return kExitFailure;

  char initialLetter = '*';
  if (!line.initial.empty() && line.initial != "*") {
    auto letter = Windows1252CharFromUtf8(line.initial);
    if (letter) letter = ToUpperChar(*letter);
    // Only letters some sample name begins with can be asked for; the
    // window offers no others.
    if (!letter || chapter.initialLetters.find(*letter) == std::string::npos) {
      return Usage("no sample name of this chapter begins with " + line.initial +
                   " (try one of " + Utf8FromWindows1252(chapter.initialLetters) + ")");
    }
    initialLetter = *letter;
  }

  if (line.noSamples && samples.empty() && !ReadSampleNames(path, samples)) {
    return Usage("--no-samples needs the sample names, which a compiled chapter (.qch) "
                 "does not keep: give the chapter's .vel");
  }
  NameFilters filters(line, samples);

  if (line.seed) SeedRandom(chapter, *line.seed);
  GenerationOptions request = RequestFor(chapter, line, initialLetter);

  FilteredRun run;
  if (!line.outputPath.empty()) {
    std::string document;
    if (line.listFormat) {
      // In the order made, as printed, and in UTF-8 like the printed list.
      NameListWriter writer(*line.listFormat);
      std::string list = writer.Head();
      run = MakeFilteredNames(chapter, request, line, filters, [&](std::string_view name) {
        writer.Append(list, name);
        return true;
      });
      list += writer.Tail();
      document = Utf8FromWindows1252(list);
    } else {
      std::vector<HistoryItem> history;
      history.reserve(static_cast<std::size_t>(std::min<std::int64_t>(line.count, 1 << 20)));
      run = MakeFilteredNames(chapter, request, line, filters, [&](std::string_view name) {
        history.push_back({std::string(name), true});
        return true;
      });
      // The window's history shows the newest name first.
      std::reverse(history.begin(), history.end());
      DocumentFormat format = line.format.value_or(FormatForFile(line.outputPath));
      document = NamesDocument(format, chapter.title, chapter.line1, line.rpg, line.lines, history);
    }
    if (!Save(line.outputPath, document, path)) return kExitFailure;
  } else {
    Output output(line.raw);
    if (line.listFormat) {
      NameListWriter writer(*line.listFormat);
      std::string piece;
      output.Text(writer.Head());
      run = MakeFilteredNames(chapter, request, line, filters, [&](std::string_view name) {
        piece.clear();
        writer.Append(piece, name);
        return output.Text(piece);
      });
      output.Text(writer.Tail());
    } else if (line.threads && !HasNameFilters(line)) {
      // Each line is made on the thread that made its name; this thread
      // only writes whole blocks.
      const bool raw = line.raw;
      GenerateNameBlocks(
          chapter, request, line.count, RunFor(line),
          [raw](std::string& out, std::string_view name) { Output::AppendNameLine(out, name, raw); },
          [&](std::string_view lines) { return output.Printed(lines); });
    } else {
      run = MakeFilteredNames(chapter, request, line, filters,
                              [&](std::string_view name) { return output.Name(name); });
    }
    if (int status = Finish(output); status != 0) return status;
  }
  if (run.exhausted) {
    Error("stopped after " + std::to_string(run.passed) + " of " + std::to_string(line.count) +
          " names: none of the last " + std::to_string(kMaxTriesWithoutName) +
          " names made passed the filters");
    return kExitFailure;
  }

  if (line.log) {
    std::error_code error;
    std::filesystem::path log = std::filesystem::absolute("!vel_log.txt", error);
    std::fprintf(stderr, "vaelgen: log written to %s\n", log.string().c_str());
  }
  return 0;
}

// The chapter a report or figures are made of, with its samples in
// capitals when they are known (a compiled chapter keeps none).
struct MeasuredChapter {
  std::string path;
  ChapterStorage chapter;
  std::vector<std::string> samples;
  bool samplesKnown = false;
};

// False, after saying why, when CHAPTER names no chapter or it does not load.
bool LoadMeasured(const CommandLine& line, MeasuredChapter& measured) {
  measured.path = ChapterFile(line.chapterPath);
  if (measured.path.empty() && !line.chapterPath.empty()) return false;
  measured.chapter = NewChapter();
  std::vector<std::string>& samples = measured.samples;
  if (!LoadChapter(*measured.chapter, measured.path, &samples)) return false;
  measured.samplesKnown = !samples.empty();
  if (measured.samplesKnown) {
    // A list's names are its samples, compared in capitals as a chapter's are.
    for (std::string& name : samples) name = ToUpper(name);
  } else {
    measured.samplesKnown = ReadSampleNames(measured.path, samples);
  }
  return true;
}

int Report(const CommandLine& line) {
  MeasuredChapter measured;
  if (!LoadMeasured(line, measured)) return kExitFailure;
  const TVaelChapter& chapter = *measured.chapter;
  const ChapterReport report = MakeChapterReport(
      chapter, measured.samplesKnown ? &measured.samples : nullptr, line.seed.value_or(kReportSeed));
  return Save(line.reportPath, ReportPage(chapter, report, measured.path), measured.path) ? 0
                                                                                          : kExitFailure;
}

int Figures(const CommandLine& line) {
  MeasuredChapter measured;
  if (!LoadMeasured(line, measured)) return kExitFailure;
  const TVaelChapter& chapter = *measured.chapter;
  std::optional<SampleComparison> comparison;
  if (measured.samplesKnown) comparison.emplace(chapter, measured.samples);
  const SettingFigures figures =
      MeasureSetting(chapter, RequestFor(chapter, line, '*'), comparison ? &*comparison : nullptr,
                     static_cast<int>(line.count), line.seed.value_or(kReportSeed));
  Output output(false);
  output.Printed(FiguresText(measured.path, figures, comparison ? &*comparison : nullptr));
  return Finish(output);
}

int Run(const std::vector<std::string>& arguments) {
  ParseResult parsed = ParseCommandLine(arguments);
  if (!parsed.error.empty()) return Usage(parsed.error);
  const CommandLine& line = parsed.line;
  switch (line.action) {
    case Action::Help:
      std::fputs(kHelpText, stdout);
      return 0;
    case Action::Version:
      std::puts("Vaelorn 3.3");
      return 0;
    case Action::List:
      return List(line);
    case Action::Titles:
      return Titles(line);
    case Action::WriteChapter:
      return WriteChapterFile(line);
    case Action::Generate:
      return Generate(line);
    case Action::Report:
      return Report(line);
    case Action::Figures:
      return Figures(line);
  }
  return kExitFailure;
}

}  // namespace
}  // namespace vael::cli

int main(int argc, char** argv) {
  // A reader that goes away (`vaelgen -n 1000000 | head`) ends the run
  // through a failed write, quietly, instead of killing the program.
  std::signal(SIGPIPE, SIG_IGN);
  return vael::cli::Run(std::vector<std::string>(argv + 1, argv + argc));
}
