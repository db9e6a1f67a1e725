// The sample library is what a new user sees first: every book and chapter
// must load, and every chapter must invent names of its own rather than
// echo its samples. The chapters are loaded from a copy of library/, so
// the compiled chapters that loading writes never land in the source tree.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "catalogue/Catalogue.h"
#include "core/Vael.h"
#include "support/TestSupport.h"

namespace vael {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;

constexpr int kPageSize = 1000;
constexpr std::size_t kHeaderWindow = 2048;

struct LibraryChapter {
  std::string path;      // inside the copy
  std::string book;      // folder name, empty for Unbound
  bool compiledOnly = false;
};

// One copy of the library for the whole program. A compiled chapter is
// copied only when no text chapter of the same name stands beside it: that
// is the library's deliberate compiled-only chapter, while a twin is a
// leftover of running the program in library/ and would hide the analysis.
class LibraryCopy {
 public:
  LibraryCopy() {
    const fs::path source = VAEL_LIBRARY_DIR;
    for (const auto& entry : fs::recursive_directory_iterator(source)) {
      if (!entry.is_regular_file()) continue;
      const fs::path relative = fs::relative(entry.path(), source);
      if (entry.path().extension() == ".qch" &&
          fs::exists(fs::path(entry.path()).replace_extension(".vel"))) {
        continue;
      }
      fs::create_directories((folder_.path() / relative).parent_path());
      fs::copy_file(entry.path(), folder_.path() / relative);
    }
    for (const auto& entry : fs::recursive_directory_iterator(folder_.path())) {
      const fs::path ext = entry.path().extension();
      if (ext != ".vel" && ext != ".qch") continue;
      const fs::path relative = fs::relative(entry.path(), folder_.path());
      LibraryChapter chapter;
      chapter.path = entry.path().string();
      chapter.book = relative.has_parent_path() ? relative.begin()->string() : "";
      chapter.compiledOnly = ext == ".qch";
      chapters_.push_back(chapter);
    }
    std::sort(chapters_.begin(), chapters_.end(),
              [](const auto& a, const auto& b) { return a.path < b.path; });
  }

  const fs::path& root() const { return folder_.path(); }
  const std::vector<LibraryChapter>& chapters() const { return chapters_; }

 private:
  TempDir folder_;
  std::vector<LibraryChapter> chapters_;
};

const LibraryCopy& Library() {
  static const LibraryCopy library;
  return library;
}

std::string Name(const LibraryChapter& chapter) {
  return fs::relative(chapter.path, Library().root()).string();
}

// The quoted names after the NAMES keyword, up to the closing quote that a
// semicolon follows (the library keeps no comments inside its name lists).
std::vector<std::string> SampleNames(const std::string& text) {
  std::vector<std::string> names;
  std::size_t at = text.find("\r\nNAMES");
  if (at == std::string::npos) return names;
  for (;;) {
    const std::size_t open = text.find('"', at);
    if (open == std::string::npos) break;
    const std::size_t close = text.find('"', open + 1);
    if (close == std::string::npos) break;
    names.push_back(text.substr(open + 1, close - open - 1));
    at = close + 1;
    if (at < text.size() && text[at] == ';') break;
  }
  return names;
}

// A sample as the generator would spell it if it rebuilt it whole: each
// word accented and capitalised, so that "Seaan" in an Irish chapter
// matches a generated "Seán".
std::string FinalSpelling(const TVaelChapter& chapter, const std::string& sample) {
  std::string upper = ToUpper(sample);
  std::string result;
  std::size_t start = 0;
  while (start <= upper.size()) {
    std::size_t end = upper.find(' ', start);
    if (end == std::string::npos) end = upper.size();
    std::string word = upper.substr(start, end - start);
    AccentWord(chapter, word);
    CapitaliseWord(chapter, word);
    result += word;
    if (end < upper.size()) result += ' ';
    start = end + 1;
  }
  return ToUpper(result);
}

// The first line of each CR LF line of a help file that starts a topic.
std::set<int> HelpTopics(const std::string& text) {
  std::set<int> topics;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find("\r\n", at);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(at, end - at);
    if (line.rfind("@topic ", 0) == 0) topics.insert(std::atoi(line.c_str() + 7));
    at = end + 2;
  }
  return topics;
}

