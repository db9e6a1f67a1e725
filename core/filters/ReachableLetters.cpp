#include "core/filters/ReachableLetters.h"

#include "core/analysis/TemplateRuns.h"
#include "core/chapter/ChapterLimits.h"
#include "core/chapter/ElementLookup.h"
#include "core/filters/FoldedText.h"
#include "core/filters/TextFilters.h"

namespace vael {
namespace {

// The punctuation bit of vowel harmony. The accents the spelling writes
// keep each letter under the collation rule (Á is A, Ë is E, AA becomes
// Á); only harmony swaps letters, U with Y.
constexpr int kHarmonyBit = 4;

using Weights = std::bitset<ReachableLetters::kWeights>;

void Add(Weights& set, std::uint16_t weight) {
  if (weight < set.size()) set.set(weight);
}

void AddAll(Weights& set, const FoldedText& folded) {
  for (std::uint16_t weight : folded) Add(set, weight);
}

bool Holds(const Weights& set, std::uint16_t weight) { return weight < set.size() && set.test(weight); }

void SwapUAndY(Weights& set) {
  const std::uint16_t u = Folded("U").front(), y = Folded("Y").front();
  if (Holds(set, u) || Holds(set, y)) {
    Add(set, u);
    Add(set, y);
  }
}

// A character as the options wrote it, for a message.
std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// The first character of text whose letters are not all in the set; npos
// when there is none.
std::size_t FirstUnreachable(std::string_view text, const Weights& set) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    for (std::uint16_t weight : Folded(text.substr(i, 1))) {
      if (!Holds(set, weight)) return i;
    }
  }
  return std::string_view::npos;
}

// Whether one folded text is the beginning (or end) of the other, so that
// a name can begin (or end) with both.
bool Compatible(const FoldedText& a, const FoldedText& b, bool atEnd) {
  const FoldedText& shorter = a.size() <= b.size() ? a : b;
  const FoldedText& longer = a.size() <= b.size() ? b : a;
  return atEnd ? FoldedEndsWith(longer, shorter) : FoldedStartsWith(longer, shorter);
}

// The name the generator gives when a chapter's tables can form no piece
// at all: the run's initial letter, else the samples' first.
std::string LastResortName(const ChapterTables& chapter, char initialLetter) {
  if (initialLetter != '*') return std::string(1, initialLetter);
  if (!chapter.initialLetters.empty()) return chapter.initialLetters.substr(0, 1);
  return "?";
}

std::string Contradiction(const FilterOptions& options) {
  if (options.minLength > 0 && options.maxLength > 0 && options.minLength > options.maxLength) {
    return "no name can have at least " + std::to_string(options.minLength) + " letters and at most " +
           std::to_string(options.maxLength);
  }
  for (bool atEnd : {false, true}) {
    const std::vector<std::string>& texts = atEnd ? options.endsWith : options.startsWith;
    for (std::size_t i = 0; i < texts.size(); ++i) {
      for (std::size_t j = i + 1; j < texts.size(); ++j) {
        if (!Compatible(Folded(texts[i]), Folded(texts[j]), atEnd)) {
          return std::string("no name can ") + (atEnd ? "end" : "begin") + " with both " + Quoted(texts[i]) +
                 " and " + Quoted(texts[j]);
        }
      }
    }
  }
  for (const std::string& excluded : options.excludes) {
    const FoldedText left = Folded(excluded);
    for (const auto* texts : {&options.startsWith, &options.endsWith, &options.contains}) {
      for (const std::string& wanted : *texts) {
        if (FoldedContains(Folded(wanted), left)) {
          return "every name asked for holds " + Quoted(wanted) + ", and so " + Quoted(excluded) +
                 ", which is left out";
        }
      }
    }
  }
  return {};
}

}  // namespace

ReachableLetters LettersOfNames(const ChapterTables& chapter) {
  ReachableLetters letters;
  const int lastSlot = chapter.maxElements - 1;
  const bool lastSlotKnown = lastSlot >= 0 && lastSlot < kPositionSlots;
  auto addElement = [&](int code) {
    const FoldedText folded = Folded(FinishedText(chapter, ElementText(chapter, code)));
    if (folded.empty()) return;
    AddAll(letters.anywhere, folded);
    // A piece begins with a letter group counted first in a part of a
    // sample, and ends with one counted last there.
    if (PositionCount(chapter, code, 0) > 0) Add(letters.first, folded.front());
    if (!lastSlotKnown || PositionCount(chapter, code, lastSlot) > 0) Add(letters.last, folded.back());
  };
  for (int k = 0; k < chapter.vowelElementCount; ++k) addElement(k);
  for (int k = 0; k < chapter.consonantElementCount; ++k) addElement(kFirstConsonantCode + k);

  // What a template writes may stand anywhere, first or last included.
  auto addEverywhere = [&](std::string_view text) {
    const FoldedText folded = Folded(text);
    AddAll(letters.anywhere, folded);
    AddAll(letters.first, folded);
    AddAll(letters.last, folded);
  };
  for (int t = 0; t < chapter.templateCount && t < static_cast<int>(chapter.templates.size()); ++t) {
    for (const TemplateRun& run : TemplateRuns(chapter.templates[t])) {
      if (run.group) continue;
      for (char c : run.text) {
        if (c != '_') addEverywhere(std::string_view(&c, 1));
      }
    }
  }

  if (chapter.punctLevel & kHarmonyBit) {
    SwapUAndY(letters.anywhere);
    SwapUAndY(letters.first);
    SwapUAndY(letters.last);
  }
  return letters;
}

std::string ImpossibleFilters(const ChapterTables& chapter, const FilterOptions& options,
                              char initialLetter) {
  if (std::string contradiction = Contradiction(options); !contradiction.empty()) return contradiction;
  const bool anyText = !options.startsWith.empty() || !options.endsWith.empty() || !options.contains.empty();
  if (!anyText) return {};
  // The generator's last resort never comes from the tables, so it is
  // held against the texts whole.
  if (TextFilters(options).Meets(LastResortName(chapter, initialLetter))) return {};
  const ReachableLetters letters = LettersOfNames(chapter);
  for (const auto* texts : {&options.startsWith, &options.endsWith, &options.contains}) {
    for (const std::string& text : *texts) {
      if (std::size_t at = FirstUnreachable(text, letters.anywhere); at != std::string::npos) {
        return "no name of this chapter can hold " + Quoted(text.substr(at, 1)) +
               ": no letter group of its samples and no template has it";
      }
    }
  }
  for (const std::string& text : options.startsWith) {
    const FoldedText folded = Folded(text);
    if (!folded.empty() && !Holds(letters.first, folded.front())) {
      return "no name of this chapter can begin with " + Quoted(text.substr(0, 1)) +
             ": no letter group that begins a sample name or its parts, and no template, begins with it";
    }
  }
  for (const std::string& text : options.endsWith) {
    const FoldedText folded = Folded(text);
    if (!folded.empty() && !Holds(letters.last, folded.back())) {
      return "no name of this chapter can end with " + Quoted(text.substr(text.size() - 1)) +
             ": no letter group that ends a sample name or its parts, and no template, ends with it";
    }
  }
  return {};
}

}  // namespace vael
