#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "StatisticsTestChapter.h"
#include "core/Vael.h"
#include "support/ChildProcess.h"
#include "support/TestSupport.h"

namespace vael {
namespace {

using test::Part;
using test::StartAnalysis;

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) bytes.push_back(static_cast<char>(v));
  return bytes;
}
std::string Text(const std::string& text) { return text + '\0'; }
std::string Zeros(std::size_t count) { return std::string(count, '\0'); }

// Two names, TARA and ELO, with most options set and a template weight of
// 300, which keeps only its low 8 bits.
void BuildSmallChapter(TVaelChapter& chapter) {
  StartAnalysis(chapter, 2);
  chapter.title = "T";
  chapter.line1 = "L1";
  chapter.line2 = "L2";
  chapter.author = "A";
  chapter.topic = "0";
  chapter.structGen = true;
  chapter.shuffle = false;
  chapter.suffixOption = true;
  chapter.fitLevel = 2;
  chapter.valLevel = 1;
  chapter.punctLevel = 3;
  chapter.yMode = 2;
  chapter.initialLetters = "TE";
  chapter.templates = {"4", "3"};
  chapter.templateWeights = {1, 300};
  chapter.templateCount = 2;
  GatherLetterStatistics(chapter, {"TARA", "ELO"});
  BuildStructureTables(chapter, {Part(chapter, {"T", "A", "R", "A"}),
                                 Part(chapter, {"E", "L", "O"})});
}

// Where the hand-worked image has its fields, for the damage table.
struct SmallLayout {
  std::size_t maxElements, templateCount, vowelCount, consonantCount, specialCount;
  std::size_t startPairs, typeCount, variantWeights, variantTexts, endMark;
};

// The compiled form of BuildSmallChapter, worked out field by field.
std::string SmallChapterImage(SmallLayout& at) {
  std::string b;
  b += Bytes({0, 0xAB, 1}) + Text("Vael 3.0");
  b += Text("T") + Text("L1") + Text("L2") + Text("A") + Text("0");
  b += Bytes({0x11, 2, 1, 3, 2, 0});  // structGen | suffixOption; fit val punct Y U
  b += Text("TE") + Bytes({0, 2});
  at.maxElements = b.size();
  b += Bytes({4});
  at.templateCount = b.size();
  b += Bytes({2}) + Text("4") + Bytes({1}) + Text("3") + Bytes({300 - 256});
  at.vowelCount = b.size();
  b += Bytes({3}) + Text("A") + Text("E") + Text("O");
  // K = 4. TARA: T slot 0, A and R twice in slot 1, the last A slot 3.
  // ELO starts with a vowel, offset (4 - 3 - 1) / 2 = 0: L twice in slot 1.
  b += Bytes({0, 0, 0, 2, 0, 0, 0, 1});  // A
  b += Bytes({0, 1, 0, 0, 0, 0, 0, 0});  // E
  b += Bytes({0, 0, 0, 0, 0, 0, 0, 1});  // O
  at.consonantCount = b.size();
  b += Bytes({0, 3}) + Text("T") + Text("R") + Text("L");
  b += Bytes({0, 1, 0, 0, 0, 0, 0, 0});  // T
  b += Bytes({0, 0, 0, 2, 0, 0, 0, 0});  // R
  b += Bytes({0, 0, 0, 2, 0, 0, 0, 0});  // L
  at.specialCount = b.size();
  b += Bytes({0});
  at.startPairs = b.size();
  // (T, A) = (100, 0) and (E, L) = (1, 102); (R, A) = (101, 0) and (L, O).
  b += Bytes({0, 2, 0, 0, 'C', 1, 2, 'V', 0, 1, 0, 1});
  b += Bytes({0, 2, 1, 0, 'C', 2, 2, 'C', 0, 1, 0, 1});
  at.typeCount = b.size();
  b += Bytes({5});                            // T = 4
  b += Bytes({0, 0, 0, 0, 0, 0, 0, 1, 0, 1});  // type counts 0..4
  b += Bytes({0, 0, 0, 0, 0, 0, 0, 1, 0, 1});  // variant counts 0..4
  at.variantWeights = b.size();
  b += Bytes({0, 1, 0, 1});
  at.variantTexts = b.size();
  b += Text("111") + Text("1111");
  // Field 36, rows of 64 flags: A after T (15) and R (13); O after L (8).
  b += Bytes({0, 0xA0}) + Zeros(6) + Zeros(8) + Bytes({0, 0x01}) + Zeros(6);
  // Field 37, 64 rows of J = 3 flags, one byte each: R after A, L after E.
  std::string afterVowel = Zeros(64);
  afterVowel[13] = 0x01;
  afterVowel[8] = 0x02;
  b += afterVowel;
  // Field 38: R two places after T.
  std::string across = Zeros(64 * 8);
  across[13 * 8 + 1] = static_cast<char>(0x80);
  b += across;
  b += Bytes({0x01, 0x00, 0x02});  // field 39: A across R from A, O across L from E
  // Fields 40 and 41: per end pair a 1-byte vowel row and an 8-byte letter row.
  b += Bytes({0x01}) + Zeros(8) + Bytes({0x02}) + Zeros(8);
  b += Bytes({0x00, 0x00, 0x80}) + Zeros(6) + Bytes({0x00}) + Zeros(8);
  std::string repeats(127, static_cast<char>(255));
  repeats[NameLetterIndex('A')] = 2;
  b += repeats;
  std::string shares = Zeros(127);
  for (char c : {'T', 'R'}) shares[NameLetterIndex(c)] = 25;
  for (char c : {'E', 'L', 'O'}) shares[NameLetterIndex(c)] = 33;
  shares[NameLetterIndex('A')] = 50;
  b += shares;
  at.endMark = b.size();
  b += "#END";
  return b;
}

