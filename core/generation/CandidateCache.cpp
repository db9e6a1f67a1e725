#include "core/generation/CandidateCache.h"

#include <cassert>

namespace vael {

void CandidateCache::Reset(std::uint64_t serial, int bits) {
  serial_ = serial;
  bits_ = bits;
  entries_.assign(std::size_t{1} << bits_, Entry{});
  lists_.clear();
  numbers_ = 0;
}

CandidateCache::Entry& CandidateCache::Place(std::uint64_t key, std::uint32_t list) {
  // Add keeps the table at most half full, so there is always a free slot.
  assert(2 * lists_.size() <= entries_.size());
  const std::size_t mask = entries_.size() - 1;
  std::size_t i = Home(key);
  for (std::size_t probes = 1; entries_[i].key != 0 && probes < entries_.size(); ++probes)
    i = (i + 1) & mask;
  Entry& entry = entries_[i];
  const List& kept = lists_[list];
  entry.key = key;
  entry.list = list;
  entry.count = static_cast<std::uint32_t>(kept.members.size());
  entry.byWeight = kept.byWeight.WrittenOut();
  return entry;
}

const CandidateCache::Entry& CandidateCache::Add(std::uint64_t key, std::span<const int> members,
                                                std::span<const int> weights) {
  assert(key != 0 && members.size() == weights.size());
  const std::size_t numbers = 4 * members.size() + RunningDraw::kMostWrittenOut;
  if (entries_.empty() || numbers_ + numbers > kMostNumbers) {
    Reset(serial_, kFirstBits);
  } else if (2 * (lists_.size() + 1) > entries_.size()) {
    if (bits_ < kMostBits) {
      ++bits_;
      entries_.assign(std::size_t{1} << bits_, Entry{});
      for (std::size_t list = 0; list < lists_.size(); ++list)
        Place(lists_[list].key, static_cast<std::uint32_t>(list));
    } else {
      Reset(serial_, bits_);
    }
  }
  List& list = lists_.emplace_back();
  list.key = key;
  list.members.assign(members.begin(), members.end());
  std::vector<std::int64_t> running;
  running.reserve(weights.size());
  std::int64_t sum = 0;
  for (int weight : weights) running.push_back(sum += weight);
  list.byWeight = RunningDraw(running, sum, members);
  if (!members.empty()) list.byCount = FixedModulus(static_cast<std::uint32_t>(members.size()));
  numbers_ += list.members.size() + list.byWeight.size();
  return Place(key, static_cast<std::uint32_t>(lists_.size() - 1));
}

}  // namespace vael
