#include "support/ChildProcess.h"

#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace vael::test {
namespace {

constexpr unsigned kChildSeconds = 30;

// Empty, or why the child could not take the limits.
std::string TakeLimits(const ChildLimits& limits) {
  if (limits.ordinaryUser && ::geteuid() == 0) {
    // Groups first: they can only be changed while still root.
    if (::setgroups(0, nullptr) != 0 || ::setgid(kOrdinaryUser) != 0 ||
        ::setuid(kOrdinaryUser) != 0) {
      return "child: could not become an ordinary user";
    }
  }
  if (limits.fileSizeLimit >= 0) {
    ::signal(SIGXFSZ, SIG_IGN);  // a failed write, not a killed process
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(limits.fileSizeLimit);
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return "child: could not limit the file size";
  }
  return {};
}

void SendAll(int fd, const std::string& text) {
  std::size_t sent = 0;
  while (sent < text.size()) {
    const ssize_t n = ::write(fd, text.data() + sent, text.size() - sent);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    sent += static_cast<std::size_t>(n);
  }
}

}  // namespace

std::string InChild(const ChildLimits& limits, const std::function<std::string()>& body) {
  int channel[2];
  if (::pipe(channel) != 0) return "child: no pipe";
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(channel[0]);
    ::close(channel[1]);
    return "child: no fork";
  }
  if (child == 0) {
    ::close(channel[0]);
    // A child that hangs (a lock a thread of the parent held at the fork)
    // ends and is reported instead of holding up the test.
    ::alarm(kChildSeconds);
    std::string seen = TakeLimits(limits);
    if (seen.empty()) seen = body();
    SendAll(channel[1], seen);
    // No destructors or exit handlers of the test program run twice.
    ::_exit(0);
  }
  ::close(channel[1]);
  std::string seen;
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(channel[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    seen.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(channel[0]);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(status)) return "child: ended by signal " + std::to_string(WTERMSIG(status));
  return seen;
}

std::vector<std::string> FolderEntries(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

mode_t Mode(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return 0;
  return status.st_mode & 07777;
}

}  // namespace vael::test
