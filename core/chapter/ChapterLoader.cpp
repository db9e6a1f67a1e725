// TVaelChapter::Load: reads a text chapter (or a compiled one), checks its
// tags, analyses the sample names and builds every table, or takes all of it
// from the compiled chapter beside the text when that still matches.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/chapter/ChapterTags.h"
#include "core/chapter/CompiledChapter.h"
#include "core/chapter/NameAnalysis.h"
#include "core/chapter/Statistics.h"
#include "core/chapter/TVaelChapter.h"

namespace vael {
namespace {

constexpr int kMinPairCapacity = 256;

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

// The compiled chapter's place: the chapter's path with ".qch" as extension.
std::string CompiledPathFor(const std::string& path) {
  return std::filesystem::path(path).replace_extension(".qch").string();
}

// A text chapter that is itself named *.qch would be overwritten by its own
// compiled form, losing the hand-written text.
bool IsSameFile(const std::string& a, const std::string& b) {
  if (a == b) return true;
  std::error_code error;
  return std::filesystem::equivalent(a, b, error);
}

// Empties the tables that grow with a chapter, so that no list outlives the
// chapter it came from and every list still holds exactly its count.
void ReleaseTables(TVaelChapter& chapter) {
  chapter.vowelElements.clear();
  chapter.vowelElementCount = 0;
  chapter.consonantElements.clear();
  chapter.consonantElementCount = 0;
  chapter.templates.clear();
  chapter.templateWeights.clear();
  chapter.templateCount = 0;
  chapter.startPairs.clear();
  chapter.startPairWeights.clear();
  chapter.startPairCount = 0;
  chapter.endPairs.clear();
  chapter.endPairWeights.clear();
  chapter.endPairBefore1.clear();
  chapter.endPairBefore2.clear();
  chapter.endPairCount = 0;
  for (auto& variants : chapter.structureVariants) variants.clear();
  for (auto& weights : chapter.structureVariantWeights) weights.clear();
  chapter.structureVariantCounts.fill(0);
  chapter.maxElements = 0;
  // Nothing derived from the previous chapter may outlive its tables either.
  RebuildDerivedTables(chapter);
}

// The texts a compiled chapter brings along; kept aside so that a damaged
// compiled chapter beside a text chapter cannot leave its texts behind.
struct HeaderTexts {
  std::string title, line1, line2, author, topic;
  explicit HeaderTexts(const TVaelChapter& c)
      : title(c.title), line1(c.line1), line2(c.line2), author(c.author), topic(c.topic) {}
  void RestoreInto(TVaelChapter& c) const {
    c.title = title;
    c.line1 = line1;
    c.line2 = line2;
    c.author = author;
    c.topic = topic;
  }
};

// Steps the owner's gauge so that it stands at `step` + 1 after the loading
// step of that number, whichever steps a path skipped.
class Progress {
 public:
  explicit Progress(LoadProgress* owner) : owner_(owner) {}
  void Done(int step) {
    for (; done_ < step; ++done_) {
      if (owner_ != nullptr) owner_->StepProgress();
    }
  }
  void Finish() {
    if (owner_ != nullptr) owner_->SetProgressPosition(kProgressSteps);
  }

