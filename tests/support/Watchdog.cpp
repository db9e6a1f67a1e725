#include "support/Watchdog.h"

#include <cstdio>
#include <cstdlib>

namespace vael::test {

Watchdog::Watchdog(std::chrono::seconds bound) : bound_(bound), thread_([this] { Watch(); }) {}

Watchdog::~Watchdog() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

void Watchdog::Begin(std::string what) {
  std::lock_guard<std::mutex> lock(mutex_);
  what_ = std::move(what);
  started_ = Clock::now();
  busy_ = true;
}

void Watchdog::End() {
  std::lock_guard<std::mutex> lock(mutex_);
  busy_ = false;
}

void Watchdog::Watch() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!stop_) {
    wake_.wait_for(lock, std::chrono::milliseconds(200));
    if (busy_ && Clock::now() - started_ > bound_) {
      std::fprintf(stderr, "watchdog: still running after %lld s: %s\n",
                   static_cast<long long>(bound_.count()), what_.c_str());
      std::fflush(stderr);
      std::_Exit(3);
    }
  }
}

}  // namespace vael::test
