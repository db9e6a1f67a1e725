#include "core/random/WeightedDraw.h"

#include <algorithm>

#include "core/SpeedTricks.h"

namespace vael {

namespace {
constexpr std::int64_t kLargestModulus = MersenneTwister32::max();
}

RunningDraw::RunningDraw(std::span<const std::int64_t> running, std::int64_t total,
                         std::span<const int> values)
    : running_(running.begin(), running.end()), total_(total), values_(values.begin(), values.end()) {
  std::int64_t previous = 0;
  for (std::int64_t sum : running_) {
    if (sum < previous) rising_ = false;
    previous = sum;
  }
  if (total_ <= 0 || total_ > kLargestModulus) return;
  modulus_ = FixedModulus(static_cast<std::uint32_t>(total_));
  if (!tricks::kWrittenOutDraws || !rising_ || total_ > kMostWrittenOut) return;
  for (std::size_t place = 0; place < running_.size(); ++place) {
    if (ValueOf(place) > kMostValue) return;
  }
  places_.reserve(static_cast<std::size_t>(total_));
  std::size_t place = 0;
  for (std::int64_t r = 0; r < total_; ++r) {
    while (place < running_.size() && running_[place] <= r) ++place;
    places_.push_back(static_cast<std::int16_t>(place < running_.size() ? ValueOf(place) : -1));
  }
}

int RunningDraw::Walk(MersenneTwister32& random) const {
  const std::int64_t r =
      total_ <= kLargestModulus ? modulus_.Of(random()) : RandomBelow(random, total_);
  // Rising sums are searched, falling ones walked: the same first sum above r.
  const auto first = running_.begin();
  const auto found = rising_ ? std::upper_bound(first, running_.end(), r)
                             : std::find_if(first, running_.end(),
                                            [r](std::int64_t sum) { return sum > r; });
  return found == running_.end() ? -1 : ValueOf(static_cast<std::size_t>(found - first));
}

}  // namespace vael
