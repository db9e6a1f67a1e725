#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "core/chapter/CaseMapping.h"
#include "core/chapter/LetterClasses.h"
#include "core/generation/GenerationLog.h"
#include "core/generation/Generator.h"
#include "core/generation/RandomDraws.h"
#include "core/generation/StructureBuilder.h"
#include "core/screening/Accents.h"
#include "core/screening/CandidateChecks.h"

namespace vael {
namespace {

constexpr int kLargestType = kStructureTypes - 1;

// Failures (rejected pieces and history conflicts) that lower the val level
// by one.
constexpr int kFailuresPerValStep = 5;

// Bounds of the loops that ordinary chapters end long before. Each is far
// above what a fillable request needs, so it never changes such a name.
//  - template draws rejected for the initial letter before picking among
//    the templates that can begin with it;
constexpr int kTemplateDrawCap = 10000;
//  - builder failures in one element group before its initial letter is
//    given up: forty structures given up, so that structures that can
//    begin with the letter have had every chance to be drawn;
constexpr int kEmptyPiecesBeforeDroppingLetter = 40 * kStructureRetryCap;
//  - builder failures in one element group before the group is given up;
constexpr int kEmptyPiecesBeforeDroppingGroup = 4 * kEmptyPiecesBeforeDroppingLetter;
//  - rejected pieces before screening is switched off (a negative val level
//    never relaxes on its own).
constexpr int kRejectionsBeforeAcceptingAny = 1000;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// State of one GenerateName call that the helpers share.
struct NameRun {
  TVaelChapter& chapter;
  const GenerationOptions& options;
  GenerationLog& log;
  char initialLetter;
  int valLevel;
  int failures = 0;
  // Per element group of the template, in order: its initial letter was
  // given up, so a rebuilt name does not search for it again.
  std::vector<bool> groupDroppedLetter;
};

// The number formed by the digits at the start of a template, 63 at most;
// 0 when it begins with anything else.
int LeadingTypeNumber(std::string_view text) {
  int value = 0;
  for (char c : text) {
    if (!IsDigit(c)) break;
    value = std::min(value * 10 + (c - '0'), kLargestType + 1);
  }
  return std::min(value, kLargestType);
}

// One type number of an element group: when the next digit would take the
// value past 63, the number is 63 and that digit stays unread.
int ReadTypeNumber(std::string_view text, std::size_t& position) {
  int value = 0;
  while (position < text.size() && IsDigit(text[position])) {
    const int next = value * 10 + (text[position] - '0');
    if (next > kLargestType) return kLargestType;
    value = next;
    ++position;
  }
  return value;
}

// Whether the first element group of the template lists a type that begins
// with a consonant (an even type). A group written "3|2" may be drawn as
// type 2, so it can begin with a consonant although its first number is odd.
bool FirstGroupListsConsonantType(std::string_view text) {
  std::size_t position = 0;
  for (;;) {
    if (ReadTypeNumber(text, position) % 2 == 0) return true;
    if (position >= text.size() || text[position] != '|') return false;
    ++position;
  }
}

// The template's first structure type must be able to begin with the
// letter: an odd type begins with a vowel, an even one with a consonant.
// With Y:CON every Y of the samples is a consonant and the builder draws
// only consonant-first types for it, so a Y is judged as a consonant here
// too, and by every type its first group lists: judged by the first number
// alone, a chapter whose templates all start "3|2" could never begin a
// name with Y.
bool TemplateAcceptsLetter(std::string_view text, char letter, int yMode) {
  if (letter == '*' || (!text.empty() && text.front() == '#')) return true;
  if (letter == 'Y' && yMode == 1) return FirstGroupListsConsonantType(text);
  const bool vowelFirst = LeadingTypeNumber(text) % 2 == 1;
  return vowelFirst ? IsVowel(letter) : IsConsonant(letter);
}

int DrawTemplateIndex(TVaelChapter& chapter, int count) {
  const int drawn =
      WeightedDraw(chapter.random, std::span<const int>(chapter.templateWeights.data(), count));
  // Weights are kept as written; when they add up to nothing, all count alike.
  return drawn >= 0 ? drawn : static_cast<int>(RandomBelow(chapter.random, count));
}

// Template draw, bounded: gives the initial letter up (for the whole name) when no
// template can begin with it, and after kTemplateDrawCap misses picks among
// the templates that can.
std::string ChooseTemplate(NameRun& run, bool& droppedLetter) {
  TVaelChapter& chapter = run.chapter;
  const int count =
      std::min<int>({chapter.templateCount, static_cast<int>(chapter.templates.size()),
                     static_cast<int>(chapter.templateWeights.size())});
  droppedLetter = false;
  if (count <= 0) return "#";
  std::vector<int> acceptable(count, 0);
  bool anyAcceptable = false;
  for (int i = 0; i < count; ++i) {
    if (TemplateAcceptsLetter(chapter.templates[i], run.initialLetter, chapter.yMode)) {
      acceptable[i] = std::max(chapter.templateWeights[i], 0);
      anyAcceptable = true;
    }
  }
  if (!anyAcceptable) {
    droppedLetter = true;
    return chapter.templates[DrawTemplateIndex(chapter, count)];
  }
  for (int draw = 0; draw < kTemplateDrawCap; ++draw) {
    const int index = DrawTemplateIndex(chapter, count);
    if (TemplateAcceptsLetter(chapter.templates[index], run.initialLetter, chapter.yMode))
      return chapter.templates[index];
  }
  int index = WeightedDraw(chapter.random, acceptable);
  if (index < 0) {
    // Only templates of weight 0 or less can begin with the letter.
    std::vector<int> choices;
    for (int i = 0; i < count; ++i) {
      if (TemplateAcceptsLetter(chapter.templates[i], run.initialLetter, chapter.yMode))
        choices.push_back(i);
    }
    index = choices[RandomBelow(chapter.random, static_cast<int>(choices.size()))];
  }
  return chapter.templates[index];
}

// Fills allowedTypeWeights for the group at `position`
// and moves past it.
void PrepareAllowedTypes(TVaelChapter& chapter, std::string_view text, std::size_t& position) {
  chapter.allowedTypeWeights.fill(0);
  if (text[position] == '#') {
    chapter.allowedTypeWeights = chapter.structureTypeCounts;
    ++position;
  } else {
    for (;;) {
      const int type = ReadTypeNumber(text, position);
      chapter.allowedTypeWeights[type] = chapter.structureTypeCounts[type];
      if (position >= text.size() || text[position] != '|') break;
      ++position;
    }
  }
  long long lowerTypes = 0;
  for (int type = 0; type < kLargestType; ++type) lowerTypes += chapter.allowedTypeWeights[type];
  if (lowerTypes == 0) {
    std::copy_n(chapter.structureTypeCounts.begin(), kLargestType,
                chapter.allowedTypeWeights.begin());
  }
}

// Pieces until one passes screening. "" only when the builder
// could not fill any structure of this group at all.
std::string FillGroup(NameRun& run, int group) {
  const GenerationOptions& options = run.options;
  if (static_cast<int>(run.groupDroppedLetter.size()) <= group)
    run.groupDroppedLetter.resize(group + 1, false);
  char letter = run.groupDroppedLetter[group] ? '*' : run.initialLetter;
  int emptyPieces = 0;
  for (;;) {
    PieceRequest request;
    request.fit = options.fit;
    request.structural = options.structural;
    request.statistical = options.statistical;
    request.prefixes = options.prefixes;
    request.suffixes = options.suffixes;
    request.initialLetter = letter;
    request.log = options.log;
    std::string piece = BuildPiece(run.chapter, request);
    if (request.initialLetterDropped) {
      run.groupDroppedLetter[group] = true;
      letter = '*';
    }

    if (run.failures >= kFailuresPerValStep && run.valLevel > 0) {
      --run.valLevel;
      run.log.ValLevelChanged(run.valLevel);
      run.failures = 0;
    } else if (run.failures >= kRejectionsBeforeAcceptingAny && run.valLevel != 0) {
      run.valLevel = 0;
      run.log.ValLevelChanged(run.valLevel);
      run.failures = 0;
    }
    const std::string reason = CheckCandidate(run.chapter, piece, run.valLevel);
    if (!reason.empty()) {
      run.log.Rejected(reason);
      ++run.failures;
      continue;
    }
    if (!piece.empty()) return piece;

    ++emptyPieces;
    if (emptyPieces == kEmptyPiecesBeforeDroppingLetter && letter != '*') {
      run.log.Dropped("Initial letter");
      run.groupDroppedLetter[group] = true;
      letter = '*';
    }
    if (emptyPieces >= kEmptyPiecesBeforeDroppingGroup) {
      run.log.Dropped("Element group");
      return {};
    }
  }
}

// The name from one template, before the word pass.
std::string Assemble(NameRun& run, std::string_view text) {
  std::string name;
  int group = 0;
  std::size_t position = 0;
  while (position < text.size()) {
    const char c = text[position];
    if (c == '#' || IsDigit(c)) {
      PrepareAllowedTypes(run.chapter, text, position);
      name += FillGroup(run, group++);
      run.log.PieceAccepted();
    } else {
      // A literal that repeats the name's last letter is not doubled.
      if (name.empty() || name.back() != ToUpperChar(c)) name += c;
      ++position;
    }
  }
  return name;
}

// Accents and capitals per word, words split at ' ' and '_';
// then the underscores go.
void FinishWords(const TVaelChapter& chapter, std::string& name) {
  std::size_t start = 0;
  while (start <= name.size()) {
    std::size_t end = name.find_first_of(" _", start);
    if (end == std::string::npos) end = name.size();
    std::string word = name.substr(start, end - start);
    AccentWord(chapter, word);
    CapitaliseWord(chapter, word);
    name.replace(start, end - start, word);
    start += word.size() + 1;
  }
  std::erase(name, '_');
}

// History check: true when the name may stay.
bool PassesHistory(NameRun& run, const std::string& name) {
  const TVaelChapter& chapter = run.chapter;
  const int count = std::clamp(chapter.historyCount, 0, kHistorySize);
  for (int slot = 0; slot < count; ++slot) {
    if (chapter.history[slot] != name) continue;
    if (run.failures < kFailuresPerValStep) {
      ++run.failures;
      run.log.HistoryConflict();
      return false;
    }
    run.log.HistoryConflictIgnored();
    return true;
  }
  return true;
}

void Record(TVaelChapter& chapter, const std::string& name) {
  const int next = std::clamp(chapter.historyNext, 0, kHistorySize - 1);
  chapter.history[next] = name;
  if (chapter.historyCount < kHistorySize) ++chapter.historyCount;
  chapter.historyNext = (next + 1) % kHistorySize;
}

// Only a chapter whose tables can form no piece at all gets here: its name
// is the requested initial letter or the first initial of its samples.
std::string LastResortName(const TVaelChapter& chapter, char initialLetter) {
  if (initialLetter != '*') return std::string(1, initialLetter);
  if (!chapter.initialLetters.empty()) return chapter.initialLetters.substr(0, 1);
  return "?";
}

}  // namespace

std::string GenerateName(TVaelChapter& chapter, const GenerationOptions& options) {
  if (!chapter.loaded) return {};
  GenerationLog log(chapter.logFile, options.log);
  log.Create();

  NameRun run{chapter, options, log, options.initialLetter, options.val, 0, {}};
  bool droppedLetter = false;
  std::string text = ChooseTemplate(run, droppedLetter);
  log.TemplateLine(text);
  if (droppedLetter) {
    log.Dropped("Initial letter");
    run.initialLetter = '*';
  }

  std::string name;
  bool templateDropped = false;
  for (;;) {
    name = Assemble(run, text);
    FinishWords(chapter, name);
    if (name.empty()) {
      // A template of underscores alone, or groups that nothing could fill:
      // one group of any type stands in for the template.
      if (!templateDropped) {
        log.Dropped("Template");
        text = "#";
        templateDropped = true;
        run.groupDroppedLetter.clear();
        continue;
      }
      name = LastResortName(chapter, run.initialLetter);
      break;
    }
    if (PassesHistory(run, name)) break;
  }

  Record(chapter, name);
  log.FinalName(name);
  log.Close();
  return name;
}

std::string HistoryEntry(const TVaelChapter& chapter, int age) {
  if (age < 0 || age >= chapter.historyCount) return {};
  int slot = chapter.historyNext - age - 1;
  if (slot < 0) slot += chapter.historyCount;
  if (slot < 0 || slot >= kHistorySize) return {};
  return chapter.history[slot];
}

}  // namespace vael
