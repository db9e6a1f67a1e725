// vaelgen --report: the page is written whole and parses as XML, the names
// it shows can be made again with vaelgen, and failures leave no page.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <regex>

#include "VaelgenRun.h"
#include "core/chapter/CodePage.h"

namespace vael {
namespace {

using test::RunVaelgen;
using test::TempDir;

class ReportTest : public ::testing::Test {
 protected:
  test::RunResult Run(const std::vector<std::string>& arguments) { return RunVaelgen(dir_, arguments); }

  // xmllint's complaints about the page; empty when it is well-formed.
  std::string ParseProblems(const std::string& page) {
    const std::string errors = dir_.File(".xmllint");
    const std::string command = "xmllint --noout --nonet " + test::ShellQuoted(page) + " 2>" +
                                test::ShellQuoted(errors);
    const int status = std::system(command.c_str());
    std::string problems = test::ReadFile(errors);
    if (status != 0 && problems.empty()) problems = "xmllint failed (is libxml2-utils installed?)";
    return problems;
  }

  static int Count(const std::string& text, const std::string& what) {
    int count = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
  }

  // The names of the example list under the heading that starts with `heading`.
  static std::vector<std::string> Examples(const std::string& page, const std::string& heading) {
    std::vector<std::string> names;
    const auto start = page.find("<h3>" + heading);
    if (start == std::string::npos) return names;
    const auto end = page.find("</ol>", start);
    static const std::regex item("<li>([^<]*)</li>");
    for (std::sregex_iterator it(page.begin() + static_cast<long>(start),
                                 page.begin() + static_cast<long>(end), item), last;
         it != last; ++it) {
      names.push_back((*it)[1]);
    }
    return names;
  }

  // The settings table without its names/s column, which is timed.
  static std::string FiguresWithoutSpeed(const std::string& page) {
    const auto start = page.find("<table class=\"figures\">");
    const auto end = page.find("</table>", start);
    if (start == std::string::npos || end == std::string::npos) return {};
    static const std::regex speed("<td>[0-9,]+</td></tr>");
    return std::regex_replace(page.substr(start, end - start), speed, "</tr>");
  }

  // "0.12 %" as the table rounds it, "0.1 %".
  static std::string Fixed1(const std::string& percent) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %%", std::stod(percent));
    return text;
  }