TEST(SampleLibrary, HasBooksAndLooseChaptersOfTheRightSize) {
  std::set<std::string> books;
  int unbound = 0;
  for (const auto& chapter : Library().chapters()) {
    if (chapter.book.empty()) ++unbound; else books.insert(chapter.book);
  }
  EXPECT_GE(books.size(), 4u);
  EXPECT_GE(unbound, 2);
  EXPECT_GE(Library().chapters().size(), 22u);
  EXPECT_EQ(std::count_if(Library().chapters().begin(), Library().chapters().end(),
                          [](const auto& c) { return c.compiledOnly; }),
            1);

  // book.dat: title, two information lines and an author, CR LF ended,
  // title within the 255 bytes read at start-up.
  for (const auto& book : books) {
    const std::string data = ReadFile((Library().root() / book / "book.dat").string());
    const std::size_t firstEnd = data.find("\r\n");
    ASSERT_NE(firstEnd, std::string::npos) << book;
    EXPECT_GT(firstEnd, 0u) << book;
    EXPECT_LT(firstEnd, 255u) << book;
    EXPECT_EQ(std::count(data.begin(), data.end(), '\n'), 4) << book;
    EXPECT_EQ(data.find('\n'), firstEnd + 1) << book << ": bare line feed";
  }
}

// What the window's two lists show when it starts in the library: every
// book once, and in each book every chapter under a title of its own (a
// repeated title would always open the first chapter that has it).
TEST(SampleLibrary, BookAndChapterListsShowEveryChapterOnce) {
  test::WorkingFolder inLibrary(Library().root());
  const BookScan scan = ScanBooks("");
  EXPECT_TRUE(scan.unbound);

  std::map<std::string, std::set<std::string>> filesOfBook;
  for (const auto& chapter : Library().chapters()) {
    filesOfBook[chapter.book].insert(fs::path(chapter.path).filename().string());
  }
  std::set<std::string> bookTitles;
  std::set<std::string> listedBooks{""};
  for (const auto& book : scan.books) {
    if (book.folder == "." || book.folder == "..") continue;
    EXPECT_TRUE(bookTitles.insert(book.title).second) << "book title twice: " << book.title;
    listedBooks.insert(book.folder);
  }
  for (const auto& [book, files] : filesOfBook) {
    EXPECT_TRUE(listedBooks.count(book)) << book << " is not listed as a book";
    const auto entries = ListChapters(book.empty() ? "" : book + "/");
    std::set<std::string> titles, listed;
    for (const auto& entry : entries) {
      EXPECT_TRUE(titles.insert(entry.title).second) << book << ": title twice: " << entry.title;
      listed.insert(entry.fileName);
    }
    EXPECT_EQ(listed, files) << (book.empty() ? "Unbound" : book);
  }
}

// The library is written as a chapter saved on Windows: CR LF line ends and
// the code page, so that it loads the same in every version of the program.
// A tag beyond the header window is silently ignored, which shows as no
// load failure, so it is checked here.
TEST(SampleLibrary, ChapterTextsKeepTheirTagsInTheHeaderWindow) {
  for (const auto& chapter : Library().chapters()) {
    if (chapter.compiledOnly) continue;
    const std::string text = ReadFile(chapter.path);
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\n') {
        ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << Name(chapter) << ": bare line feed at " << i;
      }
    }
    // The shipped chapters are the code page's own text: reading them must
    // not depend on the UTF-8 rule.
    EXPECT_EQ(DetectTextEncoding(text), TextEncoding::Windows1252) << Name(chapter);
    EXPECT_EQ(text.rfind("TITLE \"", 0), 0u) << Name(chapter) << ": the title line comes first";
    const std::size_t names = text.find("\r\nNAMES");
    ASSERT_NE(names, std::string::npos) << Name(chapter);
    ASSERT_LT(names, kHeaderWindow) << Name(chapter);
    for (const char* tag : {"SPCCON \"", "SPCVOW \"", "TEMPLATES \"", "GENOPT \""}) {
      const std::size_t at = text.find(tag);
      if (at != std::string::npos) {
        EXPECT_LT(at, names) << Name(chapter) << ": " << tag << " after NAMES";
      }
    }
    const std::size_t samples = SampleNames(text).size();
    EXPECT_GE(samples, 40u) << Name(chapter);
    EXPECT_LE(samples, 200u) << Name(chapter);
  }
}

