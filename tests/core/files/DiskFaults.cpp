#include "DiskFaults.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <filesystem>
#include <mutex>

namespace vael::test {
namespace {

struct ArmedFailure {
  DiskCall call = DiskCall::Sync;
  std::string folder;  // canonical, with a trailing slash; empty when none is armed
  int error = 0;
};

std::mutex& Lock() {
  static std::mutex lock;
  return lock;
}

ArmedFailure& Armed() {
  static ArmedFailure armed;
  return armed;
}

// The error this call on fd is to fail with, or 0; a failure fires once.
int TakeFailure(DiskCall call, int fd) {
  std::lock_guard<std::mutex> guard(Lock());
  ArmedFailure& armed = Armed();
  if (armed.folder.empty() || armed.call != call) return 0;
  char target[PATH_MAX];
  const std::string link = "/proc/self/fd/" + std::to_string(fd);
  const ssize_t length = ::readlink(link.c_str(), target, sizeof target);
  if (length <= 0 || std::string(target, static_cast<std::size_t>(length)).rfind(armed.folder, 0) != 0) {
    return 0;
  }
  armed.folder.clear();
  return armed.error;
}

}  // namespace

void FailNext(DiskCall call, const std::string& folder, int error) {
  std::lock_guard<std::mutex> guard(Lock());
  Armed() = {call, std::filesystem::canonical(folder).string() + "/", error};
}

bool NoFailureLeft() {
  std::lock_guard<std::mutex> guard(Lock());
  const bool none = Armed().folder.empty();
  Armed().folder.clear();
  return none;
}

}  // namespace vael::test

// Every fsync and close of this program, the file writer's included, comes
// here first.
extern "C" int fsync(int fd) {
  if (const int error = vael::test::TakeFailure(vael::test::DiskCall::Sync, fd); error != 0) {
    errno = error;
    return -1;
  }
  return static_cast<int>(::syscall(SYS_fsync, fd));
}

extern "C" int close(int fd) {
  const int error = vael::test::TakeFailure(vael::test::DiskCall::Close, fd);
  const int closed = static_cast<int>(::syscall(SYS_close, fd));
  if (error != 0) {
    errno = error;
    return -1;
  }
  return closed;
}
