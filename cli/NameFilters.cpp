#include "cli/NameFilters.h"

#include "app/UserLibrary.h"
#include "cli/Messages.h"
#include "cli/NameRun.h"
#include "core/chapter/ChapterLoader.h"
#include "core/chapter/TextFile.h"
#include "core/filters/OffensiveWords.h"

namespace vael::cli {
namespace {

// Texts typed at the terminal, in the code page. False, with the problem
// set, for a text holding a character no name can hold.
bool CodePageTexts(const std::string& option, const std::vector<std::string>& typed,
                   std::vector<std::string>& texts, FilterSetup& setup) {
  for (const std::string& text : typed) {
    const CodePageText read = ReadTextFile(text);
    if (read.fault == TextFault::NotInCodePage) {
      setup.problem = option + " \"" + text + "\": no name can hold " + DescribeCharacter(read.character);
      setup.badUsage = true;
      return false;
    }
    texts.push_back(read.text);
  }
  return true;
}

// Adds the entries of the word list at path; false, with the problem set,
// when it cannot be read. Lines that are no entry are reported and left out.
bool AddWordList(const std::string& path, std::vector<std::string>& words, FilterSetup& setup) {
  // Read as a chapter is, so that a pipe (/dev/stdin, a shell's <(...))
  // serves as well as a file, and a device (/dev/zero) is refused.
  std::string bytes;
  if (!ReadChapterFile(path, bytes)) {
    setup.problem = "Couldn't open file " + path;
    return false;
  }
  PlainList list = ReadWordList(bytes);
  if (!list.fault.empty()) {
    setup.problem = path + ": " + list.fault;
    return false;
  }
  ReportLeftOut(path, list);
  words.insert(words.end(), list.names.begin(), list.names.end());
  return true;
}

}  // namespace

FilterSetup FilterOptionsFor(const CommandLine& line, const std::string& offensiveWords) {
  FilterSetup setup;
  FilterOptions& options = setup.options;
  options.unique = line.unique;
  options.minLength = line.minLength.value_or(0);
  options.maxLength = line.maxLength.value_or(0);
  options.noSamples = line.noSamples;
  options.novel = line.novel;
  if (!CodePageTexts("--starts-with", line.startsWith, options.startsWith, setup) ||
      !CodePageTexts("--ends-with", line.endsWith, options.endsWith, setup) ||
      !CodePageTexts("--contains", line.contains, options.contains, setup) ||
      !CodePageTexts("--excludes", line.excludes, options.excludes, setup)) {
    return setup;
  }
  options.clean = line.clean;
  if (line.clean) {
    if (offensiveWords.empty()) {
      setup.problem = std::string("--clean needs the list of offensive words installed with the program (") +
                      kOffensiveWordsFile + " beside the sample library), which is not there";
      return setup;
    }
    if (!AddWordList(offensiveWords, options.cleanWords, setup)) return setup;
    for (const std::string& path : line.cleanLists) {
      if (!AddWordList(path, options.cleanWords, setup)) return setup;
    }
  }
  return setup;
}

FilteredRun MakeFilteredNames(Generator& generator, const GenerationOptions& request, const CommandLine& line,
                              NameFilter& filter, const NameSink& sink) {
  return FilterNames(
      line.count, filter,
      [&](std::int64_t count, const NameSink& each) {
        CommandLine run = line;
        run.count = count;
        MakeNames(generator, request, run, each);
      },
      sink);
}

}  // namespace vael::cli
