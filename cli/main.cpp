// vaelgen: names from the command line.

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/UserLibrary.h"
#include "catalogue/Catalogue.h"
#include "catalogue/FolderEntries.h"
#include "cli/CommandLine.h"
#include "cli/DocumentText.h"
#include "cli/FiguresText.h"
#include "cli/Listing.h"
#include "cli/Messages.h"
#include "cli/NameFilters.h"
#include "cli/NameRun.h"
#include "cli/ReportPage.h"
#include "cli/StandardOutput.h"
#include "cli/TitleLookup.h"
#include "cli/WriteChapter.h"
#include "core/SpeedTricks.h"
#include "core/analysis/Request.h"
#include "core/chapter/CaseMapping.h"
#include "core/chapter/ChapterLoader.h"
#include "core/chapter/CodePage.h"
#include "core/chapter/LoadFailure.h"
#include "core/chapter/TextFile.h"
#include "core/Version.h"
#include "core/generation/Generator.h"
#include "export/Export.h"

namespace vael::cli {
namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
// Text of the program's own, in the terminal's bytes.
int Print(std::string_view text) {
  Output output(false);
  output.Printed(text);
  return output.Finish();
}

int Usage(const std::string& problem) {
  Error(problem);
  std::fputs(kUsageLine, stderr);
  return kExitUsage;
}

// Loads the chapter or plain list as the window does (through the compiled
// chapter beside a text chapter), or says why not and gives nullptr.
// listNames, when given, receives a list's usable names.
std::shared_ptr<const Chapter> LoadChapter(const std::string& path,
                                           std::vector<std::string>* listNames = nullptr) {
  PlainList list;
  std::shared_ptr<const Chapter> chapter = OpenChapter(path, LoadOptions{nullptr, true}, &list);
  if (IsPlainListPath(path)) {
    // The names a list holds that a chapter cannot are only left out; the
    // user learns which, and why, before the names come.
    ReportLeftOut(path, list);
    if (listNames) *listNames = std::move(list.names);
  }
  if (!chapter->loaded) {
    Error(LoadFailureText(path, *chapter));
    return nullptr;
  }
  return chapter;
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
  const LibraryPlaces places = FindLibraryPlaces();
  if (folder.empty()) {
    const LibraryChoice choice = ChooseLibrary("", places);
    if (!choice.cause.empty()) Error(choice.cause + " " + choice.failedFolder);
    if (choice.folder.empty() && !choice.cause.empty()) return kExitFailure;
    folder = choice.folder;
  }
  const std::string listing = CatalogueListing(folder, line.raw);
  if (listing.empty()) {
    Error(NothingListedText(line.listFolder, folder, places));
    return kExitFailure;
  }
  Output output(line.raw);
  output.Printed(listing);
  return output.Finish();
}

int Titles(const CommandLine& line) {
  Output output(line.raw);
  // A control character in a title is shown, as --list shows it.
  for (const std::string& title : KnownTitles(FindLibraryPlaces()))
    output.Printed(ShownTitle(title, line.raw) + "\n");
  return output.Finish();
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
  std::vector<std::string> choices;
  if (!lookup.matches.empty()) {
    for (const TitledChapter& match : lookup.matches) {
      choices.push_back(Utf8FromWindows1252(match.name) + "  (" + match.path + ")");
    }
    Error("more than one chapter is titled \"" + chapter + "\"; name one by book and title, or by file:",
          choices);
  } else if (!lookup.close.empty()) {
    for (const TitledChapter& match : lookup.close) choices.push_back(Utf8FromWindows1252(match.name));
    Error("no chapter file or title \"" + chapter + "\"; the closest titles:", choices);
  } else {
    Error("no chapter file or title \"" + chapter + "\" (vaelgen --list shows the chapters)");
  }
  return {};
}

int Generate(const CommandLine& line) {
  const std::string path = ChapterFile(line.chapterPath);
  if (path.empty() && !line.chapterPath.empty()) return kExitFailure;
  std::vector<std::string> samples;  // a list's names; a chapter's are read when needed
  const std::shared_ptr<const Chapter> loaded = LoadChapter(path, &samples);
  if (!loaded) return kExitFailure;
  const Chapter& chapter = *loaded;

  // Only letters some sample name begins with can be asked for; the window
  // offers no others.
  const std::optional<char> initialLetter = InitialLetterFor(chapter, line.initial);
  if (!initialLetter) {
    return Usage("no sample name of this chapter begins with " + line.initial + " (try one of " +
                 Utf8FromWindows1252(chapter.initialLetters) + ")");
  }

  if ((line.noSamples || line.novel) && samples.empty() && !ReadSampleNames(path, samples)) {
    return Usage(std::string(line.novel ? "--novel" : "--no-samples") +
                 " needs the sample names, which a compiled chapter (.qch) does not keep: give the "
                 "chapter's .vel");
  }
  FilterSetup setup = FilterOptionsFor(line, line.clean ? OffensiveWordsFile() : std::string());
  if (setup.badUsage) return Usage(setup.problem);
  if (!setup.problem.empty()) {
    Error(setup.problem);
    return kExitFailure;
  }
  NameFilter filters(chapter, std::move(setup.options), samples, *initialLetter);
  // Said at once: trying would only end, much later, in the same failure.
  if (!filters.Impossible().empty()) {
    Error(Utf8FromWindows1252(filters.Impossible()));
    return kExitFailure;
  }

  Generator generator(loaded, SeedFor(line));
  GenerationOptions request = RequestFor(chapter, line, *initialLetter);

  FilteredRun run;
  if (line.format) {
    // A document, as the window saves it: the whole run first.
    std::vector<HistoryItem> history;
    history.reserve(static_cast<std::size_t>(std::min<std::int64_t>(line.count, 1 << 20)));
    run = MakeFilteredNames(generator, request, line, filters, [&](std::string_view name) {
      history.push_back({std::string(name), true});
      return true;
    });
    // The window's history shows the newest name first.
    std::reverse(history.begin(), history.end());
    const std::string document =
        NamesDocument(*line.format, chapter.title, chapter.line1, line.rpg, line.lines, history);
    if (!line.outputPath.empty()) {
      if (!Save(line.outputPath, InEncoding(document, line.encoding), path)) return kExitFailure;
    } else {
      Output output(line.raw);
      output.Text(WithLineFeeds(document));
      if (int status = output.Finish(); status != 0) return status;
    }
  } else if (!line.outputPath.empty()) {
    // In the order made, as printed, and in UTF-8 like the printed list.
    NameListWriter writer(*line.listFormat);
    std::string list = writer.Head();
    run = MakeFilteredNames(generator, request, line, filters, [&](std::string_view name) {
      writer.Append(list, name);
      return true;
    });
    list += writer.Tail();
    if (!Save(line.outputPath, Utf8FromWindows1252(list), path)) return kExitFailure;
  } else {
    Output output(line.raw);
    if (line.listFormat) {
      NameListWriter writer(*line.listFormat);
      std::string piece;
      output.Text(writer.Head());
      run = MakeFilteredNames(generator, request, line, filters, [&](std::string_view name) {
        piece.clear();
        writer.Append(piece, name);
        return output.Text(piece);
      });
      output.Text(writer.Tail());
    } else if (line.threads && !HasNameFilters(line) && tricks::kWorkerLines) {
      // Each line is made on the thread that made its name; this thread
      // only writes whole blocks. Gain (scripts/bench-compare --trick --wall
      // WORKER_LINES, 1,000,000 names of the 40 villages, --threads 2):
      // none this 2-core machine could show, 375 ms either way, +-50-70 ms.
      const bool raw = line.raw;
      GenerateNameBlocks(
          chapter, request, line.count, RunFor(line),
          [raw](std::string& out, std::string_view name) { Output::AppendNameLine(out, name, raw); },
          [&](std::string_view lines) { return output.Printed(lines); });
    } else {
      run = MakeFilteredNames(generator, request, line, filters,
                              [&](std::string_view name) { return output.Name(name); });
    }
    if (int status = output.Finish(); status != 0) return status;
  }
  if (run.exhausted) {
    Error("stopped after " + std::to_string(run.passed) + " of " + std::to_string(line.count) +
          " names: none of the last " + std::to_string(kMaxTriesWithoutName) +
          " names made passed the filters (" + std::to_string(run.passed) + " passed in " +
          std::to_string(run.tries) + " tries)");
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
  std::shared_ptr<const Chapter> chapter;
  std::vector<std::string> samples;
  bool samplesKnown = false;
};

// False, after saying why, when CHAPTER names no chapter or it does not load.
bool LoadMeasured(const CommandLine& line, MeasuredChapter& measured) {
  measured.path = ChapterFile(line.chapterPath);
  if (measured.path.empty() && !line.chapterPath.empty()) return false;
  std::vector<std::string>& samples = measured.samples;
  measured.chapter = LoadChapter(measured.path, &samples);
  if (!measured.chapter) return false;
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
  const Chapter& chapter = *measured.chapter;
  const ChapterReport report = MakeChapterReport(
      chapter, measured.samplesKnown ? &measured.samples : nullptr, line.seed.value_or(kReportSeed));
  return Save(line.reportPath, ReportPage(chapter, report, measured.path), measured.path) ? 0
                                                                                          : kExitFailure;
}

int Figures(const CommandLine& line) {
  MeasuredChapter measured;
  if (!LoadMeasured(line, measured)) return kExitFailure;
  const Chapter& chapter = *measured.chapter;
  std::optional<SampleComparison> comparison;
  if (measured.samplesKnown) comparison.emplace(chapter, measured.samples);
  const SettingFigures figures =
      MeasureSetting(chapter, RequestFor(chapter, line, '*'), comparison ? &*comparison : nullptr,
                     static_cast<int>(line.count), line.seed.value_or(kReportSeed));
  return Print(FiguresText(measured.path, figures, comparison ? &*comparison : nullptr));
}

int Run(const std::vector<std::string>& arguments) {
  ParseResult parsed = ParseCommandLine(arguments);
  if (!parsed.error.empty()) return Usage(parsed.error);
  const CommandLine& line = parsed.line;
  switch (line.action) {
    case Action::Help:
      return Print(kHelpText);
    case Action::Version:
      return Print(std::string(kProductVersion) + "\n");
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
  const int status = vael::cli::Run(std::vector<std::string>(argv + 1, argv + argc));
  const int closed = vael::cli::CloseStandardOutput();
  return status != 0 ? status : closed;
}