TEST(CompiledChapter, SmallChapterMatchesTheHandWorkedBytes) {
  TVaelChapter chapter;
  BuildSmallChapter(chapter);
  SmallLayout at{};
  std::string expected = SmallChapterImage(at);
  std::string written = WriteCompiledChapter(chapter, 0xAB);
  ASSERT_EQ(written.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    ASSERT_EQ(static_cast<unsigned char>(written[i]), static_cast<unsigned char>(expected[i]))
        << "byte " << i;
  }
}

TEST(CompiledChapter, TextChapterCompilesToTheHandWorkedBytes) {
  test::TempDir dir;
  test::ChapterDraft draft;
  draft.title = "T";
  draft.line1 = "L1";
  draft.line2 = "L2";
  draft.author = "A";
  draft.genopt = "STRUCTGEN SUFFIX FIT:2 VAL:1 PUNCT:3 Y:SEMI";
  draft.extraTags = {"TEMPLATES \"4\" \"3:300\";"};
  draft.names = {"Tara", "Elo"};
  const std::string path = test::WriteChapter(dir, "small.vel", draft);
  TVaelChapter chapter;
  chapter.Load(path);
  ASSERT_TRUE(chapter.loaded) << chapter.errorText;

  SmallLayout at{};
  std::string expected = SmallChapterImage(at);
  // The checksum byte of this exact text, worked out by hand with the
  // bitwise CRC rather than the table the code uses: compiled chapters that
  // users already have depend on it staying the same.
  expected[1] = static_cast<char>(0xFB);
  EXPECT_EQ(test::ReadFile(dir.File("small.qch")), expected);
}

TEST(CompiledChapter, TwelveVowelElementsTakeTwoBytesPerRow) {
  TVaelChapter chapter;
  StartAnalysis(chapter, 12);
  const char* vowels[] = {"A", "E", "I", "O", "U", "Y", "AI", "EI", "OU", "AU", "IA", "EA"};
  std::vector<Structure> parts;
  for (const char* v : vowels) parts.push_back(Part(chapter, {"K", v, "R"}));
  parts.push_back(Part(chapter, {"EA", "N", "IA"}));  // IA across N from EA: flag 11 of row 10
  BuildStructureTables(chapter, parts);
  chapter.templates = {"2"};
  chapter.templateWeights = {13};
  chapter.templateCount = 1;
  ASSERT_EQ(chapter.vowelElementCount, 12);
  ASSERT_EQ(chapter.endPairCount, 13);
  std::string written = WriteCompiledChapter(chapter, 0);
  ASSERT_FALSE(written.empty());

  // The tail, from the end backwards: end mark, shares, repeats, fields 41
  // and 40 (13 end pairs of 2 + 8 bytes), 39 (12 rows of 2), 38, 37 (64 rows of 2).
  const std::size_t field40 = written.size() - 4 - 2 * 127 - 2 * 13 * (2 + 8);
  const std::size_t field39 = field40 - 12 * 2;
  const std::size_t field37 = field39 - 64 * 8 - 64 * 2;
  ASSERT_EQ(written.substr(written.size() - 4), "#END");
  EXPECT_EQ(written.substr(field39 + 10 * 2, 2), Bytes({0x00, 0x08}));
  // Consonant R (13) followed every vowel: all twelve flags, then padding.
  EXPECT_EQ(written.substr(field37 + 13 * 2, 2), Bytes({0xFF, 0x0F}));
  // Last end pair (N, IA): flag of EA (11) in the vowel row, the high byte.
  EXPECT_EQ(written.substr(field40 + 12 * 10, 2), Bytes({0x00, 0x08}));
}