TEST(SampleLibrary, EveryChapterLoadsAsTextAndAsItsCompiledChapter) {
  for (const auto& entry : Library().chapters()) {
    SCOPED_TRACE(Name(entry));
    TVaelChapter text;
    text.Load(entry.path);
    ASSERT_TRUE(text.loaded) << text.errorText;
    EXPECT_TRUE(text.errorText.empty());
    EXPECT_FALSE(text.title.empty());
    if (entry.compiledOnly) continue;

    const std::string compiledPath = fs::path(entry.path).replace_extension(".qch").string();
    ASSERT_TRUE(fs::exists(compiledPath)) << "no compiled chapter written";
    TVaelChapter compiled;
    compiled.Load(compiledPath);
    ASSERT_TRUE(compiled.loaded) << compiled.errorText;
    EXPECT_EQ(compiled.title, text.title);
    EXPECT_EQ(compiled.nameCount, text.nameCount);
    EXPECT_EQ(compiled.templates, text.templates);
    EXPECT_EQ(compiled.templateWeights, text.templateWeights);
    EXPECT_EQ(compiled.vowelElements, text.vowelElements);
    EXPECT_EQ(compiled.consonantElements, text.consonantElements);
    EXPECT_EQ(compiled.structureTypeCounts, text.structureTypeCounts);
    EXPECT_EQ(compiled.punctLevel, text.punctLevel);

    // The second load of the text takes its tables from the compiled chapter.
    TVaelChapter again;
    again.Load(entry.path);
    ASSERT_TRUE(again.loaded) << again.errorText;
    EXPECT_EQ(again.structureVariantCounts, text.structureVariantCounts);
  }
}

TEST(SampleLibrary, ChapterTopicsMatchTheBooksHelpFiles) {
  std::map<std::string, std::set<int>> topicsOfBook;
  for (const auto& entry : Library().chapters()) {
    if (entry.book.empty()) continue;
    TVaelChapter chapter;
    chapter.Load(entry.path);
    ASSERT_TRUE(chapter.loaded) << Name(entry) << ": " << chapter.errorText;
    const int topic = std::atoi(chapter.topic.c_str());
    ASSERT_GT(topic, 0) << Name(entry) << " has no help topic";
    EXPECT_TRUE(topicsOfBook[entry.book].insert(topic).second)
        << Name(entry) << " shares topic " << topic;
  }
  for (const auto& [book, topics] : topicsOfBook) {
    const fs::path help = Library().root() / book / "chapters.hlp";
    ASSERT_TRUE(fs::exists(help)) << book;
    EXPECT_EQ(HelpTopics(ReadFile(help.string())), topics) << book;
  }
  EXPECT_GE(HelpTopics(ReadFile((Library().root() / "vael.hlp").string())).size(), 5u);
}

// Between them the chapters show every option of the chapter format, so a
// writer can find a worked example of each.
TEST(SampleLibrary, ChaptersTogetherUseEveryOption) {
  std::set<int> punct, fit, val, yModes;
  std::set<char> literals;
  bool special = false, soft = false, multi = false, uSemi = false, shuffle = false;
  bool structGen = false, statGen = false, prefix = false, suffix = false;
  bool weighted = false, withAuthor = false, withoutAuthor = false;
  for (const auto& entry : Library().chapters()) {
    if (entry.compiledOnly) continue;
    TVaelChapter chapter;
    chapter.Load(entry.path);
    ASSERT_TRUE(chapter.loaded) << Name(entry) << ": " << chapter.errorText;
    const std::string text = ReadFile(entry.path);
    punct.insert(chapter.punctLevel);
    fit.insert(chapter.fitLevel);
    val.insert(chapter.valLevel);
    yModes.insert(chapter.yMode);
    special |= chapter.specialConsonantCount > 0;
    soft |= text.find("SOFT\";") != std::string::npos;
    multi |= text.find("SPCVOW \"MULTI\"") != std::string::npos;
    uSemi |= chapter.uMode == 2;
    shuffle |= chapter.shuffle;
    structGen |= chapter.structGen;
    statGen |= chapter.statGen;
    prefix |= chapter.prefixOption;
    suffix |= chapter.suffixOption;
    (text.find("\r\nAUTHOR \"") != std::string::npos ? withAuthor : withoutAuthor) = true;
    if (text.find("TEMPLATES \"") == std::string::npos) continue;
    for (int i = 0; i < chapter.templateCount; ++i) {
      weighted |= chapter.templateWeights[i] > 1;
      for (char c : chapter.templates[i]) {
        if (!(c >= '0' && c <= '9') && c != '|') literals.insert(c);
      }
    }
  }
  EXPECT_EQ(punct, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7}));
  // Each chapter's fit level is the chapter report's choice. Fit 0 lets any
  // letter follow any other, which makes names with letter pairs no sample
  // holds, so no chapter recommends it.
  EXPECT_EQ(fit, (std::set<int>{1, 2, 3}));
  EXPECT_EQ(val, (std::set<int>{0, 1, 2}));
  EXPECT_EQ(yModes, (std::set<int>{0, 1, 2}));
  for (char c : {' ', '-', '\'', '_', '#'}) EXPECT_TRUE(literals.count(c)) << "template literal " << c;
  EXPECT_TRUE(special && soft && multi && uSemi && shuffle);
  EXPECT_TRUE(structGen && statGen && prefix && suffix);
  EXPECT_TRUE(weighted && withAuthor && withoutAuthor);
}

