// Many names at once, all through the one bulk loop MakeNames: a
// generator's run and GenerateNames repeat the driver on one state;
// GenerateNameBlocks splits a run into blocks, each started over with a
// seed of its own, that threads make side by side from the shared chapter.
#include <algorithm>
#include <atomic>
#include <cassert>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "core/SpeedTricks.h"
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

void MakeBlock(const Chapter& chapter, GenerationState& state, const GenerationOptions& options,
               const BlockRun& run, std::int64_t count, std::int64_t block,
               const NameFormat& format, BlockText& text) {
  text.bytes.clear();
  text.ends.clear();
  state.Restart(BlockSeed(run.seed, block));
  MakeNames(chapter, state, options, NamesInBlock(count, block), [&](std::string_view name) {
    format(text.bytes, name);
    text.ends.push_back(text.bytes.size());
    return true;
  });
}

// Blocks made by `threads` workers into a window of slots, handed to the
// calling thread in block order. A worker waits while its block would not
// fit the window, so memory stays flat however long the run.
class ParallelRun {
 public:
  ParallelRun(const Chapter& chapter, const GenerationOptions& options, std::int64_t count,
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
  // neighbouring blocks must not pass a line back and forth. Gain
  // (scripts/bench-compare --trick --wall SLOT_LINES, 1,000,000 names of the
  // 40 villages, --threads 2): none this 2-core machine could show, 371 ms
  // without and 375 ms with, each +-50 ms; a block's hand-over is rare.
  struct alignas(tricks::kSlotLines ? 64 : alignof(std::int64_t)) Slot {
    BlockText text;
    std::int64_t block = -1;  // the block it holds, -1 while free
  };

  void Work() {
    auto state = std::make_unique<GenerationState>();
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
      MakeBlock(chapter_, *state, options_, run_, count_, block, format_, text);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        std::swap(slot.text, text);
        slot.block = block;
      }
      changed_.notify_all();
    }
  }

  const Chapter& chapter_;
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

Generator::Generator(std::shared_ptr<const Chapter> chapter, std::uint32_t seed)
    : shared_(std::move(chapter)), chapter_(shared_.get()),
      state_(std::make_unique<GenerationState>()) {
  state_->Restart(seed);
}

Generator::Generator(const Chapter& chapter, std::uint32_t seed)
    : chapter_(&chapter), state_(std::make_unique<GenerationState>()) {
  state_->Restart(seed);
}

Generator::Generator(Generator&&) noexcept = default;
Generator& Generator::operator=(Generator&&) noexcept = default;
Generator::~Generator() = default;

void Generator::Restart(std::uint32_t seed) { state_->Restart(seed); }

std::string_view Generator::Next(const GenerationOptions& options, LogSink* log) {
  if (!chapter_->loaded) return {};
  return MakeName(*chapter_, *state_, options, log);
}

void Generator::Generate(const GenerationOptions& options, std::int64_t count,
                         const NameSink& sink) {
  if (!chapter_->loaded) return;
  MakeNames(*chapter_, *state_, options, count, sink);
}

std::string Generator::History(int age) const { return HistoryEntry(*state_, age); }

void GenerateNames(TVaelChapter& chapter, const GenerationOptions& options, std::int64_t count,
                   const NameSink& sink) {
  if (!chapter.loaded) return;
  assert(DerivedTablesAreCurrent(chapter) &&
         "tables changed by hand: call RebuildDerivedTables before generating");
  MakeNames(chapter, chapter, options, count, sink);
}

void GenerateNameBlocks(const Chapter& chapter, const GenerationOptions& options,
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
  // One thread: the same blocks, each name handed over as it is made.
  auto state = std::make_unique<GenerationState>();
  for (std::int64_t block = 0; block < BlockCount(count); ++block) {
    state->Restart(BlockSeed(run.seed, block));
    if (!MakeNames(chapter, *state, options, NamesInBlock(count, block), sink)) return;
  }
}

void GenerateNameBlocks(const Chapter& chapter, const GenerationOptions& options,
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
  BlockText text;
  for (std::int64_t block = 0; block < BlockCount(count); ++block) {
    MakeBlock(chapter, *state, options, run, count, block, format, text);
    if (!sink(text.bytes)) return;
  }
}

}  // namespace vael
