#include "cli/ReportPage.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "cli/HtmlText.h"
#include "cli/ReportCharts.h"
#include "core/Version.h"

namespace vael::cli {
namespace {

// Charts of name lengths fold the longest names into one last bar, so
// that a few stray long names cannot squeeze the rest.
constexpr int kMostLengthBars = 40;
constexpr int kPairBars = 20;
constexpr std::size_t kTemplatesListed = 60;

const char* const kStyle = R"(
body { font-family: "DejaVu Sans", "Liberation Sans", Arial, sans-serif; color: #1a1a1a;
       max-width: 60em; margin: 1.5em auto; padding: 0 1em; line-height: 1.4; }
h1 { font-size: 1.6em; margin-bottom: 0.2em; }
h2 { font-size: 1.25em; margin-top: 1.6em; border-bottom: 1px solid #999; }
p.lines { margin-top: 0; color: #444; }
table { border-collapse: collapse; margin: 0.5em 0; }
th, td { padding: 0.25em 0.6em; border: 1px solid #bbb; }
th { background: #eee; text-align: left; }
table.figures { font-size: 0.9em; }
table.figures td { text-align: right; }
table.figures td.breaks { text-align: left; }
table.figures td.setting { text-align: left; font-family: "DejaVu Sans Mono", monospace; }
table.figures tr.best td { background: #dcefff; font-weight: bold; }
td.over { color: #a00000; }
span.tag { font-size: 0.8em; font-weight: bold; border: 1px solid #555; border-radius: 0.3em;
           padding: 0 0.3em; margin-left: 0.4em; font-family: "DejaVu Sans", sans-serif; }
table.facts th { width: 12em; }
.verdict { border: 2px solid #0072B2; padding: 0.6em 1em; background: #f3f9ff; }
.verdict.none { border-color: #a00000; background: #fff4f4; }
.note { border-left: 4px solid #E69F00; padding: 0.3em 0.8em; background: #fffaf0; }
dl.terms dt { font-weight: bold; margin-top: 0.4em; }
dl.terms dd { margin-left: 1.5em; }
code { font-family: "DejaVu Sans Mono", monospace; font-size: 0.9em; }
figure { margin: 1em 0; break-inside: avoid; }
figcaption { font-weight: bold; margin-bottom: 0.3em; }
svg { width: 100%; max-width: 760px; height: auto; font-family: "DejaVu Sans", sans-serif; }
svg .grid { stroke: #d0d0d0; stroke-width: 1; }
svg .baseline { stroke: #333; stroke-width: 1.2; }
svg .tick, svg .legend { font-size: 12px; fill: #1a1a1a; }
svg .axis { font-size: 13px; fill: #1a1a1a; }
svg .category { fill: #1a1a1a; }
.examples { display: flex; flex-wrap: wrap; gap: 2em; }
.examples ol { columns: 4; column-gap: 1.5em; margin: 0.3em 0; padding-left: 2em; }
.examples section { flex: 1 1 26em; }
.elements { font-family: "DejaVu Sans Mono", monospace; font-size: 0.9em; }
@media print {
  body { max-width: none; margin: 0; font-size: 10pt; }
  h2 { break-after: avoid; }
  table, figure { break-inside: avoid; }
  .verdict, .note, table.figures tr.best td, th { print-color-adjust: exact; -webkit-print-color-adjust: exact; }
}
)";

// "1 vowel element", "2 vowel elements".
std::string Counted(long long count, const std::string& thing) {
  return Grouped(count) + " " + thing + (count == 1 ? "" : "s");
}

std::string Percent(long long part, long long whole) { return Fixed(PercentOf(part, whole), 1) + " %"; }

// The options as vaelgen takes them, for repeating one row.
std::string VaelgenOptions(const GenerationOptions& setting) {
  auto flag = [](bool on, const char* name) { return std::string(on ? " --" : " --no-") + name; };
  return "--fit " + std::to_string(setting.fit) + flag(setting.statistical, "statistical") +
         flag(setting.structural, "structural") + flag(setting.prefixes, "prefixes") +
         flag(setting.suffixes, "suffixes");
}

// The chapter's options that no setting row varies.
std::string OtherOptions(const ChapterTables& chapter) {
  std::string words;
  if (chapter.yMode == 1) words += " Y:CON";
  if (chapter.yMode == 2) words += " Y:SEMI";
  if (chapter.uMode == 2) words += " U:SEMI";
  if (chapter.shuffle) words += " SHUFFLE";
  if (chapter.punctLevel != 0) words += " PUNCT:" + std::to_string(chapter.punctLevel);
  return words.empty() ? "none" : words.substr(1);
}

std::string FactRow(const std::string& heading, const std::string& value) {
  return "<tr><th>" + heading + "</th><td>" + value + "</td></tr>\n";
}

std::string Facts(const ChapterTables& chapter, const ChapterReport& report, const std::string& path) {
  const GenerationOptions recommended = report.rows[report.recommendedRow].setting;
  std::string out = "<table class=\"facts\">\n";
  out += FactRow("File", "<code>" + HtmlEscaped(path) + "</code>");
  out += FactRow("Title", HtmlText(chapter.title));
  out += FactRow("Lines", HtmlText(chapter.line1) + "<br/>" + HtmlText(chapter.line2));
  out += FactRow("Author", HtmlText(chapter.author));
  if (!chapter.date.empty()) out += FactRow("Date", HtmlText(chapter.date));
  std::string fitNote;
  if (chapter.fitLevel != recommended.fit) {
    fitNote = " (the chapter asks for fit " + std::to_string(chapter.fitLevel) +
              ", which the window does not offer; generation starts at 0)";
  }
  out += FactRow("Recommended options", "<code>" + HtmlEscaped(GenoptWords(recommended)) +
                                            "</code>" + HtmlEscaped(fitNote) +
                                            ", screening <code>VAL:" + std::to_string(chapter.valLevel) +
                                            "</code>");
  out += FactRow("Other options", "<code>" + HtmlEscaped(OtherOptions(chapter)) + "</code>");
  std::string samples = report.samplesKnown ? Grouped(report.sampleCount) : "not kept in a compiled chapter";
  if (report.samplesKnown && report.sampleCount > 0) {
    samples += ", " + Fixed(report.samples.MeanLength(), 2) + " letters long on average";
    const double expected = report.rows[report.recommendedRow].expectedMeanLength;
    if (std::fabs(expected - report.samples.MeanLength()) >= 0.005) {
      samples += "; as the templates put them together, names of " + Fixed(expected, 2) +
                 " letters are to be expected";
    }
  }
  out += FactRow("Sample names", samples);
  out += FactRow("Elements", Counted(chapter.vowelElementCount, "vowel element") + ", " +
                                 Counted(chapter.consonantElementCount, "consonant element"));
  out += FactRow("Templates", Grouped(chapter.templateCount));
  return out + "</table>\n";
}

std::string Verdict(const ChapterReport& report) {
  const Judgement& judgement = report.judgement;
  if (judgement.best < 0) {
    std::string out = "<div class=\"verdict none\"><p><strong>No setting meets the bounds.</strong> " +
                      HtmlText(judgement.reason) + "</p>";
    if (judgement.closest >= 0) {
      const SettingFigures& closest = report.rows[judgement.closest];
      out += "<p>Closest setting: <code>" + HtmlEscaped(GenoptWords(closest.setting)) +
             "</code>, which breaks " + HtmlEscaped(BoundNames(BrokenBounds(closest))) + ".</p>";
    }
    return out + "</div>\n";
  }
  const SettingFigures& best = report.rows[judgement.best];
  std::string out = "<div class=\"verdict\"><p><strong>Best setting: <code>" +
                    HtmlEscaped(GenoptWords(best.setting)) + "</code></strong>";
  out += judgement.best == report.recommendedRow ? " (the chapter's recommended options)."
                                                 : " (the chapter recommends <code>" +
                                                       HtmlEscaped(GenoptWords(
                                                           report.rows[report.recommendedRow].setting)) +
                                                       "</code>).";
  out += " Of " + Grouped(best.names) + " names, " + Grouped(best.distinctNew) +
         " are distinct new names; " + Percent(best.sampleCopies + best.nearCopies, best.names) +
         " are samples or near-copies and " + Percent(best.unseenPairs, best.names) +
         " hold an unseen letter pair. They are " + Fixed(best.meanLength, 2) +
         " letters long against the samples' " + Fixed(best.expectedMeanLength, 2) +
         ", with gaps of " + Fixed(best.lengthGap, 1) + " points in length, " +
         Fixed(best.initialGap, 1) + " in initial letters and " + Fixed(best.accentGap, 1) +
         " in accents.</p></div>\n";
  return out;
}

// A figure's cell, marked when the figure breaks its bound.
std::string Cell(const std::string& text, bool over) {
  return (over ? "<td class=\"over\">" : "<td>") + text + "</td>";
}

std::string FiguresTable(const ChapterReport& report) {
  const bool known = report.samplesKnown && report.sampleCount > 0;
  std::string out =
      "<table class=\"figures\">\n<thead><tr><th>Setting</th><th>Distinct</th><th>Distinct new</th>"
      "<th>Samples</th><th>Near-copies</th><th>Unseen pairs</th><th>Mean length<br/>(samples " +
      (known ? Fixed(report.rows[report.recommendedRow].expectedMeanLength, 2) : "&#8211;") +
      ")</th><th>Length gap</th><th>Initials gap</th><th>Accents gap</th><th>Breaks</th>"
      "<th>Names/s</th></tr></thead>\n<tbody>\n";
  for (int i = 0; i < static_cast<int>(report.rows.size()); ++i) {
    const SettingFigures& row = report.rows[i];
    const bool best = i == report.judgement.best;
    out += best ? "<tr class=\"best\">" : "<tr>";
    out += "<td class=\"setting\">" + HtmlEscaped(GenoptWords(row.setting));
    if (i == report.recommendedRow) out += "<span class=\"tag\">recommended</span>";
    if (best) out += "<span class=\"tag\">&#9733; best</span>";
    if (i == report.judgement.closest) out += "<span class=\"tag\">closest</span>";
    out += "</td><td>" + Grouped(row.distinct) + "</td>";
    if (row.compared) {
      const unsigned broken = BrokenBounds(row);
      const bool copies = Breaks(broken, Bound::Copies);
      out += "<td>" + Grouped(row.distinctNew) + "</td>";
      out += Cell(Percent(row.sampleCopies, row.names), copies);
      out += Cell(Percent(row.nearCopies, row.names), copies);
      out += Cell(Percent(row.unseenPairs, row.names), Breaks(broken, Bound::UnseenPairs));
      out += Cell(Fixed(row.meanLength, 2), Breaks(broken, Bound::MeanLength));
      out += Cell(Fixed(row.lengthGap, 1), Breaks(broken, Bound::Lengths));
      out += Cell(Fixed(row.initialGap, 1), Breaks(broken, Bound::Initials));
      out += Cell(Fixed(row.accentGap, 1), Breaks(broken, Bound::Accents));
      out += "<td class=\"breaks\">" + (broken == 0 ? std::string("none") : BoundNames(broken)) + "</td>";
    } else {
      out += "<td>&#8211;</td><td>&#8211;</td><td>&#8211;</td><td>&#8211;</td><td>" +
             Fixed(row.meanLength, 2) + "</td><td>&#8211;</td><td>&#8211;</td><td>&#8211;</td>"
             "<td>&#8211;</td>";
    }
    out += "<td>" + Grouped(static_cast<long long>(row.namesPerSecond + 0.5)) + "</td></tr>\n";
  }
  return out + "</tbody>\n</table>\n";
}

std::string Terms(const ChapterReport& report, const std::string& path) {
  const int shownRow = report.judgement.best >= 0      ? report.judgement.best
                       : report.judgement.closest >= 0 ? report.judgement.closest
                                                       : report.recommendedRow;
  const GenerationOptions& shown = report.rows[shownRow].setting;
  std::string out = "<dl class=\"terms\">\n";
  out += "<dt>Names</dt><dd>" + Grouped(report.namesPerSetting) +
         " per setting, made with the seed " + std::to_string(report.seed) +
         " from a freshly started generator, so each row can be repeated: <code>vaelgen -n " +
         std::to_string(report.namesPerSetting) + " --seed " + std::to_string(report.seed) + " " +
         VaelgenOptions(shown) + " " + HtmlEscaped(path) +
         "</code> prints the names of the row <code>" + HtmlEscaped(GenoptWords(shown)) +
         "</code>. Every row uses the chapter's screening level.</dd>\n";
  out += "<dt>Distinct, distinct new</dt><dd>Names that differ from every other name of the row; "
         "new ones are neither a sample nor a near-copy of one.</dd>\n";
  out += "<dt>Samples</dt><dd>Names equal to a sample name, ignoring case, with the sample spelled "
         "as the generator spells it (accents and vowel harmony included); every repeat counts.</dd>\n";
  out += "<dt>Near-copies</dt><dd>Names that differ from a sample but by no more than one edit (a "
         "letter inserted, removed or changed) per " + std::to_string(kLettersPerNearCopyEdit) +
         " letters of the longer of the two: one edit for names of 5 to 9 letters, two for 10 to "
         "14, and so on; names shorter than 5 letters are never near-copies.</dd>\n";
  out += "<dt>Unseen pairs</dt><dd>Names holding two neighbouring letters (not across a space or a "
         "hyphen) that stand together in no sample name. Letters are compared without the accents "
         "and vowel harmony of the chapter's PUNCT option, and the letters a template writes "
         "itself, with any letter beside them, count as seen.</dd>\n";
  out += "<dt>Mean length</dt><dd>Letters per name, not counting spaces and hyphens. The samples' "
         "figure is what the chapter's templates make of them: each template, as often as its weight "
         "says, fills each of its element groups with a part of a sample (a word between spaces and "
         "hyphens) and adds its own letters, such as Mac in front or -son behind. Where the templates "
         "are the samples' own shapes, that is the samples' own mean length.</dd>\n";
  out += "<dt>Length gap</dt><dd>How differently the lengths are spread, against the samples as "
         "the templates put them together: the largest difference, in percentage points, between "
         "the share of names of up to n letters and the samples' share, over every n. 40 % of the "
         "names at most 5 letters long against 50 % of the samples is a gap of 10.</dd>\n";
  out += "<dt>Initials gap</dt><dd>The share of names, in percentage points, whose first letter "
         "would have to change for the first letters to be shared out as in the samples: half the "
         "sum of the differences between the shares of each first letter. 3.5 % of the names "
         "starting with M against 15 % of the samples adds at least 11.5.</dd>\n";
  out += "<dt>Accents gap</dt><dd>The same over the number of accented letters in a name (none, "
         "one, two...): a letter with a mark, such as \xC3\xA9, \xC3\xB1 or \xC3\xB8, counts; letters of their "
         "own, such as \xC3\xA6 or \xC3\xBE, do not.</dd>\n";
  out += "<dt>Breaks</dt><dd>The bounds the row does not keep.</dd>\n";
  out += "<dt>Names/s</dt><dd>How fast this machine made the row's names; it varies from run to "
         "run, unlike the other figures.</dd>\n";
  out += "<dt>Best</dt><dd>Among the settings that keep every bound, the one with the most distinct "
         "new names; a tie goes to the lower fit level, then to the row higher up. The bounds: no "
         "more than " + std::to_string(kMaxCopyPercent) + " % samples and near-copies together "
         "(copies), no more than " + std::to_string(kMaxUnseenPairPercent) +
         " % unseen pairs, a mean length within " + Fixed(kMaxMeanLengthDrift, 1) +
         " letters of the samples' either way, and gaps of no more than " + Fixed(kMaxLengthGap, 0) +
         " points in length, " + Fixed(kMaxInitialGap, 0) + " in initials and " +
         Fixed(kMaxAccentGap, 0) + " in accents. Figures that break a bound are shown in red.</dd>\n";
  return out + "</dl>\n";
}

std::string Initial(unsigned char c) { return HtmlText(std::string(1, static_cast<char>(c))); }

std::string Charts(const ChapterReport& report) {
  const NameDistribution& samples = report.samples;
  const NameDistribution& generated = report.generated;
  std::string out;

  ChartData lengths;
  lengths.caption = "Name lengths";
  lengths.xLabel = "letters in the name";
  lengths.yLabel = "share of names (%)";
  lengths.samplesKnown = report.samplesKnown;
  std::set<int> lengthKeys;
  for (const auto& [length, names] : samples.lengths) lengthKeys.insert(length);
  for (const auto& [length, names] : generated.lengths) lengthKeys.insert(length);
  if (!lengthKeys.empty()) {
    const int lowest = *lengthKeys.begin();
    const int highest = std::min(*lengthKeys.rbegin(), lowest + kMostLengthBars - 1);
    for (int length = lowest; length <= highest; ++length) {
      const bool folded = length == highest && *lengthKeys.rbegin() > highest;
      long long inSamples = 0, inGenerated = 0;
      for (const auto& [key, names] : samples.lengths) {
        if (key == length || (folded && key > length)) inSamples += names;
      }
      for (const auto& [key, names] : generated.lengths) {
        if (key == length || (folded && key > length)) inGenerated += names;
      }
      lengths.categories.push_back(std::to_string(length) + (folded ? "+" : ""));
      lengths.samples.push_back(PercentOf(inSamples, samples.names));
      lengths.generated.push_back(PercentOf(inGenerated, generated.names));
    }
  }
  out += BarChart(lengths);

  ChartData initials;
  initials.caption = "Initial letters";
  initials.xLabel = "first letter of the name";
  initials.yLabel = "share of names (%)";
  initials.samplesKnown = report.samplesKnown;
  std::set<unsigned char> initialKeys;
  for (const auto& [c, names] : samples.initials) initialKeys.insert(c);
  for (const auto& [c, names] : generated.initials) initialKeys.insert(c);
  for (unsigned char c : initialKeys) {
    initials.categories.push_back(Initial(c));
    auto count = [c](const NameDistribution& d) {
      auto found = d.initials.find(c);
      return found == d.initials.end() ? 0 : found->second;
    };
    initials.samples.push_back(PercentOf(count(samples), samples.names));
    initials.generated.push_back(PercentOf(count(generated), generated.names));
  }
  out += BarChart(initials);

  // The pairs that matter most on either side: ranked by the larger share.
  auto share = [](const NameDistribution& d, const std::string& pair) {
    auto found = d.pairs.find(pair);
    return found == d.pairs.end() ? 0.0 : PercentOf(found->second, d.pairCount);
  };
  std::vector<std::pair<double, std::string>> ranked;
  std::set<std::string> pairKeys;
  for (const auto& [pair, count] : samples.pairs) pairKeys.insert(pair);
  for (const auto& [pair, count] : generated.pairs) pairKeys.insert(pair);
  for (const std::string& pair : pairKeys) {
    ranked.emplace_back(std::max(share(samples, pair), share(generated, pair)), pair);
  }
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  if (ranked.size() > static_cast<std::size_t>(kPairBars)) ranked.resize(kPairBars);
  ChartData pairs;
  pairs.caption = "The " + std::to_string(ranked.size()) + " most common letter pairs";
  pairs.xLabel = "letter pair";
  pairs.yLabel = "share of letter pairs (%)";
  pairs.samplesKnown = report.samplesKnown;
  for (const auto& [larger, pair] : ranked) {
    pairs.categories.push_back(HtmlText(pair));
    pairs.samples.push_back(share(samples, pair));
    pairs.generated.push_back(share(generated, pair));
  }
  out += BarChart(pairs);
  return out;
}

std::string ExampleList(const std::string& heading, const std::vector<std::string>& names) {
  std::string out = "<section><h3>" + heading + "</h3>\n<ol>\n";
  for (const std::string& name : names) out += "<li>" + HtmlText(name) + "</li>\n";
  return out + "</ol></section>\n";
}

std::string Examples(const ChapterReport& report) {
  const SettingFigures& recommended = report.rows[report.recommendedRow];
  std::string out = "<div class=\"examples\">\n";
  const int best = report.judgement.best;
  if (best >= 0 && best == report.recommendedRow) {
    out += ExampleList("Recommended options, also the best: <code>" +
                           HtmlEscaped(GenoptWords(recommended.setting)) + "</code>",
                       recommended.examples);
  } else {
    out += ExampleList("Recommended options: <code>" + HtmlEscaped(GenoptWords(recommended.setting)) +
                           "</code>",
                       recommended.examples);
    if (best >= 0) {
      out += ExampleList("Best setting: <code>" + HtmlEscaped(GenoptWords(report.rows[best].setting)) +
                             "</code>",
                         report.rows[best].examples);
    }
    const int closest = report.judgement.closest;
    if (closest >= 0 && closest != report.recommendedRow) {
      out += ExampleList("Closest setting: <code>" +
                             HtmlEscaped(GenoptWords(report.rows[closest].setting)) + "</code>",
                         report.rows[closest].examples);
    }
  }
  return out + "</div>\n";
}

std::string ElementsAndTemplates(const ChapterTables& chapter, const ChapterReport& report) {
  auto joined = [](const std::vector<std::string>& texts) {
    std::string out;
    for (const std::string& text : texts) out += (out.empty() ? "" : " ") + HtmlText(text);
    return out.empty() ? std::string("none") : out;
  };
  std::string out = "<p>Vowel elements (" + Grouped(chapter.vowelElementCount) +
                    "):</p>\n<p class=\"elements\">" + joined(report.vowelElements) + "</p>\n";
  out += "<p>Consonant elements (" + Grouped(chapter.consonantElementCount) +
         "):</p>\n<p class=\"elements\">" + joined(report.consonantElements) + "</p>\n";
  out += "<p>Templates (" + Grouped(chapter.templateCount) + "), with their weights:</p>\n";
  out += "<p class=\"elements\">";
  const std::size_t listed =
      std::min({kTemplatesListed, chapter.templates.size(), chapter.templateWeights.size()});
  for (std::size_t i = 0; i < listed; ++i) {
    out += (i == 0 ? "" : " &#183; ") + HtmlText(chapter.templates[i]) + ":" +
           std::to_string(chapter.templateWeights[i]);
  }
  if (chapter.templates.size() > listed) {
    out += " &#183; and " + Grouped(static_cast<long long>(chapter.templates.size() - listed)) + " more";
  }
  return out + "</p>\n";
}

}  // namespace

std::string ReportPage(const ChapterTables& chapter, const ChapterReport& report,
                       const std::string& chapterPath) {
  std::string out =
      "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\" xml:lang=\"en\">\n"
      "<head>\n<meta charset=\"utf-8\"/>\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"/>\n"
      "<title>Chapter report: " + HtmlText(chapter.title) + "</title>\n<style>" + kStyle +
      "</style>\n</head>\n<body>\n";
  out += "<h1>Chapter report: " + HtmlText(chapter.title) + "</h1>\n";
  out += "<p class=\"lines\">" + HtmlText(chapter.line1) + "<br/>" + HtmlText(chapter.line2) + "</p>\n";
  out += Facts(chapter, report, chapterPath);
  for (const std::string& note : report.notes) out += "<p class=\"note\">" + HtmlText(note) + "</p>\n";

  out += "<h2>Does it make names like its samples?</h2>\n";
  out += Verdict(report);
  out += FiguresTable(report);
  out += "<p>Each row: " + Grouped(report.namesPerSetting) + " names made with the seed " +
         std::to_string(report.seed) + "; the terms are explained at the end.</p>\n";

  out += "<h2>Samples and generated names</h2>\n<p>Generated names: the " +
         Grouped(report.generated.names) + " names of the recommended options.</p>\n";
  out += Charts(report);

  out += "<h2>Example names</h2>\n<p>The first " + std::to_string(kExampleNames) +
         " names of each run.</p>\n";
  out += Examples(report);

  out += "<h2>Elements and templates</h2>\n";
  out += ElementsAndTemplates(chapter, report);
  out += "<h2>How the figures are made</h2>\n";
  out += Terms(report, chapterPath);
  out += "<p class=\"lines\">Made by vaelgen --report (" + std::string(kProductVersion) + ").</p>\n</body>\n</html>\n";
  return out;
}

}  // namespace vael::cli
