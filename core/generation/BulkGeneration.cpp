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

// One block's names, made by a worker and handed to the calling thread.
struct BlockBuffer {
  std::string bytes;               // the names, one after the other
  std::vector<std::size_t> ends;   // where each name ends in bytes
  std::int64_t block = -1;         // the block it holds, -1 while free
};

// Blocks made by `threads` workers into a window of buffers, handed to the
// sink in block order. A worker waits while its block would not fit the
// window, so memory stays flat however long the run.
class ParallelRun {
 public:
  ParallelRun(const TVaelChapter& chapter, const GenerationOptions& options, std::int64_t count,
              const BlockRun& run, int threads)
      : chapter_(chapter), options_(options), count_(count), run_(run),
        blocks_((count + kNamesPerBlock - 1) / kNamesPerBlock),
        window_(static_cast<std::size_t>(threads) * 2) {
    buffers_.resize(window_);
    for (int t = 0; t < threads; ++t) workers_.emplace_back([this] { Work(); });
  }

  ~ParallelRun() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    changed_.notify_all();
    for (std::thread& worker : workers_) worker.join();
  }

  void Deliver(const NameSink& sink) {
    for (std::int64_t block = 0; block < blocks_; ++block) {
      BlockBuffer& buffer = buffers_[block % window_];
      std::unique_lock<std::mutex> lock(mutex_);
      changed_.wait(lock, [&] { return buffer.block == block; });
      lock.unlock();
      std::size_t start = 0;
      for (std::size_t end : buffer.ends) {
        if (!sink(std::string_view(buffer.bytes).substr(start, end - start))) return;
        start = end;
      }
      lock.lock();
      buffer.block = -1;
      delivered_ = block + 1;
      lock.unlock();
      changed_.notify_all();
    }
  }

 private:
  void Work() {
    auto state = std::make_unique<GenerationState>();
    GenerationOptions request = options_;
    request.log = false;
    for (;;) {
      const std::int64_t block = next_.fetch_add(1);
      if (block >= blocks_) return;
      BlockBuffer& buffer = buffers_[block % window_];
      {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] {
          return stop_ || block < delivered_ + static_cast<std::int64_t>(window_);
        });
        if (stop_) return;
      }
      buffer.bytes.clear();
      buffer.ends.clear();
      StartBlock(*state, run_.seed, block);
      const std::int64_t names = NamesInBlock(count_, block);
      for (std::int64_t i = 0; i < names; ++i) {
        buffer.bytes += MakeName(chapter_, *state, request);
        buffer.ends.push_back(buffer.bytes.size());
      }
      {
        std::lock_guard<std::mutex> lock(mutex_);
        buffer.block = block;
      }
      changed_.notify_all();
    }
  }

  const TVaelChapter& chapter_;
  const GenerationOptions& options_;
  const std::int64_t count_;
  const BlockRun run_;
  const std::int64_t blocks_;
  const std::size_t window_;
  std::vector<BlockBuffer> buffers_;
  std::atomic<std::int64_t> next_{0};
  std::mutex mutex_;
  std::condition_variable changed_;
  std::int64_t delivered_ = 0;
  bool stop_ = false;
  std::vector<std::thread> workers_;
};

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
  const std::int64_t blocks = (count + kNamesPerBlock - 1) / kNamesPerBlock;
  const int threads = static_cast<int>(std::clamp<std::int64_t>(run.threads, 1, blocks));
  if (threads > 1) {
    ParallelRun parallel(chapter, options, count, run, threads);
    parallel.Deliver(sink);
    return;
  }
  // One thread: the same blocks, made and delivered one name at a time.
  auto state = std::make_unique<GenerationState>();
  GenerationOptions request = options;
  request.log = false;
  for (std::int64_t block = 0; block < blocks; ++block) {
    StartBlock(*state, run.seed, block);
    const std::int64_t names = NamesInBlock(count, block);
    for (std::int64_t i = 0; i < names; ++i) {
      if (!sink(MakeName(chapter, *state, request))) return;
    }
  }
}

}  // namespace vael
