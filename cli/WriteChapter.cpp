#include "cli/WriteChapter.h"

#include <cstdio>
#include <filesystem>

#include "core/analysis/ListChapter.h"
#include "core/chapter/CodePage.h"
#include "core/chapter/TVaelChapter.h"
#include "core/chapter/TextFile.h"
#include "core/files/ReplaceFile.h"

namespace vael::cli {
namespace {

constexpr int kExitFailure = 1;

std::string Percent(int part, int whole) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f %%", whole > 0 ? 100.0 * part / whole : 0.0);
  return text;
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error);
}

}  // namespace

int WriteChapterFile(const CommandLine& line, const std::function<void(const std::string&)>& report) {
  const std::string& listPath = line.chapterPath;
  const std::string& outPath = line.writeChapterPath;
  std::string title;
  if (!line.title.empty()) {
    const CodePageText decoded = ReadTextFile(line.title);
    if (decoded.fault != TextFault::None) {
      report("the title cannot be written in a chapter: " + Utf8FromWindows1252(TextFaultText(decoded)) +
             (decoded.character != 0 ? ": " + DescribeCharacter(decoded.character) : std::string()));
      return kExitFailure;
    }
    title = decoded.text;
  }
  std::string bytes;
  if (!ReadChapterFile(listPath, bytes)) {
    report("Couldn't open file " + listPath);
    return kExitFailure;
  }
  // Writing over the list would lose the names the chapter is made from.
  if (SameFile(listPath, outPath)) {
    report("the chapter would be written over its own list " + listPath);
    return kExitFailure;
  }

  const ListChapter chapter = ChapterFromList(bytes, listPath, title, TodayText());
  const PlainList& list = chapter.list;
  for (const std::string& refusal : list.refusals) report(listPath + ": " + refusal);
  if (list.refusedCount > list.refusals.size()) {
    report(listPath + ": " + std::to_string(list.refusedCount - list.refusals.size()) +
           " more lines left out");
  }
  if (!list.fault.empty()) {
    report("Cause: " + Utf8FromWindows1252(list.fault));
    return kExitFailure;
  }
  const ListOptions& options = chapter.options;
  if (!options.judged) {
    report(listPath + ": no setting met the bounds (" + options.reason + "); written with the list options " +
           options.genopt);
  }
  if (FileWriteResult saved = ReplaceFile(outPath, chapter.text); !saved.written) {
    report("Couldn't write to file " + outPath + ": " + saved.reason);
    return kExitFailure;
  }
  std::string summary = outPath + ": " + std::to_string(list.names.size()) + " names, GENOPT \"" +
                        options.genopt + "\"";
  if (options.judged) {
    summary += " (of " + std::to_string(options.names) + " names made: " +
               std::to_string(options.distinctNew) + " distinct new, " +
               Percent(options.copies, options.names) + " samples and near-copies)";
  }
  std::printf("%s\n", summary.c_str());
  return std::fflush(stdout) == 0 ? 0 : kExitFailure;
}

}  // namespace vael::cli