TEST(CompiledChapter, ReadingRestoresEveryTableOverALargerChapter) {
  TVaelChapter original;
  BuildSmallChapter(original);
  original.specialConsonants[0] = "TH";
  original.specialConsonants[1] = "SH";
  original.specialConsonantCount = 2;
  original.statGen = original.prefixOption = original.shuffle = true;
  original.templateWeights[0] = 256;  // stored as 0, read back as 256
  std::string image = WriteCompiledChapter(original, 7);

  TVaelChapter reused;
  StartAnalysis(reused, 500);
  reused.title = "Larger";
  GatherLetterStatistics(reused, {"ZIZZIZ-ZUZ", "KOKKOK"});
  BuildStructureTables(reused, {Part(reused, {"Z", "I", "Z", "I", "Z", "U", "Z"}),
                                Part(reused, {"K", "O", "KK", "O", "K"})});
  reused.templates = {"2", "3", "4"};
  reused.templateWeights = {1, 2, 3};
  reused.templateCount = 3;
  ASSERT_TRUE(ReadCompiledChapter(reused, image));

  test::ExpectSameTables(original, reused, {.hyphenLetter = true, .heavyTemplates = true});
  EXPECT_EQ(reused.templateWeights, (std::vector<int>{256, 300 - 256}));
  EXPECT_EQ(reused.minRepeatDistance[kHyphenLetterIndex], 255);
  EXPECT_EQ(reused.maxLetterPercent[kHyphenLetterIndex], 0);
}

TEST(CompiledChapter, TwoHundredFiftySixTemplatesSurviveACountOfZero) {
  TVaelChapter chapter;
  BuildSmallChapter(chapter);
  chapter.templates.assign(256, "3|4");
  chapter.templateWeights.assign(256, 1);
  chapter.templateCount = 256;
  std::string image = WriteCompiledChapter(chapter, 0);
  SmallLayout at{};
  SmallChapterImage(at);
  EXPECT_EQ(image[at.templateCount], 0);
  TVaelChapter read;
  ASSERT_TRUE(ReadCompiledChapter(read, image));
  EXPECT_EQ(read.templateCount, 256);
  EXPECT_EQ(read.templates, chapter.templates);
}

TEST(CompiledChapter, EveryTruncationIsRefused) {
  TVaelChapter chapter;
  BuildSmallChapter(chapter);
  std::string image = WriteCompiledChapter(chapter, 0);
  for (std::size_t length = 0; length < image.size(); ++length) {
    // A buffer of exactly this length, so a sanitizer build sees any overread.
    std::vector<char> prefix(image.begin(), image.begin() + static_cast<long>(length));
    TVaelChapter read;
    EXPECT_FALSE(ReadCompiledChapter(read, std::string_view(prefix.data(), prefix.size())))
        << "length " << length;
  }
  TVaelChapter read;
  EXPECT_TRUE(ReadCompiledChapter(read, image));
}

TEST(CompiledChapter, InconsistentFieldsAreRefused) {
  TVaelChapter chapter;
  BuildSmallChapter(chapter);
  SmallLayout at{};
  const std::string image = SmallChapterImage(at);
  struct Damage {
    const char* what;
    std::size_t offset;
    std::string bytes;
  };
  const Damage damages[] = {
      {"format byte", 2, Bytes({2})},
      {"marker", 0, Bytes({1})},
      {"K above 31", at.maxElements, Bytes({32})},
      {"J above 99", at.vowelCount, Bytes({100})},
      {"I above 1023", at.consonantCount, Bytes({0x04, 0x00})},
      {"eleven special consonants", at.specialCount, Bytes({11})},
      {"start pair count beyond the capacity", at.startPairs, Bytes({0x01, 0x01})},
      {"consonant code past the list", at.startPairs + 2, Bytes({3, 0, 'C'})},
      {"vowel code past the list", at.startPairs + 2, Bytes({0, 3, 'C'})},
      {"unknown pair class", at.startPairs + 2, Bytes({0, 0, 'X'})},
      {"type count 0", at.typeCount, Bytes({0})},
      {"type count above 64", at.typeCount, Bytes({65})},
      {"variant weights not adding up", at.variantWeights, Bytes({0, 2})},
      {"variant text of the wrong length", at.variantTexts, Text("11") + "1"},
      {"vowel element holding a consonant", at.vowelCount + 1, Bytes({'B'})},
      {"consonant element holding a vowel", at.consonantCount + 2, Bytes({'A'})},
      {"end mark", at.endMark, "#EN!"},
  };
  for (const Damage& damage : damages) {
    std::string damaged = image;
    damaged.replace(damage.offset, damage.bytes.size(), damage.bytes);
    TVaelChapter read;
    EXPECT_FALSE(ReadCompiledChapter(read, damaged)) << damage.what;
  }
  std::string variantCountsTooLarge = image;
  // Type 4 claims 255 variants: more than the rest of the file could hold.
  variantCountsTooLarge[at.variantWeights - 1] = static_cast<char>(0xFF);
  TVaelChapter read;
  EXPECT_FALSE(ReadCompiledChapter(read, variantCountsTooLarge));
}

