#include "core/generation/NameDriver.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/SpeedTricks.h"
#include "core/chapter/CaseMapping.h"
#include "core/chapter/DerivedTemplates.h"
#include "core/chapter/TextHash.h"
#include "core/generation/GenerationLog.h"
#include "core/generation/StructureBuilder.h"
#include "core/screening/Accents.h"
#include "core/screening/CandidateChecks.h"
#include "core/random/WeightedDraw.h"

namespace vael {
namespace {

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

// State of one name that the helpers share.
struct NameRun {
  const Chapter& chapter;
  GenerationState& state;
  const GenerationOptions& options;
  GenerationLog& log;
  char initialLetter;
  int valLevel;
  int failures = 0;
};

int DrawTemplateIndex(const DerivedTables& derived, MersenneTwister32& random) {
  const int drawn = derived.templateDraw.Draw(random);
  // Weights are kept as written; when they add up to nothing, all count alike.
  return drawn >= 0 ? drawn : static_cast<int>(RandomBelow(random, derived.templateCount));
}

// Template draw, bounded: gives the initial letter up (for the whole name)
// when no template can begin with it, and after kTemplateDrawCap misses
// picks among the templates that can. The index of a chapter template, or
// templateCount for the stand-in "#" of a chapter without any.
int ChooseTemplate(NameRun& run, bool& droppedLetter) {
  const DerivedTables& derived = run.chapter.derived;
  const int count = derived.templateCount;
  const int yMode = run.chapter.yMode;
  MersenneTwister32& random = run.state.random;
  droppedLetter = false;
  if (count <= 0) return count;
  if (!AnyTemplateAcceptsLetter(derived, run.initialLetter, yMode)) {
    droppedLetter = true;
    return DrawTemplateIndex(derived, random);
  }
  const auto accepts = [&](int i) {
    return TemplateAcceptsLetter(derived.templates[i], run.initialLetter, yMode);
  };
  for (int draw = 0; draw < kTemplateDrawCap; ++draw) {
    const int index = DrawTemplateIndex(derived, random);
    if (accepts(index)) return index;
  }
  const std::vector<int>& weights = run.chapter.templateWeights;
  int index = WalkWeights(random, count, [&](int i) { return accepts(i) ? std::max(weights[i], 0) : 0; });
  if (index < 0) {
    // Only templates of weight 0 or less can begin with the letter.
    std::vector<int> choices;
    for (int i = 0; i < count; ++i) {
      if (accepts(i)) choices.push_back(i);
    }
    index = choices[RandomBelow(random, static_cast<int>(choices.size()))];
  }
  return index;
}

std::string_view TemplateText(const Chapter& chapter, int index) {
  return index < chapter.derived.templateCount ? std::string_view(chapter.templates[index]) : "#";
}

// Pieces until one passes screening; "" only when the builder could not
// fill any structure of this group at all.
std::string_view FillGroup(NameRun& run, int group) {
  const GenerationOptions& options = run.options;
  std::vector<std::uint8_t>& dropped = run.state.groupDroppedLetter;
  while (static_cast<int>(dropped.size()) <= group) dropped.push_back(0);
  char letter = dropped[group] ? '*' : run.initialLetter;
  int emptyPieces = 0;
  for (;;) {
    PieceRequest request{options, letter};
    const std::string& piece = BuildPiece(run.chapter, run.state, request);
    if (request.initialLetterDropped) {
      dropped[group] = 1;
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
    const Screening screening = run.state.screened.Screen(run.chapter, piece, run.valLevel);
    if (!screening.accepted()) {
      if (run.log.enabled()) run.log.Rejected(ReasonToken(screening));
      ++run.failures;
      continue;
    }
    if (!piece.empty()) return piece;

    ++emptyPieces;
    if (emptyPieces == kEmptyPiecesBeforeDroppingLetter && letter != '*') {
      run.log.Dropped("Initial letter");
      dropped[group] = 1;
      letter = '*';
    }
    if (emptyPieces >= kEmptyPiecesBeforeDroppingGroup) {
      run.log.Dropped("Element group");
      return {};
    }
  }
}

// The name from one template, before the word pass.
void Assemble(NameRun& run, int templateIndex, std::string& name) {
  const DerivedTables& derived = run.chapter.derived;
  const TemplateFacts& facts = derived.templates[templateIndex];
  name.clear();
  int group = 0;
  for (int s = facts.firstStep; s < facts.firstStep + facts.stepCount; ++s) {
    const TemplateStep& step = derived.steps[s];
    if (step.group >= 0) {
      // The group's allowed type weights, read once with the template.
      const TypeChoice& choice = derived.groups[step.group];
      run.state.allowedTypeWeights = choice.weights;
      run.state.typeChoice = &choice;
      name += FillGroup(run, group++);
      if (run.log.enabled()) run.log.PieceAccepted();
    } else if (name.empty() || name.back() != ToUpperChar(step.literal)) {
      // A literal that repeats the name's last letter is not doubled.
      name += step.literal;
    }
  }
}

}  // namespace

namespace {

// Where the word starting at `start` ends: at a space, an underscore or the
// end of the text. The terminating NUL of a std::string stops the scan
// without a bounds test per byte; a NUL inside the name is only passed over.
std::size_t WordEnd(const std::string& text, std::size_t start) {
  static constexpr std::array<bool, 256> kStops = [] {
    std::array<bool, 256> stops{};
    stops[' '] = stops['_'] = stops['\0'] = true;
    return stops;
  }();
  const char* const bytes = text.c_str();
  std::size_t end = start;
  for (;;) {
    while (!kStops[static_cast<unsigned char>(bytes[end])]) ++end;
    if (bytes[end] != '\0' || end == text.size()) return end;
    ++end;
  }
}

}  // namespace

void FinishWords(const ChapterTables& chapter, GenerationState& state) {
  std::string& name = state.name;
  const std::size_t size = name.size();
  if (!AccentsChangeWords(chapter)) {
    // Most chapters write no accents: the words keep their length, so they
    // are capitalised where they stand and the underscores go afterwards.
    bool underscores = false;
    for (std::size_t start = 0;;) {
      const std::size_t end = WordEnd(name, start);
      CapitaliseLetters(name.data() + start, end - start);
      if (end == size) break;
      underscores |= name[end] == '_';
      start = end + 1;
    }
    if (underscores) std::erase(name, '_');
    return;
  }
  std::string& word = state.word;
  std::string& out = state.words;
  out.clear();
  for (std::size_t start = 0;;) {
    const std::size_t end = WordEnd(name, start);
    word.assign(name, start, end - start);
    AccentWord(chapter, word);
    CapitaliseWord(chapter, word);
    out += word;
    if (end == size) break;
    if (name[end] == ' ') out += ' ';
    start = end + 1;
  }
  name.swap(out);
}

namespace {

// Gain (scripts/bench-compare --trick TEXT_HASH; instructions per name, 40
// villages, own / all options / -i K): 5,331 / 16,564 / 19,904 without,
// 5,325 / 16,526 / 19,775 with.
std::uint64_t HashOf(std::string_view name) {
  if constexpr (!tricks::kTextHash) return std::hash<std::string_view>{}(name);
  return TextHash(name);
}

std::size_t BucketOf(std::uint64_t hash) {
  return static_cast<std::size_t>(hash % GenerationState::kHistoryBuckets);
}

// The slots below `count`, as a bucket marks them.
GenerationState::HistorySlots SlotsBelow(int count) {
  const auto below = [](int n) {
    return n <= 0 ? 0 : n >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << n) - 1;
  };
  return {below(count), below(count - 64)};
}

// The same name in a history slot: true when the name may stay all the same.
bool AcceptConflict(NameRun& run) {
  if (run.failures < kFailuresPerValStep) {
    ++run.failures;
    run.log.HistoryConflict();
    return false;
  }
  run.log.HistoryConflictIgnored();
  return true;
}

// History check: true when the name may stay. Only a slot whose hash
// agrees can hold the same name, and the bucket of the hash lists them.
// Gain (scripts/bench-compare --trick HISTORY_INDEX; instructions per name, 40
// villages, own / all options / -i K): 5,828 / 17,293 / 20,958 without,
// 5,333 / 16,564 / 19,916 with.
bool PassesHistory(NameRun& run, std::string_view name, std::uint64_t hash) {
  const GenerationState& state = run.state;
  const int count = std::clamp(state.historyCount, 0, kHistorySize);
  if constexpr (!tricks::kHistoryIndex) {
    for (int slot = 0; slot < count; ++slot) {
      if (state.historyHashes[slot] == hash && state.history[slot] == name)
        return AcceptConflict(run);
    }
    return true;
  }
  const GenerationState::HistorySlots& bucket = state.historyBuckets[BucketOf(hash)];
  const GenerationState::HistorySlots counted = SlotsBelow(count);
  for (std::size_t w = 0; w < bucket.size(); ++w) {
    for (std::uint64_t bits = bucket[w] & counted[w]; bits != 0; bits &= bits - 1) {
      const std::size_t slot = w * 64 + static_cast<std::size_t>(std::countr_zero(bits));
      if (state.historyHashes[slot] == hash && state.history[slot] == name)
        return AcceptConflict(run);
    }
  }
  return true;
}

void Record(GenerationState& state, std::string_view name, std::uint64_t hash) {
  const int next = std::clamp(state.historyNext, 0, kHistorySize - 1);
  const auto mark = [&](std::uint64_t of) -> std::uint64_t& {
    return state.historyBuckets[BucketOf(of)][static_cast<std::size_t>(next) / 64];
  };
  const std::uint64_t bit = std::uint64_t{1} << (next % 64);
  // Cleared history (a load, a new block) leaves the buckets of the old
  // names behind; they go with the first name recorded.
  if (state.historyCount <= 0) state.historyBuckets.fill({});
  // A slot counted in the history is overwritten: its old name leaves.
  if (next < state.historyCount) mark(state.historyHashes[next]) &= ~bit;
  mark(hash) |= bit;
  state.history[next] = name;
  state.historyHashes[next] = hash;
  if (state.historyCount < kHistorySize) ++state.historyCount;
  state.historyNext = (next + 1) % kHistorySize;
}

// Only a chapter whose tables can form no piece at all gets here: its name
// is the requested initial letter or the first initial of its samples.
std::string LastResortName(const ChapterTables& chapter, char initialLetter) {
  if (initialLetter != '*') return std::string(1, initialLetter);
  if (!chapter.initialLetters.empty()) return chapter.initialLetters.substr(0, 1);
  return "?";
}

}  // namespace

std::string_view MakeName(const Chapter& chapter, GenerationState& state,
                          const GenerationOptions& options, LogSink* logSink) {
  state.logSink = options.log ? logSink : nullptr;
  GenerationLog log(state.logSink, options.log);
  log.Create();

  NameRun run{chapter, state, options, log, options.initialLetter, options.val, 0};
  state.screened.UseTables(chapter.derived.serial);
  state.groupDroppedLetter.clear();
  bool droppedLetter = false;
  int templateIndex = ChooseTemplate(run, droppedLetter);
  log.TemplateLine(TemplateText(chapter, templateIndex));
  if (droppedLetter) {
    log.Dropped("Initial letter");
    run.initialLetter = '*';
  }

  std::string& name = state.name;
  std::uint64_t hash = 0;
  bool templateDropped = false;
  for (;;) {
    Assemble(run, templateIndex, name);
    FinishWords(chapter, state);
    if (name.empty()) {
      // A template of underscores alone, or groups that nothing could fill:
      // one group of any type stands in for the template.
      if (!templateDropped) {
        log.Dropped("Template");
        templateIndex = chapter.derived.templateCount;
        templateDropped = true;
        state.groupDroppedLetter.clear();
        continue;
      }
      name = LastResortName(chapter, run.initialLetter);
      hash = HashOf(name);
      break;
    }
    hash = HashOf(name);
    if (PassesHistory(run, name, hash)) break;
  }

  Record(state, name, hash);
  log.FinalName(name);
  state.logWritten = log.Close();
  state.logSink = nullptr;
  return name;
}

std::string GenerateName(TVaelChapter& chapter, const GenerationOptions& options) {
  if (!chapter.loaded) return {};
  assert(DerivedTablesAreCurrent(chapter) &&
         "tables changed by hand: call RebuildDerivedTables before generating");
  return std::string(MakeName(chapter, chapter, options, &chapter.logFile));
}

std::string HistoryEntry(const GenerationState& state, int age) {
  if (age < 0 || age >= state.historyCount) return {};
  int slot = state.historyNext - age - 1;
  if (slot < 0) slot += state.historyCount;
  if (slot < 0 || slot >= kHistorySize) return {};
  return state.history[slot];
}

}  // namespace vael
