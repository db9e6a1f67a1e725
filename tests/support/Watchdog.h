#pragma once
// A watch over calls that must end: when one takes longer than the bound,
// the whole test program ends at once, naming the call. A call that never
// returns (an endless loop) cannot be failed from inside, and would hold
// the run until the test's own time limit, minutes later.

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace vael::test {

class Watchdog {
 public:
  // Generous: sanitizer builds run several times slower.
  static constexpr std::chrono::seconds kDefaultBound{20};

  explicit Watchdog(std::chrono::seconds bound = kDefaultBound);
  ~Watchdog();
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

  // A watched call starts, ending the one before if any; what names it in
  // the message.
  void Begin(std::string what);
  // No call is watched until the next Begin.
  void End();

 private:
  using Clock = std::chrono::steady_clock;
  void Watch();

  const std::chrono::seconds bound_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;
  bool busy_ = false;
  std::string what_;
  Clock::time_point started_;
  std::thread thread_;
};

}  // namespace vael::test
