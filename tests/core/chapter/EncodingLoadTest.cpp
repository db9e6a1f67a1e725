// A chapter loads the same whatever its editor did to it: saved in UTF-8 or
// in the code page, with LF or CR LF line ends.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/Vael.h"
#include "support/TestSupport.h"

namespace vael {
namespace {

using test::ChapterText;
using test::Draft;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// Accented names of both halves of the code page, a comment above GENOPT,
// and header texts with typographic marks the code page holds.
std::string CodePageChapter() {
  test::ChapterDraft draft = Draft({"Bj\xF6rn", "\xC9owyn", "\x8A\xE1rka", "Ast\xE9rix", "Tor\xF0ur",
                                    "\xC6lfwine", "Ing\xE9la", "Gr\xFCnwald", "Lo\xEF" "c"},
                                   "STATGEN FIT:2");
  draft.title = "Mixed \x93marks\x94 \x96 \x80";
  draft.extraTags = {"// the options below suit short names", "SPCCON \"SOFT\";"};
  return ChapterText(draft);
}

std::string WithLineFeeds(std::string text) {
  for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
  return text;
}

class EncodingLoadTest : public ::testing::Test {
 protected:
  // Loads bytes saved as name (*.vel) and returns the compiled chapter it
  // left beside it, plus a page of names for a fixed seed.
  struct Outcome {
    bool loaded = false;
    std::string errorText;
    std::string compiled;
    std::vector<std::string> names;
  };
  Outcome Load(const std::string& name, const std::string& bytes) {
    const std::string path = dir_.File(name + ".vel");
    WriteFile(path, bytes);
    TVaelChapter chapter;
    chapter.Load(path);
    Outcome outcome{chapter.loaded, chapter.errorText, {}, {}};
    if (std::filesystem::exists(dir_.File(name + ".qch"))) outcome.compiled = ReadFile(dir_.File(name + ".qch"));
    if (chapter.loaded) {
      SeedRandom(chapter, 11);
      GenerationOptions options;
      options.fit = 2;
      options.statistical = true;
      for (int i = 0; i < 40; ++i) outcome.names.push_back(GenerateName(chapter, options));
    }
    return outcome;
  }