  TempDir dir_;
};

TEST_F(ReportTest, PageIsWellFormedSelfContainedAndRepeatable) {
  test::WriteChapter(dir_, "elves.vel", test::ElvesDraft());
  auto run = Run({"--report", "elves.html", "elves.vel"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
  const std::string page = test::ReadFile(dir_.File("elves.html"));
  EXPECT_EQ(ParseProblems(dir_.File("elves.html")), "");
  EXPECT_EQ(Count(page, "<script"), 0);
  EXPECT_EQ(Count(page, "http://") + Count(page, "https://"),
            Count(page, "xmlns=\"http://www.w3.org/"));  // no outside resources
  EXPECT_EQ(Count(page, "<svg "), 3);
  EXPECT_EQ(Count(page, "<tr class=\"best\">") + Count(page, "No setting meets the bounds"), 1);
  EXPECT_NE(page.find("\xC3\x89owyn"), std::string::npos) << "accented samples in UTF-8";
  EXPECT_NE(page.find("with the seed 1 "), std::string::npos);

  // The page's recommended names are what vaelgen prints with the same seed.
  const auto shown = Examples(page, "Recommended options");
  ASSERT_EQ(shown.size(), 40u);
  auto names = Run({"-n", "40", "--seed", "1", "elves.vel"});
  EXPECT_EQ(test::Lines(names.out), shown);

  // Another seed, other names.
  ASSERT_EQ(Run({"--report", "seed9.html", "--seed", "9", "elves.vel"}).status, 0);
  EXPECT_NE(Examples(test::ReadFile(dir_.File("seed9.html")), "Recommended options"), shown);
}

TEST_F(ReportTest, UtfEightChaptersAndPlainListsAreComparedWithTheirSamples) {
  // The same names as a chapter in the code page, in UTF-8, and as a list
  // (which loads with STATGEN FIT:2 VAL:2): the same figures.
  test::ChapterDraft draft = test::ElvesDraft();
  draft.genopt = "STATGEN FIT:2 VAL:2";
  test::WriteChapter(dir_, "elves.vel", draft);
  test::WriteFile(dir_.File("utf8.vel"), Utf8FromWindows1252(test::ChapterText(draft)));
  std::string list;
  for (const std::string& name : draft.names) list += name + "\n";
  test::WriteFile(dir_.File("elves.txt"), list);

  std::vector<std::string> tables;
  for (const std::string chapter : {"elves.vel", "utf8.vel", "elves.txt"}) {
    SCOPED_TRACE(chapter);
    auto run = Run({"--report", "out.html", chapter});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string page = test::ReadFile(dir_.File("out.html"));
    EXPECT_EQ(ParseProblems(dir_.File("out.html")), "");
    EXPECT_EQ(page.find("does not keep its sample names"), std::string::npos);
    tables.push_back(FiguresWithoutSpeed(page));
  }
  ASSERT_FALSE(tables[0].empty());
  EXPECT_EQ(tables[1], tables[0]);
  EXPECT_EQ(tables[2], tables[0]);

  // A list that fails gives the loader's cause and no page.
  test::WriteFile(dir_.File("short.txt"), "Aranel\n");
  auto run = Run({"--report", "short.html", "short.txt"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "vaelgen: short.txt: Fewer than two usable names in the list\n");
  EXPECT_FALSE(std::filesystem::exists(dir_.File("short.html")));
}

TEST_F(ReportTest, DegenerateAndCompiledChaptersStillGiveWholePages) {
  test::WriteChapter(dir_, "one.vel", test::Draft({"Kala"}));
  test::WriteChapter(dir_, "same.vel", test::Draft({"Kala", "Kala", "Kala"}, "STATGEN FIT:3"));
  // A compiled chapter without its text beside it.
  ASSERT_EQ(Run({"-n", "1", "same.vel"}).status, 0);
  std::filesystem::copy_file(dir_.File("same.qch"), dir_.File("alone.qch"));
  for (const auto& [chapter, says] :
       std::vector<std::pair<std::string, std::string>>{
           {"one.vel", "single sample name"},
           {"same.vel", "All 3 sample names are the same name"},
           {"alone.qch", "does not keep its sample names"}}) {
    SCOPED_TRACE(chapter);
    auto run = Run({"--report", "out.html", chapter});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string page = test::ReadFile(dir_.File("out.html"));
    EXPECT_EQ(ParseProblems(dir_.File("out.html")), "");
    EXPECT_NE(page.find(says), std::string::npos);
    EXPECT_NE(page.find("No setting meets the bounds"), std::string::npos);
    EXPECT_EQ(Count(page, "<svg "), 3) << "every chart has bars";
    EXPECT_FALSE(std::regex_search(page, std::regex("\\b(nan|inf)\\b", std::regex::icase)));
  }
}

// The figures table's rows: the setting and the cells after it, tags and
// markup taken out.
std::vector<std::vector<std::string>> FigureRows(const std::string& page) {
  std::vector<std::vector<std::string>> rows;
  const auto start = page.find("<tbody>", page.find("<table class=\"figures\">"));
  const auto end = page.find("</tbody>", start);
  static const std::regex row("<tr[^>]*>(.*?)</tr>"), cell("<td[^>]*>(.*?)</td>"), tag("<span.*?</span>|<[^>]*>");
  const std::string body = page.substr(start, end - start);
  for (std::sregex_iterator r(body.begin(), body.end(), row), last; r != last; ++r) {
    const std::string text = (*r)[1];
    std::vector<std::string> cells;
    for (std::sregex_iterator c(text.begin(), text.end(), cell); c != last; ++c) {
      cells.push_back(std::regex_replace(std::string((*c)[1]), tag, ""));
    }
    rows.push_back(cells);
  }
  return rows;
}

TEST_F(ReportTest, EveryRowSaysWhichBoundsItBreaks) {
  test::WriteChapter(dir_, "elves.vel", test::ElvesDraft());
  ASSERT_EQ(Run({"--report", "elves.html", "elves.vel"}).status, 0);
  const std::string page = test::ReadFile(dir_.File("elves.html"));
  const auto rows = FigureRows(page);
  ASSERT_EQ(rows.size(), 24u);
  static const std::regex breaks("none|(copies|unseen pairs|mean length|lengths|initials|accents)"
                                 "(, (unseen pairs|mean length|lengths|initials|accents))*");
  int marked = 0;
  for (const auto& cells : rows) {
    ASSERT_EQ(cells.size(), 12u) << cells.front();
    EXPECT_TRUE(std::regex_match(cells[10], breaks)) << cells.front() << ": " << cells[10];
    marked += cells[10] != "none";
  }
  EXPECT_GT(marked, 0);
  // Eighteen samples: nothing qualifies, and the closest setting is named,
  // marked in the table and shown by its names.
  EXPECT_NE(page.find("No setting meets the bounds"), std::string::npos);
  EXPECT_EQ(Count(page, "<span class=\"tag\">closest</span>"), 1);
  EXPECT_NE(page.find("Closest setting: <code>"), std::string::npos);
  for (const char* term : {"<dt>Length gap</dt>", "<dt>Initials gap</dt>", "<dt>Accents gap</dt>",
                           "<dt>Breaks</dt>"}) {
    EXPECT_NE(page.find(term), std::string::npos) << term;
  }
}

TEST_F(ReportTest, FiguresAreThoseOfTheReportsRow) {
  test::WriteChapter(dir_, "elves.vel", test::ElvesDraft());
  ASSERT_EQ(Run({"--report", "elves.html", "elves.vel"}).status, 0);
  const auto rows = FigureRows(test::ReadFile(dir_.File("elves.html")));
  // The row of STATGEN STRUCTGEN FIT:1, asked for on the command line.
  auto row = std::find_if(rows.begin(), rows.end(),
                          [](const auto& cells) { return cells.front() == "STATGEN STRUCTGEN FIT:1"; });
  ASSERT_NE(row, rows.end());
  auto run = Run({"--figures", "--fit", "1", "--structural", "elves.vel"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  std::map<std::string, std::string> figures;
  for (const std::string& line : test::Lines(run.out)) {
    const auto colon = line.find(": ");
    ASSERT_NE(colon, std::string::npos) << line;
    figures[line.substr(0, colon)] = line.substr(colon + 2);
  }
  EXPECT_EQ(figures["setting"], "STATGEN STRUCTGEN FIT:1 VAL:0");
  EXPECT_EQ(figures["names"], "10000");
  EXPECT_EQ(figures["samples"], "18");
  auto ungrouped = [](std::string number) {
    std::erase(number, ',');
    return number;
  };
  EXPECT_EQ(figures["distinct"], ungrouped((*row)[1]));
  EXPECT_EQ(figures["distinct new"], ungrouped((*row)[2]));
  EXPECT_EQ(figures["mean length"], (*row)[6]);
  EXPECT_EQ(figures["length gap"], (*row)[7]);
  EXPECT_EQ(figures["breaks"], (*row)[10]);
  // "12 (0.12 %)" against the table's "0.1 %".
  const std::string copies = figures["sample copies"];
  EXPECT_EQ(Fixed1(copies.substr(copies.find('(') + 1)), (*row)[3]) << copies;

  // Another count and seed, and the samples not kept by a compiled chapter.
  run = Run({"--figures", "-n", "50", "--seed", "4", "elves.qch"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("names: 50\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("samples: not kept in a compiled chapter\n"), std::string::npos);
  EXPECT_EQ(run.out.find("near-copies"), std::string::npos);

  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--figures", "-i", "E", "elves.vel"},
        {"--figures", "--unique", "elves.vel"},
        {"--figures", "-o", "x.txt", "elves.vel"}}) {
    auto refused = Run(arguments);
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.err.rfind("vaelgen: --figures takes a chapter and, at most, -n, --seed, --fit, "
                                "--val and the switches\n", 0), 0u) << refused.err;
  }
  auto many = Run({"--figures", "-n", "1000001", "elves.vel"});
  EXPECT_EQ(many.status, 2);
  EXPECT_EQ(many.err.rfind("vaelgen: --figures measures at most 1000000 names\n", 0), 0u) << many.err;
}

TEST_F(ReportTest, FailuresLeaveNoPage) {
  test::WriteChapter(dir_, "elves.vel", test::ElvesDraft());
  test::WriteFile(dir_.File("broken.vel"), "TITLE \"Broken\";\r\n");

  auto broken = Run({"--report", "out.html", "broken.vel"});
  EXPECT_EQ(broken.status, 1);
  EXPECT_EQ(broken.err, "vaelgen: broken.vel: Invalid or missing LINE1 tag\n");
  EXPECT_FALSE(std::filesystem::exists(dir_.File("out.html")));

  auto unwritable = Run({"--report", "no/such/folder/out.html", "elves.vel"});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_EQ(unwritable.err.rfind("vaelgen: Couldn't write to file no/such/folder/out.html: ", 0), 0u)
      << unwritable.err;

  // Neither a report nor a names file is written over the chapter it came from.
  const std::string chapterText = test::ReadFile(dir_.File("elves.vel"));
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--report", "elves.vel", "elves.vel"},
        {"--report", "./elves.vel", "elves.vel"},
        {"-o", "elves.vel", "-n", "3", "elves.vel"}}) {
    auto run = Run(arguments);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(": it is the chapter itself\n"), std::string::npos) << run.err;
    EXPECT_EQ(test::ReadFile(dir_.File("elves.vel")), chapterText);
  }

  // A report tries its own settings.
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--report", "out.html", "--fit", "2", "elves.vel"},
        {"--report", "out.html", "-n", "5", "elves.vel"},
        {"--report", "out.html", "-o", "x.txt", "elves.vel"},
        {"--report", "out.html", "--threads", "2", "elves.vel"}}) {
    auto run = Run(arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err.rfind("vaelgen: --report takes a chapter and, at most, --seed\n", 0), 0u) << run.err;
  }
  EXPECT_EQ(Run({"--report", "out.html"}).status, 2);
  EXPECT_FALSE(std::filesystem::exists(dir_.File("out.html")));
}

}  // namespace
}  // namespace vael