TEST(CompiledChapter, ChapterTooLargeForTheFormatIsNotWritten) {
  TVaelChapter chapter;
  BuildSmallChapter(chapter);
  for (int j = 3; j < 300; ++j) chapter.consonantElements.push_back("K");
  chapter.consonantElementCount = 300;
  // Consonant element 299 cannot be written in a pair's single byte.
  chapter.startPairs.push_back({100 + 299, 0});
  chapter.startPairWeights.push_back(1);
  ++chapter.startPairCount;
  EXPECT_EQ(WriteCompiledChapter(chapter, 0), "");

  TVaelChapter heavy;
  BuildSmallChapter(heavy);
  heavy.structureTypeCounts[4] = 70000;  // beyond a 2-byte count
  EXPECT_EQ(WriteCompiledChapter(heavy, 0), "");
}

TEST(ChapterChecksum, KnownValues) {
  // CRC-8 with polynomial 0x1D, start value 0xFF, no reflection and no final
  // inversion: the catalogued check value of this variant for "123456789".
  EXPECT_EQ(ChapterChecksum("123456789"), 0xB4);
  EXPECT_EQ(ChapterChecksum(""), 0xFF);
}

TEST(ChapterChecksum, EveryChangedOrSwappedByteChangesIt) {
  test::ChapterDraft draft;
  draft.names = {"Torin", "Elda Mor", "Qu'ara"};
  const std::string text = test::ChapterText(draft);
  const std::uint8_t checksum = ChapterChecksum(text);
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::string changed = text;
    for (int value = 0; value < 256; ++value) {
      if (static_cast<char>(value) == text[i]) continue;
      changed[i] = static_cast<char>(value);
      ASSERT_NE(ChapterChecksum(changed), checksum) << "byte " << i << " set to " << value;
    }
  }
  for (std::size_t i = 0; i < text.size(); ++i) {
    for (std::size_t j = i + 1; j < text.size() && j < i + 100; ++j) {
      if (text[i] == text[j]) continue;
      std::string swapped = text;
      std::swap(swapped[i], swapped[j]);
      ASSERT_NE(ChapterChecksum(swapped), checksum) << "bytes " << i << " and " << j;
    }
  }
  EXPECT_NE(ChapterChecksum(text + ' '), checksum);
  EXPECT_NE(ChapterChecksum("AB"), ChapterChecksum("BA"));
}

TEST(SaveCompiledChapter, ReplacesTheFileWholeAndLeavesNoTemporary) {
  test::TempDir dir;
  const std::string path = dir.File("c.qch");
  test::WriteFile(path, "older and longer contents");
  EXPECT_TRUE(SaveCompiledChapter(path, "new"));
  EXPECT_EQ(test::ReadFile(path), "new");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);

  // Nothing to cache: an older compiled chapter must not stand in for it.
  EXPECT_FALSE(SaveCompiledChapter(path, ""));
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(SaveCompiledChapter, UnwritableFolderIsReportedNotFatal) {
  test::TempDir dir;
  const std::string path = dir.File("missing-folder/c.qch");
  EXPECT_FALSE(SaveCompiledChapter(path, "bytes"));
  EXPECT_FALSE(std::filesystem::exists(path));
}

// A full disk while the compiled chapter is written costs only the next
// load its shortcut: the chapter loads, and neither a part of the compiled
// chapter nor a temporary file is left.
TEST(SaveCompiledChapter, AFullDiskLeavesNoTraceAndTheChapterLoads) {
  test::TempDir dir;
  const std::string path =
      test::WriteChapter(dir, "c.vel", test::Draft({"Torin", "Elda", "Marok", "Quara"}));
  const std::string seen = test::InChild({.fileSizeLimit = 300}, [&] {
    TVaelChapter chapter;
    chapter.Load(path);
    return chapter.loaded ? std::string("loaded") : chapter.errorText;
  });
  EXPECT_EQ(seen, "loaded");
  EXPECT_EQ(test::FolderEntries(dir.path()), std::vector<std::string>{"c.vel"});
}

}  // namespace
}  // namespace vael
