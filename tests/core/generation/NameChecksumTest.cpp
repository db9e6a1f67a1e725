// Exact-output guard: every sample chapter under a fixed list of option sets
// must keep making exactly the names (and decision logs) it made when the
// checksums in tests/data/generation/name-checksums.txt were stored. Any
// speed work on the generator has to leave this test green; a failure names
// the chapter and the option set whose names changed.
//
// To store new checksums after a deliberate change of the names, run the
// test with VAEL_STORE_NAME_CHECKSUMS=1; it rewrites the file in the source
// tree and the change shows in the diff.

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "GenerationFixture.h"
#include "support/Watchdog.h"

namespace vael::test {
namespace {

namespace fs = std::filesystem;

constexpr int kNamesPerSet = 400;
constexpr int kLoggedNames = 3;
const char* const kChecksumFile = VAEL_TEST_DATA "/generation/name-checksums.txt";
#define VAEL_FUZZ_TEXT_CORPUS VAEL_TEST_DATA "/../../fuzz/corpus/fuzz_text_chapter"

struct OptionSet {
  std::string label;
  GenerationOptions options;
};

// 64-bit FNV-1a: stable across platforms and cheap enough for many names.
class Checksum {
 public:
  void Add(std::string_view bytes) {
    for (unsigned char c : bytes) value_ = (value_ ^ c) * 0x100000001B3ULL;
  }
  std::string Hex() const {
    std::ostringstream out;
    out << std::hex << value_;
    return out.str();
  }

