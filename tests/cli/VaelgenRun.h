#pragma once
// Runs the built vaelgen in a folder and captures what it printed.

#include <algorithm>
#include <string>
#include <vector>

#include "core/generation/TVaelChapter.h"
#include "core/generation/Generator.h"
#include "support/ProgramRun.h"
#include "support/TestSupport.h"

namespace vael::test {

// Runs vaelgen (or a copy of it at program) kept away from the user's own
// library.
inline RunResult RunVaelgen(const TempDir& folder, const std::vector<std::string>& arguments,
                            const std::string& program = VAELGEN) {
  return RunProgram(folder.path(), program, {ShellQuoted("XDG_DATA_HOME=" + folder.File(".data"))},
                    arguments);
}

// As RunVaelgen, but a run still going after `seconds` is stopped and
// reported with status 124: a run that hangs fails at once rather than at
// the test's time limit.
inline RunResult RunVaelgenWithin(const TempDir& folder, int seconds,
                                  const std::vector<std::string>& arguments) {
  std::vector<std::string> bounded = {"--kill-after=5", std::to_string(seconds), VAELGEN};
  bounded.insert(bounded.end(), arguments.begin(), arguments.end());
  return RunVaelgen(folder, bounded, "timeout");
}

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

// True when every entry of part appears in whole, in the same order.
inline bool IsSubsequence(const std::vector<std::string>& part, const std::vector<std::string>& whole) {
  auto at = whole.begin();
  for (const std::string& name : part) {
    at = std::find(at, whole.end(), name);
    if (at == whole.end()) return false;
    ++at;
  }
  return true;
}

// A chapter of elvish names, some accented (Windows-1252), that asks for
// statistical generation at fit level 2.
inline ChapterDraft ElvesDraft() {
  ChapterDraft draft;
  draft.title = "Elves";
  draft.line1 = "Names of the elves";
  draft.genopt = "STATGEN FIT:2";
  draft.names = {"Aranel",  "Belegorn", "Celebrian", "Elrond",   "Galadriel", "Legolas",
                "Thranduil", "Arwen",  "Elwing",    "Earendil", "Finrod",    "Fingolfin",
                "\xC9owyn",  "\xC1ine", "\xC9lanor",  "Idril",    "Luthien",   "Nimrodel"};
  return draft;
}

// The names the core gives for a chapter, seed and request: what vaelgen
// must reproduce.
inline std::vector<std::string> CoreNames(const std::string& chapterPath, std::uint32_t seed,
                                          const GenerationOptions& request, int count) {
  TVaelChapter chapter;
  chapter.Load(chapterPath);
  SeedRandom(chapter, seed);
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) names.push_back(GenerateName(chapter, request));
  return names;
}

}  // namespace vael::test
