#pragma once
// Name generation. A Generator makes names from a loaded chapter, one after
// another, with a history of its own; any number of generators may share a
// chapter, one thread each. The window's chapter object (TVaelChapter)
// keeps one generator for GenerateName. Bulk runs make many names at once,
// on one thread or in blocks on several.
//
// The names of a seed never change. The same chapter, options and seed give
// the same names in every version and on every machine, through every
// interface: users repeat runs by their seed, and the test NameChecksums
// holds the names of every sample chapter under many option sets to stored
// checksums. Whatever is done below this header for speed or structure must
// keep every draw, the order of the draws and the random numbers each takes
// exactly as they are; if one name moves, that test fails.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "core/chapter/Chapter.h"
#include "core/generation/GenerationLog.h"
#include "core/generation/GenerationState.h"
#include "core/generation/TVaelChapter.h"

namespace vael {

// One request of the window or the command-line tool.
struct GenerationOptions {
  int fit = 0;  // 0..3
  int val = 0;  // screening level; the chapter's valLevel
  bool structural = false;
  bool statistical = false;
  bool prefixes = false;
  bool suffixes = false;
  char initialLetter = '*';  // '*' for any
  bool log = false;          // log this name, where a log sink is given
};

// Receives the names of a bulk run in order, each valid only during the
// call; returns false to end the run early.
using NameSink = std::function<bool(std::string_view name)>;

// Names from one chapter. The chapter must be loaded (a generator of a
// chapter that did not load makes empty names).
class Generator {
 public:
  // Shares the chapter, which lives as long as any generator holds it.
  Generator(std::shared_ptr<const Chapter> chapter, std::uint32_t seed);
  // The caller keeps the chapter alive for the generator's life.
  Generator(const Chapter& chapter, std::uint32_t seed);
  Generator(Generator&&) noexcept;
  Generator& operator=(Generator&&) noexcept;
  ~Generator();

  // Starts over as a fresh generator with this seed: the same names again.
  void Restart(std::uint32_t seed);

  // The next name, valid until the next call. With options.log and a sink
  // the name's decision log goes to the sink.
  std::string_view Next(const GenerationOptions& options, LogSink* log = nullptr);

  // `count` names into the sink, exactly as that many calls of Next would
  // make them (no log).
  void Generate(const GenerationOptions& options, std::int64_t count, const NameSink& sink);

  // The name made `age` names ago (0 = the last); empty when there is none.
  std::string History(int age) const;

  const Chapter& chapter() const { return *chapter_; }

 private:
  std::shared_ptr<const Chapter> shared_;
  const Chapter* chapter_;
  std::unique_ptr<GenerationState> state_;
};

// --- The window's chapter object and its generator ---

// A finished, non-empty name, recorded in the chapter's history; the empty
// string when the chapter is not loaded. With options.log the decision log
// is written to "!vel_log.txt" in the working folder.
std::string GenerateName(TVaelChapter& chapter, const GenerationOptions& options);

// The name generated `age` calls ago (0 = newest); empty when there is none.
std::string HistoryEntry(const GenerationState& state, int age);

// One candidate piece in capitals for the element group the caller prepared
// in allowedTypeWeights; empty when some position had no element.
std::string BuildCandidate(TVaelChapter& chapter, int fit, int val, bool structural,
                           bool statistical, bool prefixes, bool suffixes, char initialLetter,
                           bool log);

// `count` names (fewer if the sink ends the run) exactly as that many calls
// of GenerateName would make them, one after the other, history included.
// The request's log is ignored: a bulk run writes no log.
void GenerateNames(TVaelChapter& chapter, const GenerationOptions& options, std::int64_t count,
                   const NameSink& sink);

// --- Runs in blocks, on one thread or several ---

// How a run split into blocks is made.
struct BlockRun {
  std::uint32_t seed = 0;  // the run's seed; each block's generator is seeded from it
  int threads = 1;         // blocks made side by side
};

// Names in blocks of kNamesPerBlock: block b has its own generator, seeded
// from the run's seed and b, and its own history, so the names depend on
// the seed alone and not on the number of threads (they differ from what
// GenerateNames makes from the same seed). The chapter is only read. Names
// reach the sink in block order, on the calling thread.
inline constexpr int kNamesPerBlock = 4096;
void GenerateNameBlocks(const Chapter& chapter, const GenerationOptions& options,
                        std::int64_t count, const BlockRun& run, const NameSink& sink);

// Appends what the caller wants of one name (a line of output, say) to out.
// It runs on the threads that make the names, side by side, so it must not
// change anything outside out.
using NameFormat = std::function<void(std::string& out, std::string_view name)>;

// Receives a block run's text in block order, on the calling thread;
// returns false to end the run early.
using BlockTextSink = std::function<bool(std::string_view text)>;

// The same blocks, each handed over whole: every name of the block as
// `format` wrote it, one after the other. The calling thread only receives,
// which is what lets a run on several threads scale.
void GenerateNameBlocks(const Chapter& chapter, const GenerationOptions& options,
                        std::int64_t count, const BlockRun& run, const NameFormat& format,
                        const BlockTextSink& sink);

}  // namespace vael
