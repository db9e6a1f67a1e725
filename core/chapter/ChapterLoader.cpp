// Loading a chapter: reads a text chapter (or a compiled one), checks its
// tags, analyses the sample names and builds every table, or, when asked to
// use the cache, takes all of it from the compiled chapter beside the text
// when that still matches. A chapter text held in memory, or one written
// from a plain list of names, is analysed without a cache.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/chapter/CaseMapping.h"
#include "core/chapter/ChapterLoader.h"
#include "core/chapter/ChapterTags.h"
#include "core/chapter/CodePage.h"
#include "core/chapter/CompiledChapter.h"
#include "core/chapter/NameAnalysis.h"
#include "core/chapter/PlainList.h"
#include "core/chapter/Statistics.h"
#include "core/chapter/TextFile.h"
#include "core/files/FileNames.h"
#include "core/files/SameFile.h"

namespace vael {
namespace {

constexpr int kMinPairCapacity = 256;

// The compiled chapter's place: the chapter's path with ".qch" as extension.
std::string CompiledPathFor(const std::string& path) {
  return std::filesystem::path(path).replace_extension(".qch").string();
}

// Where the analysis of the text chapter at path is cached, or empty when
// that would be the chapter file itself: a text chapter named *.qch would
// be overwritten by its own compiled form, losing the hand-written text.
std::string CachePathFor(const std::string& path) {
  std::string compiledPath = CompiledPathFor(path);
  return IsSameFile(compiledPath, path) ? std::string() : compiledPath;
}

// Empties the tables that grow with a chapter, so that no list outlives the
// chapter it came from and every list still holds exactly its count.
void ReleaseTables(Chapter& chapter) {
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
  explicit HeaderTexts(const ChapterTables& c)
      : title(c.title), line1(c.line1), line2(c.line2), author(c.author), topic(c.topic) {}
  void RestoreInto(ChapterTables& c) const {
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

// One load from start to outcome. A file, bytes in memory, a text and a
// list differ only in where the text comes from and whether its analysis
// is cached.
class Loading {
 public:
  Loading(Chapter& chapter, LoadProgress* progress) : c_(chapter), progress_(progress) {}

  // With `cache`, a compiled chapter beside the file may be read and written.
  void FromFile(const std::string& path, bool cache) {
    Begin();
    // 2. The whole file; a UTF-8 text chapter is taken into the code page
    // below, and everything after sees code-page bytes only.
    std::string file;
    if (!ReadChapterFile(path, file)) return Fail("Couldn't open file");
    progress_.Done(2);
    FromChapterBytes(file, cache ? path : std::string());
  }

  void FromBytes(std::string_view bytes) {
    Begin();
    progress_.Done(2);
    FromChapterBytes(bytes, std::string());
  }

  PlainList FromList(const std::string& path) {
    Begin();
    std::string bytes;
    if (!ReadChapterFile(path, bytes)) {
      Fail("Couldn't open file");
      return {};
    }
    return FromListBytes(bytes, path);
  }

  PlainList FromListBytes(std::string_view bytes, const std::string& path,
                          const std::string& title = {}) {
    Begin();
    PlainList list = ReadPlainList(bytes);
    if (!list.fault.empty()) {
      Fail(list.fault);
      return list;
    }
    ChapterHeader header = HeaderForList(path, list.names.size());
    if (!title.empty()) header.title = title;
    Uncached(ChapterTextForNames(header, kPlainListOptions, list.names));
    return list;
  }

  void FromText(std::string_view text) {
    Begin();
    Uncached(text);
  }

 private:
  // 3 onwards: a text or compiled chapter's bytes. With a path, a matching
  // compiled chapter beside it is read, and the analysis saved there.
  void FromChapterBytes(std::string_view file, const std::string& path) {
    // 3. A compiled chapter chosen directly skips the text-only steps.
    if (IsCompiledChapter(file)) {
      progress_.Done(3);
      // 9. Its texts and tables all come from the file; DATE is not kept there.
      ReleaseTables(c_);
      if (file[2] == 1) {
        c_.date.clear();
        if (!ReadCompiledChapter(c_, file)) return Fail("Damaged compiled chapter");
        progress_.Finish();
        return Finish();
      }
      // An unknown format byte: the bytes are analysed as a text chapter.
      progress_.Done(9);
      return Analyse(file, path.empty() ? std::string() : CachePathFor(path));
    }
    CodePageText decoded = ReadTextFile(file);
    if (decoded.fault != TextFault::None) return Fail(TextFaultText(decoded), decoded.character);
    progress_.Done(3);

    std::string window(HeaderWindow(decoded.text));
    // 4. The header tags, read before comments are blanked.
    if (std::string fault = ReadHeaderTags(window, c_); !fault.empty()) return Fail(fault);
    progress_.Done(4);
    // 5, 6. Which compiled chapter would match this text.
    const std::uint8_t checksum = ChapterChecksum(decoded.text);
    progress_.Done(5);
    const std::string compiledPath = path.empty() ? std::string() : CompiledPathFor(path);
    progress_.Done(6);
    // 7. From here on nothing of the previous chapter's lists survives.
    ReleaseTables(c_);
    progress_.Done(7);
    // 8. A matching compiled chapter beside the text saves the analysis. One
    // that turns out damaged is ignored: the text is analysed and it is
    // written anew.
    std::string cached;
    if (!compiledPath.empty() && !IsSameFile(compiledPath, path) &&
        ReadChapterFile(compiledPath, cached) && IsCompiledChapter(cached) &&
        static_cast<std::uint8_t>(cached[1]) == checksum && cached[2] == 1) {
      const HeaderTexts texts(c_);
      if (ReadCompiledChapter(c_, cached)) {
        progress_.Finish();
        return Finish();
      }
      texts.RestoreInto(c_);
      ReleaseTables(c_);
    }
    progress_.Done(9);
    Analyse(decoded.text, path.empty() ? std::string() : CachePathFor(path));
  }

  // 1. A fresh start for the outcome.
  void Begin() {
    c_.errorText.clear();
    c_.errorCharacter = 0;
    c_.loaded = false;
    c_.structureTypeCounts.fill(0);
    progress_.Done(1);
  }

  void Fail(std::string text, char32_t character = 0) {
    c_.errorText = std::move(text);
    c_.errorCharacter = character;
    c_.loaded = false;
  }

  // A chapter text with no file of its own to cache its analysis beside.
  void Uncached(std::string_view text) {
    std::string window(HeaderWindow(text));
    if (std::string fault = ReadHeaderTags(window, c_); !fault.empty()) return Fail(fault);
    progress_.Done(9);
    Analyse(text, std::string());
  }

  // 10 to 16: the analysis of a text chapter, cached at compiledPath unless
  // that is empty.
  void Analyse(std::string_view text, const std::string& compiledPath) {
    // 10. The name list, and the tables sized for it.
    std::string window(HeaderWindow(text));
    BlankComments(window);
    const std::size_t namesAt = window.find("NAMES");
    if (namesAt == std::string::npos) return Fail("Missing NAMES tag");
    const std::vector<std::string> names = ReadNameList(text, namesAt);
    c_.nameCount = static_cast<int>(names.size());
    c_.pairCapacity = std::max(3 * c_.nameCount, kMinPairCapacity);
    ReleaseTables(c_);
    c_.specialConsonantCount = 0;
    ClearStatistics(c_);
    progress_.Done(10);

    // 11. The option tags.
    if (std::string fault = ReadSpecialConsonants(window, c_); !fault.empty()) return Fail(fault);
    ReadVowelOptions(window, c_);
    if (std::string fault = ReadTemplates(window, c_); !fault.empty()) return Fail(fault);
    if (std::string fault = ReadGenerationOptions(window, c_); !fault.empty()) return Fail(fault);
    c_.initialLetters.clear();
    progress_.Done(11);

    // 12. Names in capitals, each letter one the chapter format knows.
    std::vector<std::string> upperNames;
    if (std::string fault = UppercaseNames(names, upperNames, c_); !fault.empty()) {
      return Fail(fault);
    }
    progress_.Done(12);

    // 13. Letter statistics over the names as written, then coding and cutting.
    GatherLetterStatistics(c_, upperNames);
    std::vector<std::string> codedNames;
    codedNames.reserve(upperNames.size());
    for (const std::string& name : upperNames) codedNames.push_back(CodeName(name, c_));
    CutNames cut;
    if (std::string fault = CutIntoElements(codedNames, c_, cut); !fault.empty()) {
      return Fail(fault);
    }
    if (std::string fault = DeriveTemplates(cut.shapes, c_); !fault.empty()) return Fail(fault);
    progress_.Done(13);

    // 14. The statistical tables over the structures.
    BuildStructureTables(c_, cut.structures);
    progress_.Done(14);

    // 15. A compiled chapter that cannot be written only costs the next load
    // its shortcut.
    if (!compiledPath.empty()) {
      SaveCompiledChapter(compiledPath, WriteCompiledChapter(c_, ChapterChecksum(text)));
    }
    progress_.Done(15);
    Finish();
  }

  // 16. Ready for generators: the lookup tables are built here, once.
  void Finish() {
    RebuildDerivedTables(c_);
    c_.loaded = true;
  }

  Chapter& c_;
  Progress progress_;
};

}  // namespace

bool ReadChapterFile(const std::string& path, std::string& bytes) {
  // A device may never end: /dev/zero would be read until memory ran out.
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (std::filesystem::is_directory(status) || std::filesystem::is_character_file(status) ||
      std::filesystem::is_block_file(status)) {
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

void LoadChapterFile(Chapter& chapter, const std::string& path, const LoadOptions& options) {
  Loading(chapter, options.progress).FromFile(path, options.cacheCompiled);
}

void LoadChapterText(Chapter& chapter, std::string_view text, LoadProgress* progress) {
  Loading(chapter, progress).FromText(text);
}

PlainList LoadChapterBytes(Chapter& chapter, std::string_view bytes, const std::string& fileName,
                           LoadProgress* progress) {
  if (IsPlainListPath(fileName)) return Loading(chapter, progress).FromListBytes(bytes, fileName);
  Loading(chapter, progress).FromBytes(bytes);
  return {};
}

PlainList LoadChapterList(Chapter& chapter, const std::string& path, LoadProgress* progress) {
  return Loading(chapter, progress).FromList(path);
}

std::shared_ptr<const Chapter> OpenChapter(const std::string& path, const LoadOptions& options,
                                           PlainList* listOut) {
  auto chapter = std::make_shared<Chapter>();
  if (IsPlainListPath(path)) {
    PlainList list = LoadChapterList(*chapter, path, options.progress);
    if (listOut != nullptr) *listOut = std::move(list);
  } else {
    LoadChapterFile(*chapter, path, options);
  }
  return chapter;
}

std::shared_ptr<const Chapter> OpenChapterBytes(std::string_view bytes, const std::string& fileName,
                                                PlainList* listOut) {
  auto chapter = std::make_shared<Chapter>();
  PlainList list = LoadChapterBytes(*chapter, bytes, fileName);
  if (listOut != nullptr) *listOut = std::move(list);
  return chapter;
}

std::shared_ptr<const Chapter> OpenNameList(std::string_view bytes, const std::string& fileName,
                                            const std::string& title, PlainList* listOut) {
  auto chapter = std::make_shared<Chapter>();
  PlainList list = Loading(*chapter, nullptr).FromListBytes(bytes, fileName, title);
  if (listOut != nullptr) *listOut = std::move(list);
  return chapter;
}

bool IsPlainListPath(std::string_view path) { return HasExtension(path, ".txt"); }

std::string Chapter::ErrorTextUtf8() const {
  std::string text = Utf8FromWindows1252(errorText);
  if (errorCharacter != 0) text += ": " + DescribeCharacter(errorCharacter);
  return text;
}

bool ReadSampleNames(const std::string& path, std::vector<std::string>& names) {
  names.clear();
  std::string file;
  if (!ReadChapterFile(path, file)) return false;
  return SampleNamesOf(file, names);
}

bool SampleNamesOf(std::string_view file, std::vector<std::string>& names) {
  names.clear();
  if (IsCompiledChapter(file) && file[2] == 1) return false;
  // Read as Load reads it: a UTF-8 chapter in code-page bytes.
  const CodePageText decoded = ReadTextFile(file);
  if (decoded.fault != TextFault::None) return false;
  std::string window(HeaderWindow(decoded.text));
  BlankComments(window);
  const std::size_t namesAt = window.find("NAMES");
  if (namesAt == std::string::npos) return false;
  for (const std::string& name : ReadNameList(decoded.text, namesAt)) names.push_back(ToUpper(name));
  return true;
}

}  // namespace vael