 private:
  LoadProgress* owner_;
  int done_ = 0;
};

}  // namespace

void TVaelChapter::Load(const std::string& path) {
  Progress progress(owner);
  auto fail = [this](std::string text) {
    errorText = std::move(text);
    loaded = false;
  };
  auto finish = [this] {
    RebuildDerivedTables(*this);
    loaded = true;
    randomSeeded = false;
  };

  // 1. A fresh start for the outcome and the generator's state.
  errorText.clear();
  loaded = false;
  structureTypeCounts.fill(0);
  historyNext = 0;
  historyCount = 0;
  newStructure = true;
  progress.Done(1);

  // 2. The whole file, and the header window where the tags must stand.
  std::string file;
  if (!ReadWholeFile(path, file)) return fail("Couldn't open file");
  std::string window(HeaderWindow(file));
  progress.Done(2);

  // 3. A compiled chapter chosen directly skips the text-only steps.
  const bool chosenCompiled = IsCompiledChapter(file);
  progress.Done(3);

  std::uint8_t checksum = 0;
  std::string compiledPath;
  if (!chosenCompiled) {
    // 4. The header tags, read before comments are blanked.
    if (std::string fault = ReadHeaderTags(window, *this); !fault.empty()) return fail(fault);
    progress.Done(4);
    // 5, 6. Which compiled chapter would match this text.
    checksum = ChapterChecksum(file);
    progress.Done(5);
    compiledPath = CompiledPathFor(path);
    progress.Done(6);
    // 7. From here on nothing of the previous chapter's lists survives.
    ReleaseTables(*this);
    progress.Done(7);
    // 8. A matching compiled chapter beside the text saves the analysis. One
    // that turns out damaged is ignored: the text is analysed and it is
    // written anew.
    std::string cached;
    if (!IsSameFile(compiledPath, path) && ReadWholeFile(compiledPath, cached) &&
        IsCompiledChapter(cached) && static_cast<std::uint8_t>(cached[1]) == checksum &&
        cached[2] == 1) {
      const HeaderTexts texts(*this);
      if (ReadCompiledChapter(*this, cached)) {
        progress.Finish();
        return finish();
      }
      texts.RestoreInto(*this);
      ReleaseTables(*this);
    }
    progress.Done(8);
  } else {
    // 9. Its texts and tables all come from the file; DATE is not kept there.
    ReleaseTables(*this);
    if (file[2] == 1) {
      date.clear();
      if (!ReadCompiledChapter(*this, file)) return fail("Damaged compiled chapter");
      progress.Finish();
      return finish();
    }
    // An unknown format byte: the bytes are analysed as a text chapter.
    checksum = ChapterChecksum(file);
    compiledPath = CompiledPathFor(path);
  }
  progress.Done(9);

  // 10. The name list, and the tables sized for it.
  BlankComments(window);
  const std::size_t namesAt = window.find("NAMES");
  if (namesAt == std::string::npos) return fail("Missing NAMES tag");
  const std::vector<std::string> names = ReadNameList(file, namesAt);
  nameCount = static_cast<int>(names.size());
  pairCapacity = std::max(3 * nameCount, kMinPairCapacity);
  ReleaseTables(*this);
  specialConsonantCount = 0;
  ClearStatistics(*this);
  progress.Done(10);

  // 11. The option tags.
  if (std::string fault = ReadSpecialConsonants(window, *this); !fault.empty()) return fail(fault);
  ReadVowelOptions(window, *this);
  if (std::string fault = ReadTemplates(window, *this); !fault.empty()) return fail(fault);
  if (std::string fault = ReadGenerationOptions(window, *this); !fault.empty()) return fail(fault);
  initialLetters.clear();
  progress.Done(11);

  // 12. Names in capitals, each letter one the chapter format knows.
  std::vector<std::string> upperNames;
  if (std::string fault = UppercaseNames(names, upperNames, *this); !fault.empty()) {
    return fail(fault);
  }
  progress.Done(12);

  // 13. Letter statistics over the names as written, then coding and cutting.
  GatherLetterStatistics(*this, upperNames);
  std::vector<std::string> codedNames;
  codedNames.reserve(upperNames.size());
  for (const std::string& name : upperNames) codedNames.push_back(CodeName(name, *this));
  CutNames cut;
  if (std::string fault = CutIntoElements(codedNames, *this, cut); !fault.empty()) {
    return fail(fault);
  }
  if (std::string fault = DeriveTemplates(cut.shapes, *this); !fault.empty()) return fail(fault);
  progress.Done(13);

  // 14. The statistical tables over the structures.
  BuildStructureTables(*this, cut.structures);
  progress.Done(14);

  // 15. A compiled chapter that cannot be written only costs the next load
  // its shortcut.
  if (!IsSameFile(compiledPath, path)) {
    SaveCompiledChapter(compiledPath, WriteCompiledChapter(*this, checksum));
  }
  progress.Done(15);

  // 16. Ready for the generator, which seeds itself on first use.
  finish();
}

}  // namespace vael
