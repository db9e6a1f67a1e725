#include "ui/DocumentFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vael::ui {
namespace {

// Creates a fresh file "path.~N" that did not exist; -1 when none can be.
int CreateBeside(const std::string& path, std::string& created) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    created = path + ".~" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
    const int fd = ::open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Every byte or false: short writes are continued, a full disk or a size
// limit ends in an error rather than a shorter file.
bool WriteAll(int fd, const std::string& bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t result = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (result < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (result == 0) return false;
    written += static_cast<std::size_t>(result);
  }
  return true;
}

}  // namespace

bool WriteFileReplacing(const std::string& path, const std::string& bytes) {
  std::string temporary;
  const int fd = CreateBeside(path, temporary);
  if (fd < 0) return false;
  // A replaced document keeps the permissions it had.
  struct stat existing {};
  if (::stat(path.c_str(), &existing) == 0) ::fchmod(fd, existing.st_mode & 07777);
  bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (ok) ok = ::rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(temporary.c_str());
  return ok;
}

}  // namespace vael::ui
