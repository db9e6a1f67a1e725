// What a generator and a chapter promise beyond the names themselves: a
// name that does not fit is kept, logging changes no name, a chapter is
// shared by threads and may go before its generators, loading writes
// nothing, and the report figures are those of the engine.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "CapiSupport.h"
#include "vael/vael.h"

namespace vael::capitest {
namespace {

vael_generator* NewGenerator(const vael_chapter* chapter, uint32_t seed) {
  vael_generator* generator = nullptr;
  EXPECT_EQ(vael_generator_new(chapter, nullptr, seed, &generator), VAEL_OK) << vael_last_error();
  return generator;
}

std::vector<std::string> Names(vael_generator* generator, int count) {
  std::vector<std::string> names;
  char buffer[256];
  for (int i = 0; i < count; ++i) {
    EXPECT_EQ(vael_generator_next(generator, buffer, sizeof buffer, nullptr), VAEL_OK);
    names.push_back(buffer);
  }
  return names;
}

class CapiGenerator : public testing::Test {
 protected:
  void SetUp() override {
    path_ = folder_.Copy(LibraryFile("elder/woodelves.vel"));
    chapter_ = Open(path_);
    ASSERT_NE(chapter_, nullptr);
  }
  void TearDown() override { vael_chapter_free(chapter_); }