 private:
  std::uint64_t value_ = 0xCBF29CE484222325ULL;
};

// The chapter's own options (as the window's "Automatic options" sets
// them), every switch alone and all together at every fit level, initial
// letters of both kinds and val overrides.
std::vector<OptionSet> OptionSets(const TVaelChapter& chapter) {
  const int val = chapter.valLevel;
  const int fit = std::clamp(chapter.fitLevel, 0, 3);
  const GenerationOptions own =
      Options(fit, val, chapter.structGen, chapter.statGen, chapter.prefixOption,
              chapter.suffixOption);
  std::vector<OptionSet> sets = {
      // First, so that a chapter reloaded from its compiled form can repeat
      // it from the same fresh state (the history ring carries over between
      // the sets of one chapter).
      {"all-fit3", Options(3, val, true, true, true, true)},
      {"chapter", own},
      {"plain-fit0", Options(0, val, false, false, false, false)},
      {"statistical-fit1", Options(1, val, false, true, false, false)},
      {"structural-fit2", Options(2, val, true, false, false, false)},
      {"prefixes-fit3", Options(3, val, false, false, true, false)},
      {"suffixes-fit2", Options(2, val, false, false, false, true)},
      {"all-fit0", Options(0, val, true, true, true, true)},
      {"all-fit1", Options(1, val, true, true, true, true)},
      {"all-fit2", Options(2, val, true, true, true, true)},
      {"chapter-val0", Options(fit, 0, chapter.structGen, chapter.statGen, chapter.prefixOption,
                               chapter.suffixOption)},
      {"chapter-val2", Options(fit, 2, chapter.structGen, chapter.statGen, chapter.prefixOption,
                               chapter.suffixOption)},
      {"all-fit3-val1", Options(3, 1, true, true, true, true)},
  };
  const std::string& initials = chapter.initialLetters;
  if (!initials.empty()) {
    GenerationOptions first = own;
    first.initialLetter = initials.front();
    sets.push_back({"chapter-initial-" + std::string(1, initials.front()), first});
    GenerationOptions last = Options(3, val, true, true, true, true, initials.back());
    sets.push_back({"all-fit3-initial-" + std::string(1, initials.back()), last});
    // A vowel initial exercises the odd structure types and their pairs.
    for (char letter : initials) {
      if (!IsVowel(letter)) continue;
      sets.push_back({"chapter-initial-vowel", own});
      sets.back().options.initialLetter = letter;
      break;
    }
  }
  return sets;
}

std::string NamesChecksum(TVaelChapter& chapter, const OptionSet& set, std::uint32_t seed) {
  SeedRandom(chapter, seed);
  Checksum sum;
  for (int i = 0; i < kNamesPerSet; ++i) {
    sum.Add(GenerateName(chapter, set.options));
    sum.Add("\n");
  }
  return sum.Hex();
}

// A few logged names: the log records every decision, so it guards the
// candidate lists and draws, not only their outcome.
std::string LogChecksum(TVaelChapter& chapter, GenerationOptions options, const fs::path& log) {
  SeedRandom(chapter, 7);
  options.log = true;
  Checksum sum;
  for (int i = 0; i < kLoggedNames; ++i) {
    sum.Add(GenerateName(chapter, options));
    sum.Add(ReadFile(log.string()));
  }
  return sum.Hex();
}

std::vector<fs::path> GuardedChapters() {
  std::vector<fs::path> paths = SampleChapters();
  std::error_code error;
  for (const char* root : {VAEL_FROZEN_LIBRARY_DIR, VAEL_FUZZ_TEXT_CORPUS}) {
    for (const auto& entry : fs::recursive_directory_iterator(root, error)) {
      const fs::path ext = entry.path().extension();
      // The library's compiled-only chapter, and the fuzz corpus's text chapters.
      const bool compiledOnly =
          ext == ".qch" && !fs::exists(fs::path(entry.path()).replace_extension(".vel"));
      const bool corpusText = ext == ".vel" && std::string(root) == VAEL_FUZZ_TEXT_CORPUS;
      if (entry.is_regular_file() && (compiledOnly || corpusText)) paths.push_back(entry.path());
    }
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

// "library/wild/desert.vel", "data/generation/golden.vel", "corpus/accents.vel".
std::string Key(const fs::path& path) {
  const std::string text = path.lexically_normal().string();
  for (const char* marker : {"/library/", "/data/", "/corpus/"}) {
    if (auto at = text.rfind(marker); at != std::string::npos) return text.substr(at + 1);
  }
  return path.filename().string();
}

std::map<std::string, std::string> StoredChecksums() {
  std::map<std::string, std::string> stored;
  std::ifstream in(kChecksumFile);
  std::string chapter, set, sum;
  while (in >> chapter >> set >> sum) stored[chapter + " " + set] = sum;
  return stored;
}

TEST(NameChecksums, EveryChapterAndOptionSetMakesTheStoredNames) {
  TempDir dir;
  WorkingFolder folder(dir.path());
  const fs::path log = dir.path() / "!vel_log.txt";
  const std::map<std::string, std::string> stored = StoredChecksums();
  std::map<std::string, std::string> computed;
  // A generator caught in an endless loop fails the test in seconds,
  // naming the chapter and what it was making.
  Watchdog watchdog;
  for (const fs::path& path : GuardedChapters()) {
    const std::string key = Key(path);
    watchdog.Begin(key + ", loading");
    auto chapter = LoadCopy(dir, path);
    // The fuzz corpus also holds chapters that must fail; a good chapter
    // that stops loading still shows, as a stored checksum not computed.
    if (!chapter->loaded && key.starts_with("corpus/")) continue;
    ASSERT_TRUE(chapter->loaded) << key << ": " << chapter->errorText;
    const std::vector<OptionSet> sets = OptionSets(*chapter);
    for (std::size_t i = 0; i < sets.size(); ++i) {
      watchdog.Begin(key + ", option set " + sets[i].label);
      computed[key + " " + sets[i].label] =
          NamesChecksum(*chapter, sets[i], 1000 + static_cast<std::uint32_t>(i));
    }
    watchdog.Begin(key + ", logged names");
    computed[key + " logged-all-fit3"] = LogChecksum(*chapter, sets[0].options, log);

    // The same names when the tables come from the compiled chapter that
    // the first load wrote.
    if (path.extension() == ".vel") {
      watchdog.Begin(key + ", reloaded from its compiled chapter");
      auto again = LoadChapter(dir.File(path.filename().string()));
      ASSERT_TRUE(again->loaded) << key;
      EXPECT_EQ(NamesChecksum(*again, sets[0], 1000), computed[key + " all-fit3"])
          << key << ", reloaded from its compiled chapter, option set all-fit3";
    }
    watchdog.End();
  }

  if (std::getenv("VAEL_STORE_NAME_CHECKSUMS") != nullptr) {
    std::ofstream out(kChecksumFile, std::ios::binary | std::ios::trunc);
    for (const auto& [what, sum] : computed) out << what << ' ' << sum << '\n';
    GTEST_SKIP() << "stored " << computed.size() << " checksums in " << kChecksumFile;
  }

  ASSERT_FALSE(stored.empty()) << "no checksums stored in " << kChecksumFile;
  for (const auto& [what, sum] : computed) {
    const auto found = stored.find(what);
    if (found == stored.end()) {
      ADD_FAILURE() << "no stored checksum for " << what;
    } else {
      EXPECT_EQ(sum, found->second) << "names changed: chapter and option set " << what;
    }
  }
  for (const auto& [what, sum] : stored) {
    EXPECT_TRUE(computed.count(what)) << "stored checksum no longer computed: " << what;
  }
}

}  // namespace
}  // namespace vael::test
