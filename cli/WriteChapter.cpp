#include "cli/WriteChapter.h"

#include <cstdio>

#include "cli/DocumentText.h"
#include "cli/Messages.h"
#include "cli/StandardOutput.h"
#include "core/analysis/ListChapter.h"
#include "core/chapter/ChapterLoader.h"
#include "core/chapter/CodePage.h"
#include "core/chapter/LoadFailure.h"
#include "core/chapter/TextFile.h"

namespace vael::cli {
namespace {

constexpr int kExitFailure = 1;

std::string Percent(int part, int whole) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f %%", whole > 0 ? 100.0 * part / whole : 0.0);
  return text;
}

}  // namespace

int WriteChapterFile(const CommandLine& line) {
  const std::string& listPath = line.chapterPath;
  const std::string& outPath = line.writeChapterPath;
  std::string title;
  if (!line.title.empty()) {
    const CodePageText decoded = ReadTextFile(line.title);
    if (decoded.fault != TextFault::None) {
      Error("the title cannot be written in a chapter: " + Utf8FromWindows1252(TextFaultText(decoded)) +
            (decoded.character != 0 ? ": " + DescribeCharacter(decoded.character) : std::string()));
      return kExitFailure;
    }
    title = decoded.text;
  }
  std::string bytes;
  if (!ReadChapterFile(listPath, bytes)) {
    Error(listPath + ": " + ReadFailureText(listPath));
    return kExitFailure;
  }

  const ListChapter chapter = ChapterFromList(bytes, listPath, title, TodayText());
  const PlainList& list = chapter.list;
  ReportLeftOut(listPath, list);
  if (!list.fault.empty()) {
    Error(listPath + ": " + Utf8FromWindows1252(list.fault));
    return kExitFailure;
  }
  const ListOptions& options = chapter.options;
  if (!options.judged) {
    Error(listPath + ": no setting qualified: " + options.reason);
    Error(listPath + ": written with the options of a plain list, " + options.genopt);
  }
  if (!Save(outPath, InEncoding(chapter.text, line.encoding), listPath)) return kExitFailure;
  std::string summary = outPath + ": " + std::to_string(list.names.size()) + " names, GENOPT \"" +
                        options.genopt + "\"";
  if (options.judged) {
    summary += " (of " + std::to_string(options.names) + " names made: " +
               std::to_string(options.distinctNew) + " distinct new, " +
               Percent(options.copies, options.names) + " samples and near-copies)";
  }
  Output output(false);
  output.Printed(summary + "\n");
  return output.Finish();
}

}  // namespace vael::cli
