// Chapters written from plain lists of names: the file loads as written, its
// names come back unchanged whatever the list held, and a list too poor to
// use gives no chapter.

#include <gtest/gtest.h>

#include "core/Vael.h"
#include "catalogue/Catalogue.h"
#include "core/analysis/Judgement.h"
#include "core/analysis/ListChapter.h"
#include "support/TestSupport.h"

namespace vael {
namespace {

using test::TempDir;

// Sixty names of one made-up style, enough for the options to be tried.
std::string StyleList() {
  std::string list = "# Coastal towns\n";
  const char* starts[] = {"Kar", "Bel", "Tor", "Mar", "Sel", "Dun", "Hal", "Ver", "Lis", "Gor"};
  const char* ends[] = {"avel", "imor", "esta", "undra", "olin", "ethar"};
  for (const char* start : starts) {
    for (const char* end : ends) list += std::string(start) + end + "\n";
  }
  return list;
}

// Saves the written chapter at path and loads it as the window would.
bool LoadWritten(const std::string& path, const ListChapter& written, TVaelChapter& chapter) {
  test::WriteFile(path, written.text);
  chapter.Load(path);
  return chapter.loaded;
}

TEST(ListChapterTest, WrittenChapterLoadsWithItsHeaderAndEveryName) {
  TempDir dir;
  // A name that is a tag's keyword, apostrophes plain and typographic,
  // accents in UTF-8, a name in quotes (refused: names hold no quote).
  const std::string list = StyleList() +
                           "TEMPLATES\n"
                           "D'Arcy\n"
                           "Jeanne d\xE2\x80\x99" "Arc\n"
                           "Bj\xC3\xB6rn\n"
                           "\xC3\x89lodie Mar\xC3\xA9\n"
                           "\"Quoted\"\n";
  const ListChapter written = ChapterFromList(list, dir.File("coast towns.txt"), "", "9 December 2026");
  ASSERT_EQ(written.list.fault, "");
  EXPECT_EQ(written.list.refusedCount, 1u);
  ASSERT_EQ(written.list.names.size(), 65u);
  EXPECT_EQ(written.list.names[61], "D'Arcy");
  EXPECT_EQ(written.list.names[62], "Jeanne d'Arc");

  const std::string path = dir.File("coast.vel");
  TVaelChapter chapter;
  ASSERT_TRUE(LoadWritten(path, written, chapter)) << chapter.errorText;
  EXPECT_EQ(chapter.title, "coast towns");
  EXPECT_EQ(chapter.line1, "Sample names from a plain list");
  EXPECT_EQ(chapter.line2, "65 names from coast towns.txt");
  EXPECT_EQ(chapter.author, "");
  EXPECT_EQ(chapter.date, "9 December 2026");
  EXPECT_EQ(chapter.nameCount, 65);
  // Every name comes back, in capitals, in the list's order.
  std::vector<std::string> samples;
  ASSERT_TRUE(ReadSampleNames(path, samples));
  ASSERT_EQ(samples.size(), 65u);
  for (std::size_t i = 0; i < samples.size(); ++i) EXPECT_EQ(samples[i], ToUpper(written.list.names[i]));
  EXPECT_EQ(samples[60], "TEMPLATES");
  EXPECT_EQ(samples[63], "BJ\xD6RN");
  // CR LF throughout, and a comment block above the tags.
  EXPECT_EQ(written.text.rfind("// ", 0), 0u);
  EXPECT_EQ(written.text.find('\n'), written.text.find('\r') + 1);
  EXPECT_EQ(written.text.find("\n\n"), std::string::npos);
}

TEST(ListChapterTest, TitleGivenIsMadeSafeForTheTagFormat) {
  TempDir dir;
  const ListChapter written =
      ChapterFromList(StyleList(), dir.File("x.txt"), "Towns \"NAMES\"; of the coast", "today");
  const std::string path = dir.File("x.vel");
  TVaelChapter chapter;
  ASSERT_TRUE(LoadWritten(path, written, chapter)) << chapter.errorText;
  EXPECT_EQ(chapter.title, "Towns 'Names'; of the coast");
  EXPECT_EQ(chapter.nameCount, 60);
  // The chapter list finds the same title.
  EXPECT_EQ(ReadChapterTitle(path), chapter.title);
}

// The options written are the judgement's best setting for the names; a
// list whose every setting copies its samples keeps the plain-list options.
// The Greek names qualify: long, varied names copy seldom.
TEST(ListChapterTest, OptionsAreTheJudgementsBestOrThoseOfAPlainList) {
  std::vector<std::string> greek;
  ASSERT_TRUE(ReadSampleNames(std::string(VAEL_FROZEN_LIBRARY_DIR) + "/empires/greek.vel", greek));
  std::string list;
  for (const std::string& name : greek) list += name + "\n";
  TempDir dir;
  const ListChapter written = ChapterFromList(list, dir.File("greek.txt"), "", "d");
  ASSERT_TRUE(written.options.judged) << written.options.reason;

  TVaelChapter asList;
  test::WriteFile(dir.File("greek.txt"), list);
  asList.LoadList(dir.File("greek.txt"));
  ASSERT_TRUE(asList.loaded) << asList.errorText;
  const SettingChoice best = JudgeSettings(asList, greek);
  ASSERT_TRUE(best.found);
  EXPECT_TRUE(MeetsBounds(best.figures));
  TVaelChapter chapter;
  ASSERT_TRUE(LoadWritten(dir.File("greek.vel"), written, chapter)) << chapter.errorText;
  EXPECT_TRUE(SameSetting(RecommendedSetting(chapter), best.setting)) << written.options.genopt;
  EXPECT_EQ(chapter.valLevel, 2);
  EXPECT_EQ(written.options.distinctNew, best.figures.distinctNew);

  const ListChapter few = ChapterFromList("Aranel\nBelegorn\nCelebrian\n", dir.File("few.txt"), "", "d");
  EXPECT_FALSE(few.options.judged);
  EXPECT_NE(few.options.reason, "");
  EXPECT_EQ(few.options.genopt, kPlainListOptions);
}

TEST(ListChapterTest, ListTooPoorGivesNoChapter) {
  TempDir dir;
  const ListChapter written = ChapterFromList("Aranel\n\xC5\x81ukasz\n", dir.File("a.txt"), "", "d");
  EXPECT_EQ(written.list.fault, "Fewer than two usable names in the list");
  EXPECT_EQ(written.text, "");
}

}  // namespace
}  // namespace vael
