#include "cli/FiguresText.h"

#include "cli/HtmlText.h"

namespace vael::cli {
namespace {

std::string Line(const std::string& name, const std::string& value) { return name + ": " + value + "\n"; }

// "230 (1.15 %)".
std::string CountAndShare(long long count, long long names) {
  return std::to_string(count) + " (" + Fixed(PercentOf(count, names), 2) + " %)";
}

}  // namespace

std::string FiguresText(const std::string& chapterPath, const SettingFigures& figures,
                        const SampleComparison* comparison) {
  std::string text = Line("chapter", chapterPath);
  text += Line("setting", GenoptWords(figures.setting) + " VAL:" + std::to_string(figures.setting.val));
  text += Line("samples", comparison != nullptr ? std::to_string(comparison->Spellings().size())
                                                : "not kept in a compiled chapter");
  text += Line("names", std::to_string(figures.names));
  text += Line("distinct", std::to_string(figures.distinct));
  if (comparison != nullptr) {
    text += Line("distinct new", std::to_string(figures.distinctNew));
    text += Line("sample copies", CountAndShare(figures.sampleCopies, figures.names));
    text += Line("near-copies", CountAndShare(figures.nearCopies, figures.names));
    text += Line("unseen pairs", CountAndShare(figures.unseenPairs, figures.names));
  }
  text += Line("mean length", Fixed(figures.meanLength, 2));
  if (comparison == nullptr) return text;
  NameDistribution samples;
  for (const std::string& spelled : comparison->Spellings()) samples.Add(spelled);
  text += Line("samples' mean length", Fixed(samples.MeanLength(), 2));
  text += Line("expected mean length", Fixed(figures.expectedMeanLength, 2));
  text += Line("length gap", Fixed(figures.lengthGap, 1));
  text += Line("initials gap", Fixed(figures.initialGap, 1));
  text += Line("accents gap", Fixed(figures.accentGap, 1));
  const unsigned broken = BrokenBounds(figures);
  text += Line("breaks", broken == 0 ? "none" : BoundNames(broken));
  return text;
}

}  // namespace vael::cli