  TempDir dir_;
};

TEST_F(EncodingLoadTest, Utf8AndLineFeedCopiesGiveTheSameChapterAndNames) {
  const std::string codePage = CodePageChapter();
  const Outcome original = Load("original", codePage);
  ASSERT_TRUE(original.loaded) << original.errorText;
  ASSERT_FALSE(original.compiled.empty());

  const std::vector<std::pair<std::string, std::string>> copies = {
      {"utf8", Utf8FromWindows1252(codePage)},
      {"utf8-bom", "\xEF\xBB\xBF" + Utf8FromWindows1252(codePage)},
      {"lf", WithLineFeeds(codePage)},
      {"utf8-lf", Utf8FromWindows1252(WithLineFeeds(codePage))},
  };
  const Outcome lineFeeds = Load("lf-reference", WithLineFeeds(codePage));
  for (const auto& [name, bytes] : copies) {
    const Outcome copy = Load(name, bytes);
    ASSERT_TRUE(copy.loaded) << name << ": " << copy.errorText;
    EXPECT_EQ(copy.names, original.names) << name;
    // The line ends are part of the text, so only the UTF-8 copies of one
    // text match it byte for byte; the LF copy differs only in its checksum.
    const Outcome& same = name.find("lf") == std::string::npos ? original : lineFeeds;
    EXPECT_EQ(copy.compiled, same.compiled) << name;
    EXPECT_EQ(copy.compiled.substr(2), original.compiled.substr(2)) << name;
  }
}

TEST_F(EncodingLoadTest, ACommentEndsAtALineFeed) {
  const std::string text =
      "TITLE \"T\";\nLINE1 \"1\";\nLINE2 \"2\";\nDATE \"d\";\n// my options\n"
      "GENOPT \"STATGEN\";\nNAMES \"ABA\" \"BOB\";\n";
  const Outcome lf = Load("lf", text);
  ASSERT_TRUE(lf.loaded) << lf.errorText;
  // Names written on the comment's line are still hidden, as with CR LF.
  std::string hidden = text;
  hidden.replace(hidden.find("GENOPT"), 0, "// ");
  EXPECT_EQ(Load("hidden", hidden).errorText, "Invalid or missing GENOPT tag");
}

TEST_F(EncodingLoadTest, CharactersTheCodePageLacksFailWithTheirLine) {
  std::string text = Utf8FromWindows1252(ChapterText(Draft({"Bj\xF6rn", "Tor"})));
  text.replace(text.find("Tor"), 1, "\xC5\x81");  // Ł
  const std::string path = dir_.File("polish.vel");
  WriteFile(path, text);
  TVaelChapter chapter;
  chapter.Load(path);
  EXPECT_FALSE(chapter.loaded);
  EXPECT_EQ(chapter.errorText, "Invalid character in line 8");
  EXPECT_EQ(chapter.errorCharacter, U'\u0141');
  EXPECT_EQ(chapter.ErrorTextUtf8(),
            "Invalid character in line 8: \"\xC5\x81\" (U+0141)");
  EXPECT_FALSE(std::filesystem::exists(dir_.File("polish.qch")));  // nothing cached

  // The next load starts clean.
  WriteFile(path, ChapterText(Draft({"ABA"})));
  chapter.Load(path);
  EXPECT_TRUE(chapter.loaded);
  EXPECT_EQ(chapter.errorCharacter, 0u);
}

TEST_F(EncodingLoadTest, AMarkedFileThatIsNotUtf8FailsWithItsLine) {
  const std::string text = "\xEF\xBB\xBF" + ChapterText(Draft({"Bj\xF6rn", "ABA"}));
  const Outcome outcome = Load("marked", text);
  EXPECT_FALSE(outcome.loaded);
  EXPECT_EQ(outcome.errorText, "Invalid UTF-8 text in line 8");
  EXPECT_TRUE(outcome.compiled.empty());
}

TEST_F(EncodingLoadTest, CodePageFilesWithUndefinedBytesLoadAsBefore) {
  // Not UTF-8, and bytes the code page leaves undefined: in a comment they
  // are harmless, in a name they are an invalid character, as always.
  std::string text = ChapterText(Draft({"Bj\xF6rn", "ABA"}));
  text.insert(0, "// \x81\x8D\x8F\x90\x9D\r\n");
  const Outcome loads = Load("undefined", text);
  ASSERT_TRUE(loads.loaded) << loads.errorText;

  const Outcome fails = Load("undefined-name", ChapterText(Draft({"AB\x81" "A"})));
  EXPECT_EQ(fails.errorText, "Invalid character in name #1 (AB\x81" "A)");
}

TEST_F(EncodingLoadTest, TypographicApostrophesInUtf8NamesArePlainOnes) {
  const std::string plain = ChapterText(Draft({"Jeanne d'Arc", "O'Brien", "Ma'ani"}));
  std::string curly = Utf8FromWindows1252(plain);
  curly.replace(curly.find("d'"), 2, "d\xE2\x80\x99");
  curly.replace(curly.find("O'"), 2, "O\xCA\xBC");
  const Outcome a = Load("plain", plain);
  const Outcome b = Load("curly", curly);
  ASSERT_TRUE(b.loaded) << b.errorText;
  EXPECT_EQ(b.names, a.names);
  // In a code-page file the byte of the curly apostrophe is refused, as
  // before.
  std::string codePageCurly = plain;
  codePageCurly.replace(codePageCurly.find("d'"), 2, "d\x92");
  EXPECT_EQ(Load("cp-curly", codePageCurly).errorText,
            "Invalid character in name #1 (JEANNE D\x92" "ARC)");
}

TEST_F(EncodingLoadTest, FailuresQuoteTheNameInUtf8WhateverTheFileEncoding) {
  const std::string codePage = ChapterText(Draft({"Bj\xF6rn!", "ABA"}));
  const std::string expected = "Invalid character in name #1 (BJ\xC3\x96RN!)";
  for (const std::string& bytes : {codePage, Utf8FromWindows1252(codePage)}) {
    const std::string path = dir_.File("bad.vel");
    WriteFile(path, bytes);
    TVaelChapter chapter;
    chapter.Load(path);
    EXPECT_EQ(chapter.errorText, "Invalid character in name #1 (BJ\xD6RN!)");
    EXPECT_EQ(chapter.ErrorTextUtf8(), expected);
  }
}

}  // namespace
}  // namespace vael