  ScratchFolder folder_;
  std::string path_;
  vael_chapter* chapter_ = nullptr;
};

TEST_F(CapiGenerator, ANameThatDoesNotFitComesWithTheNextCall) {
  vael_generator* reference = NewGenerator(chapter_, 3);
  const std::vector<std::string> expected = Names(reference, 6);
  vael_generator_free(reference);

  vael_generator* generator = NewGenerator(chapter_, 3);
  size_t length = 0;
  // Asked for its length first, the name waits.
  ASSERT_EQ(vael_generator_next(generator, nullptr, 0, &length), VAEL_E_SPACE);
  EXPECT_EQ(length, expected[0].size());
  std::string exact(length + 1, 'x');
  ASSERT_EQ(vael_generator_next(generator, &exact[0], length + 1, &length), VAEL_OK);
  EXPECT_STREQ(exact.c_str(), expected[0].c_str());
  // One byte short: the NUL has no room.
  char small[64];
  ASSERT_EQ(vael_generator_next(generator, small, expected[1].size(), &length), VAEL_E_SPACE);
  EXPECT_EQ(length, expected[1].size());
  // Many at once, where not even the first fits, then where only some do.
  size_t made = 9;
  ASSERT_EQ(vael_generator_names(generator, 3, small, 2, &made, &length), VAEL_E_SPACE);
  EXPECT_EQ(made, 0u);
  EXPECT_EQ(length, expected[1].size() + 1);
  const size_t room = expected[1].size() + 1 + expected[2].size() + 1 + 1;
  ASSERT_EQ(vael_generator_names(generator, 3, small, room, &made, &length), VAEL_OK);
  EXPECT_EQ(made, 2u);
  EXPECT_EQ(length, room - 1);
  EXPECT_EQ(std::string(small), expected[1]);
  EXPECT_EQ(std::string(small + expected[1].size() + 1), expected[2]);
  EXPECT_EQ(Names(generator, 3), std::vector<std::string>(expected.begin() + 3, expected.end()));
  // Starting over gives the same names again.
  ASSERT_EQ(vael_generator_restart(generator, 3), VAEL_OK);
  EXPECT_EQ(Names(generator, 6), expected);
  vael_generator_free(generator);
}

TEST_F(CapiGenerator, LoggingChangesNoNameAndTheLogIsThatName) {
  vael_generator* plain = NewGenerator(chapter_, 11);
  const std::vector<std::string> expected = Names(plain, 20);
  vael_generator_free(plain);

  vael_generator* generator = NewGenerator(chapter_, 11);
  size_t length = 9;
  char log[4];
  ASSERT_EQ(vael_generator_log(generator, log, sizeof log, &length), VAEL_OK);
  EXPECT_EQ(length, 0u);  // none before the first logged name
  for (std::size_t i = 0; i < expected.size(); ++i) {
    char name[256];
    if (i % 3 == 0) {
      ASSERT_EQ(vael_generator_next_logged(generator, name, sizeof name, &length), VAEL_OK);
      ASSERT_EQ(vael_generator_log(generator, nullptr, 0, &length), VAEL_E_SPACE);
      std::string text(length + 1, '\0');
      ASSERT_EQ(vael_generator_log(generator, &text[0], text.size(), &length), VAEL_OK);
      text.resize(length);
      EXPECT_EQ(text.rfind("Vael log file", 0), 0u) << text;
      // The log ends with the finished name, in UTF-8 like the name.
      EXPECT_NE(text.find("-> " + std::string(name)), std::string::npos) << text;
    } else {
      ASSERT_EQ(vael_generator_next(generator, name, sizeof name, &length), VAEL_OK);
    }
    EXPECT_EQ(name, expected[i]) << i;
  }
  vael_generator_free(generator);
}

// Generators on four threads share one chapter; each makes the names it
// makes alone.
TEST_F(CapiGenerator, AChapterSharedByGeneratorsOnThreads) {
  constexpr int kThreads = 4, kNames = 3000;
  std::vector<std::vector<std::string>> alone(kThreads), together(kThreads);
  for (int t = 0; t < kThreads; ++t) {
    vael_generator* generator = NewGenerator(chapter_, 100 + t);
    alone[t] = Names(generator, kNames);
    vael_generator_free(generator);
  }
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      vael_generator* generator = nullptr;
      if (vael_generator_new(chapter_, nullptr, 100 + t, &generator) != VAEL_OK) return;
      char buffer[256];
      for (int i = 0; i < kNames; ++i) {
        if (vael_generator_next(generator, buffer, sizeof buffer, nullptr) != VAEL_OK) break;
        together[t].push_back(buffer);
      }
      vael_generator_free(generator);
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(together[t], alone[t]) << "thread " << t;
}

TEST_F(CapiGenerator, AGeneratorOutlivesItsChapterHandle) {
  vael_generator* reference = NewGenerator(chapter_, 5);
  const std::vector<std::string> expected = Names(reference, 10);
  vael_generator_free(reference);
  vael_chapter* chapter = Open(path_);
  vael_generator* generator = NewGenerator(chapter, 5);
  vael_chapter_free(chapter);
  EXPECT_EQ(Names(generator, 10), expected);
  vael_generator_free(generator);
}

TEST_F(CapiGenerator, LoadingWritesNothingAndMemoryLoadsTheSame) {
  // vaelgen would have cached a compiled chapter beside it by now.
  EXPECT_EQ(folder_.Files(), std::vector<std::string>{"woodelves.vel"});
  std::ifstream in(path_, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  const std::string text = bytes.str();
  vael_chapter* fromMemory = nullptr;
  ASSERT_EQ(vael_chapter_from_memory(text.data(), text.size(), "woodelves.vel", &fromMemory),
            VAEL_OK);
  vael_generator* a = NewGenerator(chapter_, 8);
  vael_generator* b = NewGenerator(fromMemory, 8);
  EXPECT_EQ(Names(a, 50), Names(b, 50));
  EXPECT_STREQ(vael_chapter_title(fromMemory), "Wood elves");
  vael_generator_free(a);
  vael_generator_free(b);
  vael_chapter_free(fromMemory);
}

TEST(CapiChapter, HeaderTextsInUtf8) {
  ScratchFolder folder;
  // Windows-1252 bytes in the file; UTF-8 at the interface.
  const std::string path = folder.Write(
      "accents.vel",
      "TITLE \"J\xE4rvi \x96 \xC5land\"; LINE1 \"Lakes\"; LINE2 \"of the north\"; AUTHOR "
      "\"\xC9mile\";"
      " DATE \"1 May 2020\"; TOPIC \"7\"; GENOPT \"STATGEN FIT:2\";\r\n"
      "NAMES \"\xC4\x41NEKOSKI\" \"JOKELA\" \"KORVALA\" \"\xC4KI\" \"ILMALA\" \"HAAPALA\";");
  vael_chapter* chapter = Open(path);
  ASSERT_NE(chapter, nullptr);
  EXPECT_STREQ(vael_chapter_title(chapter), "J\xC3\xA4rvi \xE2\x80\x93 \xC3\x85land");
  EXPECT_STREQ(vael_chapter_text(chapter, VAEL_TEXT_LINE1), "Lakes");
  EXPECT_STREQ(vael_chapter_text(chapter, VAEL_TEXT_LINE2), "of the north");
  EXPECT_STREQ(vael_chapter_text(chapter, VAEL_TEXT_AUTHOR), "\xC3\x89mile");
  EXPECT_STREQ(vael_chapter_text(chapter, VAEL_TEXT_DATE), "1 May 2020");
  EXPECT_STREQ(vael_chapter_text(chapter, VAEL_TEXT_TOPIC), "7");
  EXPECT_STREQ(vael_chapter_text(chapter, VAEL_TEXT_INITIALS), "\xC3\x84JKIH");
  EXPECT_EQ(vael_chapter_text(chapter, 7), nullptr);
  EXPECT_EQ(vael_chapter_text(chapter, -1), nullptr);
  vael_options options{};
  options.size = sizeof options;
  ASSERT_EQ(vael_chapter_options(chapter, &options), VAEL_OK);
  EXPECT_EQ(options.fit, 2);
  EXPECT_EQ(options.statistical, 1);
  EXPECT_EQ(options.structural, 0);
  EXPECT_STREQ(options.initial, "");
  // The initial letter in either case, in UTF-8.
  std::strcpy(options.initial, "\xC3\xA4");
  vael_generator* generator = nullptr;
  ASSERT_EQ(vael_generator_new(chapter, &options, 2, &generator), VAEL_OK) << vael_last_error();
  for (const std::string& name : Names(generator, 20))
    EXPECT_EQ(name.rfind("\xC3\x84", 0), 0u) << name;
  vael_generator_free(generator);
  vael_chapter_free(chapter);
}

TEST(CapiChapter, FromNamesLoadsAsAListOfThem) {
  ScratchFolder folder;
  const std::string list = folder.Copy(TestDataFile("villages40.txt"));
  std::ifstream in(list);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  lines.push_back("\xC5\x81odz");  // a letter the code page lacks: left out
  std::vector<const char*> names;
  for (const std::string& line : lines) names.push_back(line.c_str());
  vael_chapter* fromNames = nullptr;
  ASSERT_EQ(vael_chapter_from_names(names.data(), names.size(), "Quiet villages", &fromNames),
            VAEL_OK)
      << vael_last_error();
  EXPECT_STREQ(vael_chapter_title(fromNames), "Quiet villages");
  EXPECT_EQ(vael_chapter_left_out(fromNames), 1u);
  vael_chapter* fromFile = Open(list);
  EXPECT_STREQ(vael_chapter_title(fromFile), "villages40");
  EXPECT_EQ(vael_chapter_left_out(fromFile), 0u);
  vael_generator* a = NewGenerator(fromNames, 21);
  vael_generator* b = NewGenerator(fromFile, 21);
  EXPECT_EQ(Names(a, 100), Names(b, 100));
  vael_generator_free(a);
  vael_generator_free(b);
  vael_chapter_free(fromNames);
  vael_chapter_free(fromFile);
}

// The figures are the engine's: those of the report's row for the same
// setting, held against the samples where the chapter keeps them.
TEST(CapiFigures, MeasureAndReportAgree) {
  ScratchFolder folder;
  vael_chapter* chapter = Open(folder.Copy(LibraryFile("isles/welsh.vel")));
  ASSERT_NE(chapter, nullptr);
  vael_report* report = nullptr;
  ASSERT_EQ(vael_chapter_report(chapter, 500, 9, &report), VAEL_OK);
  ASSERT_GE(vael_report_rows(report), 24);
  const int row = vael_report_recommended_row(report);
  vael_options setting{};
  setting.size = sizeof setting;
  vael_figures fromReport{};
  fromReport.size = sizeof fromReport;
  ASSERT_EQ(vael_report_row(report, row, &setting, &fromReport), VAEL_OK);
  vael_figures measured{};
  measured.size = sizeof measured;
  ASSERT_EQ(vael_chapter_measure(chapter, &setting, 500, 9, &measured), VAEL_OK);
  EXPECT_EQ(measured.compared, 1);
  EXPECT_EQ(measured.names, 500);
  EXPECT_EQ(measured.distinct, fromReport.distinct);
  EXPECT_EQ(measured.distinct_new, fromReport.distinct_new);
  EXPECT_EQ(measured.sample_copies, fromReport.sample_copies);
  EXPECT_EQ(measured.broken, fromReport.broken);
  EXPECT_DOUBLE_EQ(measured.mean_length, fromReport.mean_length);
  EXPECT_GT(measured.distinct_new, 0);
  const int best = vael_report_best(report);
  EXPECT_TRUE(best >= 0 ? std::string(vael_report_reason(report)).empty()
                        : !std::string(vael_report_reason(report)).empty());
  EXPECT_EQ(vael_report_row(report, vael_report_rows(report), nullptr, nullptr), VAEL_E_ARGUMENT);
  vael_report_free(report);

  // A compiled chapter keeps no samples: measured, but not compared.
  vael_chapter* compiled = Open(folder.Copy(LibraryFile("faecourt.qch")));
  ASSERT_EQ(vael_chapter_measure(compiled, nullptr, 200, 1, &measured), VAEL_OK);
  EXPECT_EQ(measured.compared, 0);
  EXPECT_EQ(measured.names, 200);
  EXPECT_EQ(measured.broken, 0u);
  vael_chapter_free(compiled);
  vael_chapter_free(chapter);
}

}  // namespace
}  // namespace vael::capitest
