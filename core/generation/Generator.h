#pragma once
// Name generation: the driver (GenerateName), bulk runs (GenerateNames), the
// structure builder (BuildCandidate) and the random draws they share.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/chapter/TVaelChapter.h"

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
  bool log = false;          // write "!vel_log.txt" for this name
};

// A finished, non-empty name, recorded in the chapter's history; the empty
// string when the chapter is not loaded.
std::string GenerateName(TVaelChapter& chapter, const GenerationOptions& options);

// The name generated `age` calls ago (0 = newest); empty when there is none.
std::string HistoryEntry(const TVaelChapter& chapter, int age);

// One candidate piece in capitals for the element group the caller prepared
// in allowedTypeWeights; empty when some position had no element.
std::string BuildCandidate(TVaelChapter& chapter, int fit, int val, bool structural,
                           bool statistical, bool prefixes, bool suffixes, char initialLetter,
                           bool log);

// Seeds a generator and marks it seeded, so a run can be repeated.
void SeedRandom(GenerationState& state, std::uint32_t seed);

// Receives the names of a bulk run in order, each valid only during the
// call; returns false to end the run early.
using NameSink = std::function<bool(std::string_view name)>;

// `count` names (fewer if the sink ends the run) exactly as that many calls
// of GenerateName would make them, one after the other, history included.
// The request's log is ignored: a bulk run writes no log.
void GenerateNames(TVaelChapter& chapter, const GenerationOptions& options, std::int64_t count,
                   const NameSink& sink);

// How a run split into blocks is made.
struct BlockRun {
  std::uint32_t seed = 0;  // the run's seed; each block's generator is seeded from it
  int threads = 1;         // blocks made side by side
};

// Names in blocks of kNamesPerBlock: block b has its own generator, seeded
// from the run's seed and b, and its own history, so the names depend on
// the seed alone and not on the number of threads (they differ from what
// GenerateNames makes from the same seed). The chapter's tables are shared
// and its own generator state is left alone. Names reach the sink in block
// order, on the calling thread.
inline constexpr int kNamesPerBlock = 4096;
void GenerateNameBlocks(const TVaelChapter& chapter, const GenerationOptions& options,
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
void GenerateNameBlocks(const TVaelChapter& chapter, const GenerationOptions& options,
                        std::int64_t count, const BlockRun& run, const NameFormat& format,
                        const BlockTextSink& sink);

}  // namespace vael