struct PageFigures {
  int empty = 0;
  int samples = 0;   // names equal to a sample
  int distinct = 0;  // different names on the page
};

PageFigures GeneratePage(TVaelChapter& chapter, const GenerationOptions& options,
                         const std::set<std::string>& samples) {
  PageFigures figures;
  std::set<std::string> seen;
  for (int i = 0; i < kPageSize; ++i) {
    const std::string name = GenerateName(chapter, options);
    if (name.empty()) ++figures.empty;
    if (samples.count(ToUpper(name))) ++figures.samples;
    seen.insert(name);
  }
  figures.distinct = static_cast<int>(seen.size());
  return figures;
}

// A chapter is useful when a page of its names is mostly new and mostly
// different; the figures are printed so a writer can see which chapters
// sit close to the limits.
TEST(SampleLibrary, EveryChapterInventsVariedNewNames) {
  std::printf("%-28s %-12s %6s %9s %9s\n", "chapter", "options", "empty", "samples", "distinct");
  for (const auto& entry : Library().chapters()) {
    TVaelChapter chapter;
    chapter.Load(entry.path);
    ASSERT_TRUE(chapter.loaded) << Name(entry) << ": " << chapter.errorText;

    std::set<std::string> samples;
    if (!entry.compiledOnly) {
      for (const auto& sample : SampleNames(ReadFile(entry.path))) {
        samples.insert(ToUpper(sample));
        samples.insert(FinalSpelling(chapter, sample));
      }
    }

    GenerationOptions recommended;
    recommended.fit = chapter.fitLevel;
    recommended.val = chapter.valLevel;
    recommended.structural = chapter.structGen;
    recommended.statistical = chapter.statGen;
    recommended.prefixes = chapter.prefixOption;
    recommended.suffixes = chapter.suffixOption;
    // All four switches of the options panel on; the fit level is a level,
    // not a switch, and stays the chapter's.
    GenerationOptions allOn = recommended;
    allOn.structural = allOn.statistical = allOn.prefixes = allOn.suffixes = true;

    const std::pair<const char*, GenerationOptions> runs[] = {{"recommended", recommended},
                                                              {"all on", allOn}};
    std::uint32_t seed = 1;
    for (const auto& [label, options] : runs) {
      SeedRandom(chapter, seed++);
      const PageFigures figures = GeneratePage(chapter, options, samples);
      std::printf("%-28s %-12s %6d %8.1f%% %8.1f%%\n", Name(entry).c_str(), label, figures.empty,
                  figures.samples * 100.0 / kPageSize, figures.distinct * 100.0 / kPageSize);
      EXPECT_EQ(figures.empty, 0) << Name(entry) << ", " << label;
      // All four switches on copy more, as the chapter report shows; the
      // recommended options are the report's choice and are held to these.
      if (std::string(label) == "all on") continue;
      EXPECT_LE(figures.samples, kPageSize / 10) << Name(entry) << ", " << label;
      EXPECT_GE(figures.distinct, kPageSize * 8 / 10) << Name(entry) << ", " << label;
    }
  }
}

}  // namespace
}  // namespace vael
