#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/Vael.h"
#include "support/TestSupport.h"

namespace vael {
namespace {

using test::ChapterDraft;
using test::ChapterText;
using test::Draft;
using test::TempDir;
using test::WriteFile;

class LoaderTest : public ::testing::Test {
 protected:
  // Loads the bytes as a chapter file named chapter.vel.
  TVaelChapter& LoadText(const std::string& text) {
    path_ = dir_.File("chapter.vel");
    WriteFile(path_, text);
    chapter_->Load(path_);
    return *chapter_;
  }
  TVaelChapter& LoadDraft(const ChapterDraft& draft) { return LoadText(ChapterText(draft)); }

  TempDir dir_;
  std::string path_;
  std::unique_ptr<TVaelChapter> chapter_ = std::make_unique<TVaelChapter>();
};

TEST_F(LoaderTest, ReadsTheHeaderAndAnalysesTheNames) {
  ChapterDraft draft = Draft({"Elda Mor", "Torin", "bar\xEB"}, "statgen fit:2");
  draft.extraTags = {"TOPIC \"12\";"};
  auto& c = LoadDraft(draft);
  ASSERT_TRUE(c.loaded) << c.errorText;
  EXPECT_EQ(c.errorText, "");
  EXPECT_EQ(c.title, "Test chapter");
  EXPECT_EQ(c.line1, "First line");
  EXPECT_EQ(c.line2, "Second line");
  EXPECT_EQ(c.author, "Tester");
  EXPECT_EQ(c.date, "2026-12-08");
  EXPECT_EQ(c.topic, "12");
  EXPECT_EQ(c.nameCount, 3);
  EXPECT_EQ(c.pairCapacity, 256);
  EXPECT_EQ(c.initialLetters, "ETB");
  EXPECT_TRUE(c.statGen);
  EXPECT_EQ(c.fitLevel, 2);
  // ELDA MOR: E LD A / M O R; TORIN: T O R I N; BARË: B A R Ë.
  EXPECT_EQ(c.vowelElements, (std::vector<std::string>{"E", "A", "O", "I", "\xCB"}));
  EXPECT_EQ(c.consonantElements, (std::vector<std::string>{"LD", "M", "R", "T", "N", "B"}));
  EXPECT_EQ(c.vowelElementCount, 5);
  EXPECT_EQ(c.consonantElementCount, 6);
  EXPECT_EQ(c.maxElements, 5);
  // Derived templates: ELDA MOR is "3 2", the others are 6 and 4.
  EXPECT_EQ(c.templates, (std::vector<std::string>{"3 2", "6", "4"}));
  EXPECT_EQ(c.templateWeights, (std::vector<int>{1, 1, 1}));
  EXPECT_EQ(c.templateCount, 3);
}

TEST_F(LoaderTest, AuthorFallbackMovesTheLinesDown) {
  ChapterDraft draft = Draft({"ABA"});
  draft.author = "";
  auto& c = LoadDraft(draft);
  ASSERT_TRUE(c.loaded) << c.errorText;
  EXPECT_EQ(c.line1, "Test chapter");
  EXPECT_EQ(c.line2, "First line");
  EXPECT_EQ(c.author, "Second line");
}

TEST_F(LoaderTest, TopicIsKeptOnlyWhenItIsANonZeroInteger) {
  struct Case {
    std::string tag;
    std::string topic;
  };
  const Case cases[] = {{"TOPIC \"12\";", "12"},
                        {"TOPIC \"0\";", "0"},
                        {"TOPIC \"elves\";", "0"},
                        {"TOPIC \"\";", "0"},
                        {"TOPIC \"-3\";", "-3"},
                        {"TOPIC \"12345678901234567890\";", "0"},  // cut to 16, too large
                        {"", "0"}};
  for (const Case& c : cases) {
    ChapterDraft draft = Draft({"ABA"});
    if (!c.tag.empty()) draft.extraTags = {c.tag};
    auto& chapter = LoadDraft(draft);
    ASSERT_TRUE(chapter.loaded) << chapter.errorText;
    EXPECT_EQ(chapter.topic, c.topic) << c.tag;
  }
}

TEST_F(LoaderTest, HeaderTextsAreCutTo64Characters) {
  ChapterDraft draft = Draft({"ABA"});
  draft.title = std::string(70, 'x');
  auto& c = LoadDraft(draft);
  ASSERT_TRUE(c.loaded) << c.errorText;
  EXPECT_EQ(c.title, std::string(64, 'x'));
}

TEST_F(LoaderTest, GenoptKeywordsInAnyCase) {
  auto& c = LoadDraft(Draft({"ABA"}, "y:semi statgen fit:2 val:3 PUNCT:2 punct:5 u:semi"));
  ASSERT_TRUE(c.loaded) << c.errorText;
  EXPECT_EQ(c.yMode, 2);
  EXPECT_EQ(c.uMode, 2);
  EXPECT_TRUE(c.statGen);
  EXPECT_FALSE(c.structGen);
  EXPECT_FALSE(c.shuffle);
  EXPECT_FALSE(c.prefixOption);
  EXPECT_FALSE(c.suffixOption);
  EXPECT_EQ(c.fitLevel, 2);
  EXPECT_EQ(c.valLevel, 3);
  EXPECT_EQ(c.punctLevel, 5);

  auto& d = LoadDraft(Draft({"ABA"}, "Y:CON STRUCTGEN SHUFFLE PREFIX SUFFIX"));
  ASSERT_TRUE(d.loaded) << d.errorText;
  EXPECT_EQ(d.yMode, 1);
  EXPECT_EQ(d.uMode, 0);
  EXPECT_TRUE(d.structGen && d.shuffle && d.prefixOption && d.suffixOption);
  EXPECT_FALSE(d.statGen);
  EXPECT_EQ(d.fitLevel, 0);
  EXPECT_EQ(d.valLevel, 0);
  EXPECT_EQ(d.punctLevel, 0);

  // Y:SEMI wins over Y:CON; FIT: and VAL: take the next character unchecked.
  auto& e = LoadDraft(Draft({"ABA"}, "Y:CON Y:SEMI FIT:A VAL:"));
  ASSERT_TRUE(e.loaded) << e.errorText;
  EXPECT_EQ(e.yMode, 2);
  EXPECT_EQ(e.fitLevel, 'A' - '0');
  EXPECT_EQ(e.valLevel, -'0');
}

TEST_F(LoaderTest, SpecialConsonantsAndSoft) {
  auto& c = LoadDraft(Draft({"ASHTHA", "BOSHA"}, "", {"SPCCON \"<SH><><TH> soft\";"}));
  ASSERT_TRUE(c.loaded) << c.errorText;
  EXPECT_EQ(c.specialConsonantCount, 2);
  EXPECT_EQ(c.specialConsonants[0], "SH");
  EXPECT_EQ(c.specialConsonants[1], "TH");
  EXPECT_EQ(c.specialConsonants[2], "");
  // SOFT codes SH and TH as soft consonants first, so the specials never match.
  EXPECT_EQ(c.consonantElements, (std::vector<std::string>{"st", "B", "s"}));

  auto& d = LoadDraft(Draft({"ASHTHA"}, "", {"SPCCON \"<SH><TH>\";"}));
  ASSERT_TRUE(d.loaded) << d.errorText;
  EXPECT_EQ(d.specialConsonants[1], "TH");
  EXPECT_EQ(d.consonantElements, (std::vector<std::string>{"01"}));
  EXPECT_FALSE(d.softConsonants);
}

TEST_F(LoaderTest, MultiVowelsAndApostrophe) {
  auto& c = LoadDraft(Draft({"ALAN", "ALAI", "D'ARC"}, "", {"SPCVOW \"multi\";"}));
  ASSERT_TRUE(c.loaded) << c.errorText;
  EXPECT_TRUE(c.multiVowels);
  EXPECT_EQ(c.vowelElements, (std::vector<std::string>{"ALA", "A", "AI", "'A"}));
  EXPECT_EQ(c.consonantElements, (std::vector<std::string>{"N", "L", "D", "RC"}));
}

TEST_F(LoaderTest, TemplatesAreParsedWithTheirWeights) {
  auto& c = LoadDraft(Draft({"ABA"}, "", {"TEMPLATES \"2:0\" \"3:x\" \"\" \"4\";"}));
  ASSERT_TRUE(c.loaded) << c.errorText;
  EXPECT_EQ(c.templates, (std::vector<std::string>{"2", "3", "4"}));
  EXPECT_EQ(c.templateWeights, (std::vector<int>{1, 1, 1}));

  auto& d = LoadDraft(Draft({"ABA"}, "", {"TEMPLATES \"0|2 #:7\",\r\n \"1-3:-2\" \":5\";"}));
  ASSERT_TRUE(d.loaded) << d.errorText;
  EXPECT_EQ(d.templates, (std::vector<std::string>{"0|2 #", "1-3"}));
  EXPECT_EQ(d.templateWeights, (std::vector<int>{7, -2}));  // negative kept as written

  // Only empty entries: the names give the templates.
  auto& e = LoadDraft(Draft({"ABA", "BOB", "ABA"}, "", {"TEMPLATES \"\" \":3\";"}));
  ASSERT_TRUE(e.loaded) << e.errorText;
  EXPECT_EQ(e.templates, (std::vector<std::string>{"3", "2"}));
  EXPECT_EQ(e.templateWeights, (std::vector<int>{2, 1}));

  // An explicit "*" among others is kept as a template.
  auto& f = LoadDraft(Draft({"ABA"}, "", {"TEMPLATES \"*\" \"2\";"}));
  ASSERT_TRUE(f.loaded) << f.errorText;
  EXPECT_EQ(f.templates, (std::vector<std::string>{"*", "2"}));
}

TEST_F(LoaderTest, DerivedTemplatesFollowTheSeparators) {
  auto& c = LoadDraft(Draft({"ELDA MOR", "ELDA-MOR", "ELDA--MOR", "ELDA MOR"}));
  ASSERT_TRUE(c.loaded) << c.errorText;
  EXPECT_EQ(c.templates, (std::vector<std::string>{"3 2", "3-2", "3--2"}));
  EXPECT_EQ(c.templateWeights, (std::vector<int>{2, 1, 1}));

  auto& d = LoadDraft(Draft({"BARO", "TURA", "MIRA"}, "", {"TEMPLATES \"*\";"}));
  ASSERT_TRUE(d.loaded) << d.errorText;
  EXPECT_EQ(d.templates, (std::vector<std::string>{"4"}));
  EXPECT_EQ(d.templateWeights, (std::vector<int>{3}));
}

TEST_F(LoaderTest, CommentsHideOptionTagsButNotTheHeader) {
  std::string text = ChapterText(Draft({"ABA"}));
  // A comment before TITLE on the same line does not hide it.
  auto& c = LoadText("// notes TITLE \"Hidden?\";\r\n" + text);
  ASSERT_TRUE(c.loaded) << c.errorText;
  EXPECT_EQ(c.title, "Hidden?");

  auto& d = LoadText("// GENOPT \"\";\r\n" + text);  // found first, blanked later
  ASSERT_TRUE(d.loaded) << d.errorText;

  std::string hidden = text;
  hidden.replace(hidden.find("GENOPT"), 0, "// ");
  EXPECT_EQ(LoadText(hidden).errorText, "Invalid or missing GENOPT tag");

  hidden = text;
  hidden.replace(hidden.find("NAMES"), 0, "// ");
  EXPECT_EQ(LoadText(hidden).errorText, "Missing NAMES tag");

  // A quoted word in a comment inside the list is a name.
  std::string list = text;
  list.replace(list.find("\"ABA\""), 0, "// \"BOB\"\r\n");
  auto& e = LoadText(list);
  ASSERT_TRUE(e.loaded) << e.errorText;
  EXPECT_EQ(e.nameCount, 2);
  EXPECT_EQ(e.initialLetters, "BA");
}

TEST_F(LoaderTest, NamesInTheTitleStartTheList) {
  ChapterDraft draft = Draft({"ABA"});
  draft.title = "Elf NAMES";
  auto& c = LoadDraft(draft);
  EXPECT_FALSE(c.loaded);
  EXPECT_EQ(c.errorText.rfind("Invalid character in name #1 (;", 0), 0u) << c.errorText;
}

TEST_F(LoaderTest, TagsBeyondTheHeaderWindowAreNotFound) {
  std::string text = "TITLE \"T\";\r\nLINE1 \"1\";\r\nLINE2 \"2\";\r\nDATE \"d\";\r\n"
                     "NAMES \"ABA\";\r\n";
  text += std::string(2100 - text.size(), ' ');
  text += "GENOPT \"\";\r\n";
  text += std::string(3000 - text.size(), ' ');
  EXPECT_EQ(LoadText(text).errorText, "Invalid or missing GENOPT tag");
}

TEST_F(LoaderTest, NameListMayRunPastTheHeaderWindow) {
  std::string text = ChapterText(Draft({"ABA"}));
  std::string longList(3000, ' ');
  text.insert(text.find("\"ABA\""), longList + "\"BOB\" ");
  auto& c = LoadText(text);
  ASSERT_TRUE(c.loaded) << c.errorText;
  EXPECT_EQ(c.nameCount, 2);
}

TEST_F(LoaderTest, AccentedNamesAreStoredInCapitals) {
  auto& c = LoadDraft(Draft({"\xEBla", "b\xE4r9"}));
  ASSERT_TRUE(c.loaded) << c.errorText;
  EXPECT_EQ(c.initialLetters, "\xCB" "B");
  EXPECT_EQ(c.vowelElements[0], "\xCB");
  EXPECT_EQ(c.consonantElements.back(), "R9");  // a digit is a consonant
}

TEST_F(LoaderTest, CodingRulesReachTheElementTables) {
  auto& c = LoadDraft(Draft({"THORIN"}, "", {"SPCCON \"SOFT\";"}));
  ASSERT_TRUE(c.loaded) << c.errorText;
  EXPECT_EQ(c.consonantElements, (std::vector<std::string>{"t", "R", "N"}));

  auto& d = LoadDraft(Draft({"MAYA", "TYR", "QUAY"}, "Y:SEMI U:SEMI"));
  ASSERT_TRUE(d.loaded) << d.errorText;
  EXPECT_EQ(d.consonantElements, (std::vector<std::string>{"M", "y", "T", "R", "Qu"}));
  EXPECT_EQ(d.vowelElements, (std::vector<std::string>{"A", "Y", "AY"}));
}

// Every failure text, each from a chapter whose first fault is that one; the
// later faults planted in the same chapter must not win.
TEST_F(LoaderTest, EachFailureTextAndTheFirstFaultWins) {
  auto without = [](std::string text, const std::string& tag) {
    std::size_t at = text.find(tag);
    std::size_t end = text.find("\r\n", at);
    return text.erase(at, end + 2 - at);
  };
  const std::string good = ChapterText(Draft({"ABA", "BOB"}));
  std::string vowelRuns;  // 155 distinct vowel elements
  std::vector<std::string> manyVowels;
  const std::string v = "AEIOU";
  for (char a : v) manyVowels.push_back(std::string("B") + a + "D");
  for (char a : v)
    for (char b : v) manyVowels.push_back(std::string("B") + a + b + "D");
  for (char a : v)
    for (char b : v)
      for (char c : v) manyVowels.push_back(std::string("B") + a + b + c + "D");
  std::vector<std::string> manyConsonants;  // 1024 distinct consonant elements
  for (int i = 0; i < 1024; ++i) {
    manyConsonants.push_back(std::string("A") + "BCDFGHJKLMNPQRSTVWXZ"[i % 20] +
                             "BCDFGHJKLMNPQRSTVWXZ"[i / 20 % 20] + "BCDFG"[i / 400] + "A");
  }
  std::string templates = "TEMPLATES";
  for (int i = 0; i < 257; ++i) templates += " \"" + std::to_string(i % 60) + "\"";
  templates += ";";
  std::vector<std::string> manyShapes;  // 18 x 18 distinct two-part shapes
  auto part = [](int type) {
    std::string text;
    int elements = type % 2 == 0 ? (type + 4) / 2 : (type + 3) / 2;
    for (int e = 0; e < elements; ++e) text += ((e + type) % 2 == 0) ? "B" : "A";
    return text;
  };
  for (int a = 0; a < 18; ++a)
    for (int b = 0; b < 18; ++b) manyShapes.push_back(part(a) + " " + part(b));
  std::string longPart;
  for (int i = 0; i < 32; ++i) longPart += (i % 2 == 0) ? "B" : "A";

  struct Case {
    std::string name;
    std::string text;
    std::string error;
  };
  const Case cases[] = {
      {"title", without(without(good, "TITLE"), "DATE"), "Invalid or missing TITLE tag"},
      {"line1", without(without(good, "LINE1"), "LINE2"), "Invalid or missing LINE1 tag"},
      {"line2", without(without(good, "LINE2"), "NAMES"), "Invalid or missing LINE2 tag"},
      {"date", without(without(good, "DATE"), "NAMES"), "Invalid or missing DATE tag"},
      {"names", without(without(good, "NAMES"), "GENOPT"), "Missing NAMES tag"},
      {"too many specials",
       ChapterText(Draft({"A!A"}, "", {"SPCCON \"<B><C><D><F><G><H><J><K><L><M><N>\";"})) +
           "TEMPLATES \"2\"",
       "Too many special consonants"},
      {"special faults in order: a bad sixth group before the eleventh",
       ChapterText(Draft({"A!A"}, "", {"SPCCON \"<B><C><D><F><G><-><J><K><L><M><N>\";"})),
       "Invalid character in special consonant #6"},
      {"special character",
       ChapterText(Draft({"A!A"}, "", {"SPCCON \"<TH><S H>\";"})) + "TEMPLATES \"2\"",
       "Invalid character in special consonant #2"},
      {"special digit is fine, lowercase too",
       ChapterText(Draft({"A!A"}, "", {"SPCCON \"<1><th>\";"})),
       "Invalid character in name #1 (A!A)"},
      {"templates unclosed", without(ChapterText(Draft({"A!A"})), "GENOPT") + "TEMPLATES \"2\"",
       "Invalid TEMPLATES tag"},
      {"too many templates", ChapterText(Draft({"A!A"}, "", {templates})), "Too many templates"},
      {"genopt", without(ChapterText(Draft({"A!A"})), "GENOPT"), "Invalid or missing GENOPT tag"},
      {"name character", ChapterText(Draft({"ABA", "", "BOB!", "x!"})),
       "Invalid character in name #3 (BOB!)"},
      {"empty name", ChapterText(Draft({"ABA", "", "BO-"})), "Too few elements in name #2 ()"},
      {"trailing hyphen", ChapterText(Draft({"ABA", "BO-", "O"})),
       "Too few elements in name #2 (BO-)"},
      {"one element", ChapterText(Draft({"ABA", "O"})), "Too few elements in name #2 (O)"},
      {"one-element part", ChapterText(Draft({"ABA", "ELDA-O-MOR"})),
       "Too few elements in name #2 (ELDA-O-MOR)"},
      {"leading space", ChapterText(Draft({" ABA"})), "Too few elements in name #1 ( ABA)"},
      {"coded form shown", ChapterText(Draft({"THA Y"}, "Y:CON", {"SPCCON \"soft\";"})),
       "Too few elements in name #1 (tA y)"},
      {"too many vowel elements", ChapterText(Draft(manyVowels)), "Too many different elements"},
      {"too many consonant elements", ChapterText(Draft(manyConsonants)),
       "Too many different elements"},
      {"too many elements", ChapterText(Draft({"ABA", "BA " + longPart, "O"})),
       "Too many elements in name #2 (BA " + longPart + ")"},
      {"too many shapes", ChapterText(Draft(manyShapes)), "Too many templates"},
  };
  for (const Case& c : cases) {
    auto& chapter = LoadText(c.text);
    EXPECT_FALSE(chapter.loaded) << c.name;
    EXPECT_EQ(chapter.errorText, c.error) << c.name;
  }
  chapter_->Load(dir_.File("missing.vel"));
  EXPECT_EQ(chapter_->errorText, "Couldn't open file");
  chapter_->Load(dir_.path().string());
  EXPECT_EQ(chapter_->errorText, "Couldn't open file");
  // A failure clears the outcome of the previous success.
  ASSERT_TRUE(LoadText(good).loaded);
  EXPECT_FALSE(LoadText("").loaded);
}

TEST_F(LoaderTest, LimitsThatStillFit) {
  std::string longPart;
  for (int i = 0; i < 31; ++i) longPart += (i % 2 == 0) ? "B" : "A";
  // Four parts per name is more than the three per name the tables once held.
  auto& c = LoadDraft(Draft({longPart, "ABA BOB ABA BOB ABA", "BA-BA-BA-BA-BA"}));
  ASSERT_TRUE(c.loaded) << c.errorText;
  EXPECT_EQ(c.maxElements, 31);
  EXPECT_EQ(c.templates[0], "58");

  std::string templates = "TEMPLATES";
  for (int i = 0; i < 256; ++i) templates += " \"" + std::to_string(i % 60) + "\"";
  templates += ";";
  auto& d = LoadDraft(Draft({"ABA"}, "", {templates}));
  ASSERT_TRUE(d.loaded) << d.errorText;
  EXPECT_EQ(d.templateCount, 256);
}

TEST_F(LoaderTest, FiveThousandNamesLoad) {
  std::mt19937 random(7);
  const std::vector<std::string> onsets = {"B", "D", "K", "L", "M", "N", "R", "S", "T", "V",
                                           "TH", "DR", "KR", "SH", "GL", "ST"};
  const std::vector<std::string> nuclei = {"A", "E", "I", "O", "U", "AE", "IA", "OU", "\xC4"};
  std::vector<std::string> names;
  for (int n = 0; n < 5000; ++n) {
    std::string name;
    int syllables = 2 + static_cast<int>(random() % 3);
    for (int s = 0; s < syllables; ++s) {
      name += onsets[random() % onsets.size()] + nuclei[random() % nuclei.size()];
    }
    if (random() % 3 == 0) name += onsets[random() % onsets.size()];
    if (random() % 10 == 0) name += (random() % 2 ? " " : "-") + std::string("MORA");
    names.push_back(name);
  }
  auto& c = LoadDraft(Draft(names, "Y:SEMI U:SEMI STATGEN", {"SPCCON \"<SH> SOFT\";"}));
  ASSERT_TRUE(c.loaded) << c.errorText;
  EXPECT_EQ(c.nameCount, 5000);
  EXPECT_EQ(c.pairCapacity, 15000);
  EXPECT_GT(c.templateCount, 3);
  EXPECT_EQ(static_cast<int>(c.templates.size()), c.templateCount);
  int weights = 0;
  for (int w : c.templateWeights) weights += w;
  EXPECT_EQ(weights, 5000);
}

class CountingProgress : public LoadProgress {
 public:
  void StepProgress() override { ++position; }
  void SetProgressPosition(int p) override {
    position = p;
    ++positionsSet;
  }
  int position = 1;
  int positionsSet = 0;  // only a compiled load sets the position
};

TEST_F(LoaderTest, ProgressStepsFifteenTimesForAnAnalysis) {
  CountingProgress progress;
  chapter_ = std::make_unique<TVaelChapter>(&progress);
  ASSERT_TRUE(LoadDraft(Draft({"ABA"})).loaded);
  EXPECT_EQ(progress.position, 16);
}

TEST_F(LoaderTest, AMatchingCompiledChapterSavesTheAnalysis) {
  CountingProgress progress;
  chapter_ = std::make_unique<TVaelChapter>(&progress);
  std::string text = ChapterText(Draft({"ELDA MOR", "THORIN"}, "STATGEN"));
  auto& c = LoadText(text);
  ASSERT_TRUE(c.loaded) << c.errorText;
  EXPECT_EQ(progress.positionsSet, 0);
  const auto vowels = c.vowelElements;
  const auto consonants = c.consonantElements;
  const auto templates = c.templates;
  const std::string compiled = test::ReadFile(dir_.File("chapter.qch"));
  ASSERT_FALSE(compiled.empty());

  progress.position = 1;
  auto& again = LoadText(text);
  ASSERT_TRUE(again.loaded) << again.errorText;
  EXPECT_EQ(progress.positionsSet, 1);
  EXPECT_EQ(progress.position, 16);
  EXPECT_EQ(again.vowelElements, vowels);
  EXPECT_EQ(again.consonantElements, consonants);
  EXPECT_EQ(again.templates, templates);
  EXPECT_EQ(again.date, "2026-12-08");  // from the text; not kept in the compiled form
  EXPECT_TRUE(again.statGen);

  // A changed text is analysed again and its compiled chapter replaced.
  text.replace(text.find("THORIN"), 6, "THORAN");
  auto& changed = LoadText(text);
  ASSERT_TRUE(changed.loaded) << changed.errorText;
  EXPECT_EQ(progress.positionsSet, 1);
  EXPECT_NE(test::ReadFile(dir_.File("chapter.qch")), compiled);

  // Chosen directly, the compiled chapter is all there is: no date.
  chapter_->Load(dir_.File("chapter.qch"));
  ASSERT_TRUE(chapter_->loaded) << chapter_->errorText;
  EXPECT_EQ(chapter_->title, "Test chapter");
  EXPECT_EQ(chapter_->date, "");
}

// Compiled chapters beside or chosen directly that their reader cannot use.
TEST_F(LoaderTest, DamagedCompiledChapters) {
  const std::string text = ChapterText(Draft({"ABA", "BOB"}));
  const std::string truncated = std::string("\0", 1) + static_cast<char>(ChapterChecksum(text)) +
                                "\x01" + "Vael 3.0" + std::string("\0", 1);
  WriteFile(dir_.File("chapter.qch"), truncated);
  auto& c = LoadText(text);
  ASSERT_TRUE(c.loaded) << c.errorText;
  EXPECT_EQ(c.title, "Test chapter");
  EXPECT_EQ(c.nameCount, 2);

  WriteFile(dir_.File("direct.qch"), truncated);
  chapter_->Load(dir_.File("direct.qch"));
  EXPECT_FALSE(chapter_->loaded);
  EXPECT_EQ(chapter_->errorText, "Damaged compiled chapter");

  // Another format byte: the bytes are read as a text chapter.
  std::string otherFormat = truncated;
  otherFormat[2] = 2;
  WriteFile(dir_.File("other.qch"), otherFormat);
  chapter_->Load(dir_.File("other.qch"));
  EXPECT_EQ(chapter_->errorText, "Missing NAMES tag");
}

TEST_F(LoaderTest, ATextChapterNamedQchIsNeverOverwritten) {
  const std::string text = ChapterText(Draft({"ABA", "BOB"}));
  const std::string path = dir_.File("odd.qch");
  WriteFile(path, text);
  chapter_->Load(path);
  ASSERT_TRUE(chapter_->loaded) << chapter_->errorText;
  EXPECT_EQ(test::ReadFile(path), text);
}

// Broken files: every prefix of a chapter, and random damage, load or fail
// without reading past the end of anything.
TEST_F(LoaderTest, TruncatedAndDamagedFilesNeverCrash) {
  const std::string text =
      ChapterText(Draft({"Elda Mor", "Thorin", "QUAY", "ASHA"}, "Y:SEMI U:SEMI FIT:",
                       {"SPCCON \"<SH> soft <TH\";", "SPCVOW \"MULTI\";",
                        "TEMPLATES \"3 2:4\" \"4:\";"}));
  for (std::size_t size = 0; size <= text.size(); ++size) {
    auto& c = LoadText(text.substr(0, size));
    EXPECT_EQ(c.loaded, c.errorText.empty()) << size;
  }
  std::mt19937 random(11);
  for (int round = 0; round < 300; ++round) {
    std::string damaged = text;
    int changes = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < changes; ++i) {
      damaged[random() % damaged.size()] = static_cast<char>(random() % 256);
    }
    if (round % 3 == 0) damaged.resize(random() % damaged.size());
    auto& c = LoadText(damaged);
    EXPECT_EQ(c.loaded, c.errorText.empty());
  }
  for (int round = 0; round < 50; ++round) {
    std::string junk(random() % 400, '\0');
    for (char& b : junk) b = "\"; <>:NAMESGENOPT\0\x01Vael"[random() % 22];
    LoadText(junk);
  }
}

}  // namespace
}  // namespace vael
