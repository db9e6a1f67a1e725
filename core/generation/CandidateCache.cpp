#include "core/generation/CandidateCache.h"

#include <cassert>

namespace vael {

void CandidateCache::Reset(std::uint64_t serial) {
  serial_ = serial;
  entries_.assign(kEntries, Entry{});
  lists_.clear();
  lists_.reserve(kMostLists);
  numbers_ = 0;
}

const CandidateCache::List& CandidateCache::Add(std::uint64_t key, std::span<const int> members,
                                                std::span<const int> weights) {
  assert(key != 0 && members.size() == weights.size());
  const std::size_t numbers = 4 * members.size() + RunningDraw::kMostWrittenOut;
  if (entries_.empty() || lists_.size() >= kMostLists || numbers_ + numbers > kMostNumbers)
    Reset(serial_);
  std::size_t i = Home(key);
  while (entries_[i].key != 0) i = (i + 1) & (kEntries - 1);
  entries_[i].key = key;
  entries_[i].list = static_cast<std::uint32_t>(lists_.size());

  List& list = lists_.emplace_back();
  list.members.assign(members.begin(), members.end());
  std::vector<std::int64_t> running;
  running.reserve(weights.size());
  std::int64_t sum = 0;
  for (int weight : weights) running.push_back(sum += weight);
  list.byWeight = RunningDraw(running, sum, members);
  if (!members.empty()) list.byCount = FixedModulus(static_cast<std::uint32_t>(members.size()));
  numbers_ += list.members.size() + list.byWeight.size();
  return list;
}

}  // namespace vael
