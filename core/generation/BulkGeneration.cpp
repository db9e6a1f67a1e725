// Many names at once: GenerateNames repeats the driver on the chapter's own
// state; GenerateNameBlocks splits a run into blocks that threads make side
// by side from the shared chapter tables.
#include <algorithm>
#include <atomic>
#include <cassert>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "core/generation/Generator.h"
#include "core/generation/NameDriver.h"

namespace vael {
namespace {

// The seed of block `block` of a run: the run's seed and the block number
// mixed (the finaliser of SplitMix64), so that neighbouring blocks and
// neighbouring run seeds give unrelated sequences.
std::uint32_t BlockSeed(std::uint32_t runSeed, std::int64_t block) {
  std::uint64_t x = (std::uint64_t{runSeed} << 32) ^ static_cast<std::uint64_t>(block);
  x += 0x9E3779B97F4A7C15ULL;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
  x ^= x >> 31;
  return static_cast<std::uint32_t>(x >> 32);
}

// A fresh generator for a block: empty history, a new structure next, the
// block's seed. The scratch storage is kept.
void StartBlock(GenerationState& state, std::uint32_t runSeed, std::int64_t block) {
  state.historyCount = 0;
  state.historyNext = 0;
  state.newStructure = true;
  state.retryCount = 0;
  SeedRandom(state, BlockSeed(runSeed, block));
}

std::int64_t NamesInBlock(std::int64_t count, std::int64_t block) {
  return std::min<std::int64_t>(kNamesPerBlock, count - block * kNamesPerBlock);
}

std::int64_t BlockCount(std::int64_t count) {
  return (count + kNamesPerBlock - 1) / kNamesPerBlock;
}

// One block's names as its format wrote them, and where each name ends.
struct BlockText {
  std::string bytes;
  std::vector<std::size_t> ends;
};

void MakeBlock(const TVaelChapter& chapter, GenerationState& state,
               const GenerationOptions& request, const BlockRun& run, std::int64_t count,
               std::int64_t block, const NameFormat& format, BlockText& text) {
  text.bytes.clear();
  text.ends.clear();
  StartBlock(state, run.seed, block);
  const std::int64_t names = NamesInBlock(count, block);
  for (std::int64_t i = 0; i < names; ++i) {
    format(text.bytes, MakeName(chapter, state, request));
    text.ends.push_back(text.bytes.size());
  }
}

// Blocks made by `threads` workers into a window of slots, handed to the
// calling thread in block order. A worker waits while its block would not
// fit the window, so memory stays flat however long the run.
class ParallelRun {
 public:
  ParallelRun(const TVaelChapter& chapter, const GenerationOptions& options, std::int64_t count,
              const BlockRun& run, const NameFormat& format)
      : chapter_(chapter), options_(options), count_(count), run_(run), format_(format),
        blocks_(BlockCount(count)),
        window_(static_cast<std::size_t>(run.threads) * 2) {
    slots_.resize(window_);
    for (int t = 0; t < run.threads; ++t) workers_.emplace_back([this] { Work(); });
  }

  ~ParallelRun() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    changed_.notify_all();
    for (std::thread& worker : workers_) worker.join();
  }

  // Hands every block to receive (a callable taking const BlockText& and
  // returning false to end the run).
  template <typename Receive>
  void Deliver(Receive receive) {
    for (std::int64_t block = 0; block < blocks_; ++block) {
      Slot& slot = slots_[block % window_];
      std::unique_lock<std::mutex> lock(mutex_);
      changed_.wait(lock, [&] { return slot.block == block; });
      lock.unlock();
      if (!receive(static_cast<const BlockText&>(slot.text))) return;
      lock.lock();
      slot.block = -1;
      delivered_ = block + 1;
      lock.unlock();
      changed_.notify_all();
    }
  }

 private:
  // Each slot has cache lines of its own: two workers handing over
  // neighbouring blocks must not pass a line back and forth.
  struct alignas(64) Slot {
    BlockText text;
    std::int64_t block = -1;  // the block it holds, -1 while free
  };

