#include "core/generation/CandidateCache.h"

#include <cassert>

#include "core/generation/RandomDraws.h"

namespace vael {

void CandidateCache::Reset(std::uint64_t serial) {
  serial_ = serial;
  entries_.assign(kEntries, Entry{});
  lists_.clear();
  members_.clear();
  running_.clear();
  picks_.clear();
}

const CandidateCache::List& CandidateCache::Add(std::uint64_t key, std::span<const int> members,
                                                std::span<const int> weights) {
  assert(key != 0 && members.size() == weights.size());
  if (entries_.empty() || lists_.size() >= kMostLists || members_.size() + members.size() > kMostMembers ||
      picks_.size() + kMostPicksPerList > kMostPicks)
    Reset(serial_);
  std::size_t i = Home(key);
  while (entries_[i].key != 0) i = (i + 1) & (kEntries - 1);
  entries_[i].key = key;
  entries_[i].list = static_cast<std::uint32_t>(lists_.size());
  List& list = lists_.emplace_back();
  list.at = static_cast<std::uint32_t>(members_.size());
  list.count = static_cast<std::uint32_t>(members.size());
  std::int64_t running = 0;
  for (std::size_t k = 0; k < members.size(); ++k) {
    members_.push_back(members[k]);
    running += weights[k];
    running_.push_back(running);
    if (weights[k] < 1) list.rising = false;
  }
  list.total = running;
  if (list.count > 0) list.countModulus = FixedModulus(list.count);
  if (list.total > 0 && list.total <= static_cast<std::int64_t>(MersenneTwister32::max()))
    list.totalModulus = FixedModulus(static_cast<std::uint32_t>(list.total));
  // Every member was counted at its slot at least once (that is what admits
  // it), so the running sums rise; a small total then gets the member of
  // each number below it written out.
  if (list.rising && list.total > 0 && list.total <= kMostPicksPerList) {
    list.picks = true;
    list.picksAt = static_cast<std::uint32_t>(picks_.size());
    std::size_t place = 0;
    for (std::int64_t r = 0; r < list.total; ++r) {
      while (running_[list.at + place] <= r) ++place;
      picks_.push_back(members[place]);
    }
  }
  return list;
}

int CandidateCache::WeightedPlace(MersenneTwister32& random, const List& list) const {
  const std::int64_t r = list.total <= static_cast<std::int64_t>(MersenneTwister32::max())
                              ? list.totalModulus.Of(random())
                              : RandomBelow(random, list.total);
  const std::int64_t* first = running_.data() + list.at;
  const std::int64_t* last = first + list.count;
  const std::int64_t* found =
      list.rising ? std::upper_bound(first, last, r)
                  : std::find_if(first, last, [r](std::int64_t sum) { return sum > r; });
  return found == last ? -1 : static_cast<int>(found - first);
}

}  // namespace vael