  void Work() {
    auto state = std::make_unique<GenerationState>();
    GenerationOptions request = options_;
    request.log = false;
    // Made in the worker's own text and swapped into the slot whole, so
    // the slot is touched once per block rather than once per name.
    BlockText text;
    for (;;) {
      const std::int64_t block = next_.fetch_add(1);
      if (block >= blocks_) return;
      Slot& slot = slots_[block % window_];
      {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] {
          return stop_ || block < delivered_ + static_cast<std::int64_t>(window_);
        });
        if (stop_) return;
      }
      MakeBlock(chapter_, *state, request, run_, count_, block, format_, text);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        std::swap(slot.text, text);
        slot.block = block;
      }
      changed_.notify_all();
    }
  }

  const TVaelChapter& chapter_;
  const GenerationOptions& options_;
  const std::int64_t count_;
  const BlockRun run_;
  const NameFormat& format_;
  const std::int64_t blocks_;
  const std::size_t window_;
  std::vector<Slot> slots_;
  std::atomic<std::int64_t> next_{0};
  std::mutex mutex_;
  std::condition_variable changed_;
  std::int64_t delivered_ = 0;
  bool stop_ = false;
  std::vector<std::thread> workers_;
};

// Never more threads than blocks.
BlockRun ClampedRun(BlockRun run, std::int64_t count) {
  run.threads = static_cast<int>(std::clamp<std::int64_t>(run.threads, 1, BlockCount(count)));
  return run;
}

void AppendName(std::string& out, std::string_view name) { out += name; }

}  // namespace

void GenerateNames(TVaelChapter& chapter, const GenerationOptions& options, std::int64_t count,
                   const NameSink& sink) {
  if (!chapter.loaded) return;
  assert(DerivedTablesAreCurrent(chapter) &&
         "tables changed by hand: call RebuildDerivedTables before generating");
  GenerationOptions request = options;
  request.log = false;
  for (std::int64_t i = 0; i < count; ++i) {
    if (!sink(MakeName(chapter, chapter, request))) return;
  }
}

void GenerateNameBlocks(const TVaelChapter& chapter, const GenerationOptions& options,
                        std::int64_t count, const BlockRun& run, const NameSink& sink) {
  if (!chapter.loaded || count <= 0) return;
  assert(DerivedTablesAreCurrent(chapter) &&
         "tables changed by hand: call RebuildDerivedTables before generating");
  const BlockRun clamped = ClampedRun(run, count);
  if (clamped.threads > 1) {
    const NameFormat plain = AppendName;
    ParallelRun parallel(chapter, options, count, clamped, plain);
    parallel.Deliver([&](const BlockText& text) {
      std::size_t start = 0;
      for (std::size_t end : text.ends) {
        if (!sink(std::string_view(text.bytes).substr(start, end - start))) return false;
        start = end;
      }
      return true;
    });
    return;
  }
  // One thread: the same blocks, made and delivered one name at a time.
  auto state = std::make_unique<GenerationState>();
  GenerationOptions request = options;
  request.log = false;
  for (std::int64_t block = 0; block < BlockCount(count); ++block) {
    StartBlock(*state, run.seed, block);
    const std::int64_t names = NamesInBlock(count, block);
    for (std::int64_t i = 0; i < names; ++i) {
      if (!sink(MakeName(chapter, *state, request))) return;
    }
  }
}

void GenerateNameBlocks(const TVaelChapter& chapter, const GenerationOptions& options,
                        std::int64_t count, const BlockRun& run, const NameFormat& format,
                        const BlockTextSink& sink) {
  if (!chapter.loaded || count <= 0) return;
  assert(DerivedTablesAreCurrent(chapter) &&
         "tables changed by hand: call RebuildDerivedTables before generating");
  const BlockRun clamped = ClampedRun(run, count);
  if (clamped.threads > 1) {
    ParallelRun parallel(chapter, options, count, clamped, format);
    parallel.Deliver([&](const BlockText& text) { return sink(text.bytes); });
    return;
  }
  auto state = std::make_unique<GenerationState>();
  GenerationOptions request = options;
  request.log = false;
  BlockText text;
  for (std::int64_t block = 0; block < BlockCount(count); ++block) {
    MakeBlock(chapter, *state, request, run, count, block, format, text);
    if (!sink(text.bytes)) return;
  }
}

}  // namespace vael
