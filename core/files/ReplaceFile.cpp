#include "core/files/ReplaceFile.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "core/files/SystemError.h"

namespace vael {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxLinkHops = 40;  // as many as the kernel follows
constexpr int kTemporaryAttempts = 100;
// Enough of the target's name to recognise a temporary file left by a
// crash, short enough that the temporary name stays within the limit.
constexpr std::size_t kNameKept = 200;
// A write that made no progress: no errno describes it.
constexpr int kNoProgress = -1;

// What was being done decides how a permission error reads.
enum class Step { InFolder, OnFile };

std::string Describe(int error, Step step) {
  switch (error) {
    case kNoProgress:
      return "the disk took no more bytes";
    case ENOSPC:
    case EDQUOT:
      return "the disk is full";
    case EFBIG:
      return "the file would be larger than allowed";
    case EACCES:
    case EPERM:
      return step == Step::InFolder ? "no permission to write in the folder"
                                    : "no permission to change the file";
    case EROFS:
      return "the disk is read-only";
    case ENOENT:
      return "the folder does not exist";
    case ENOTDIR:
      return "a part of the path is not a folder";
    case EISDIR:
      return "it is a folder";
    case ELOOP:
      return "too many symbolic links";
    case ENAMETOOLONG:
      return "the name is too long";
    case EIO:
      return "the disk reported an error";
    case EPIPE:
      return "nothing reads from it any more";
    default:
      return SystemErrorText(error);
  }
}

FileWriteResult Failed(int error, Step step) { return {false, Describe(error, step)}; }

// A new file in folder could not be made. A folder that is there and still
// answers "no such file" (as /proc does) must not be called missing.
FileWriteResult FolderRefused(int error, const fs::path& folder) {
  std::error_code ignored;
  if (error == ENOENT && fs::is_directory(folder.empty() ? fs::path(".") : folder, ignored)) {
    return {false, "the folder takes no new files (" + SystemErrorText(error) + ")"};
  }
  return Failed(error, Step::InFolder);
}

// Follows the links path starts with to what they name: an existing file,
// folder or device, or the name a dangling link gives, which is then
// created. 0, or the error that ends the chain.
int FollowLinks(std::string& path) {
  for (int hop = 0;; ++hop) {
    struct stat entry {};
    if (::lstat(path.c_str(), &entry) != 0 || !S_ISLNK(entry.st_mode)) return 0;
    if (hop == kMaxLinkHops) return ELOOP;
    std::error_code error;
    const fs::path link = fs::read_symlink(path, error);
    if (error) return error.value();
    path = link.is_absolute() ? link.string() : (fs::path(path).parent_path() / link).string();
  }
}

// Every byte or an error: short writes are continued and interrupted ones
// retried, so a full disk or a size limit ends in an error, never in a
// shorter file. 0, or the error.
int WriteAll(int fd, std::string_view bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t result = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (result < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (result == 0) return kNoProgress;
    written += static_cast<std::size_t>(result);
  }
  return 0;
}

// A close can report the failure of writes the system had delayed, so its
// result counts as much as the sync's. 0, or the first error.
int SyncAndClose(int fd, bool sync) {
  int error = (sync && ::fsync(fd) != 0) ? errno : 0;
  if (::close(fd) != 0 && error == 0) error = errno;
  return error;
}

int OpenExisting(const std::string& path) {
  for (;;) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd >= 0 || errno != EINTR) return fd;  // opening a pipe waits for its reader
  }
}

// While it lives, a write into a pipe whose reader has gone fails with
// EPIPE instead of raising SIGPIPE, which would end the window.
class PipeSignalHeld {
 public:
  PipeSignalHeld() {
    sigemptyset(&pipe_);
    sigaddset(&pipe_, SIGPIPE);
    sigset_t pending;
    sigpending(&pending);
    alreadyPending_ = sigismember(&pending, SIGPIPE) == 1;
    pthread_sigmask(SIG_BLOCK, &pipe_, &previous_);
  }
  ~PipeSignalHeld() {
    // Take back only the signal our own writes raised.
    if (!alreadyPending_) {
      const timespec now{};
      while (sigtimedwait(&pipe_, nullptr, &now) == SIGPIPE) {
      }
    }
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
  }
  PipeSignalHeld(const PipeSignalHeld&) = delete;
  PipeSignalHeld& operator=(const PipeSignalHeld&) = delete;

 private:
  sigset_t pipe_{};
  sigset_t previous_{};
  bool alreadyPending_ = false;
};

// A device or pipe takes the bytes as they come; renaming a file over it
// would destroy it.
FileWriteResult WriteIntoDevice(const std::string& target, std::string_view bytes) {
  const PipeSignalHeld held;
  const int fd = OpenExisting(target);
  if (fd < 0) return Failed(errno, Step::OnFile);
  int error = WriteAll(fd, bytes);
  const int closed = SyncAndClose(fd, false);
  if (error == 0) error = closed;
  if (error != 0) return Failed(error, Step::OnFile);
  return {true, {}};
}

int CutTo(int fd, std::size_t size) {
  for (;;) {
    if (::ftruncate(fd, static_cast<off_t>(size)) == 0) return 0;
    if (errno != EINTR) return errno;
  }
}

// The last resort for a file whose folder takes no new file: written over
// from the start and then cut to the new length, so that a full disk still
// takes as much as the old content held.
FileWriteResult WriteInPlace(const std::string& target, std::string_view bytes) {
  const int fd = OpenExisting(target);
  if (fd < 0) return Failed(errno, Step::OnFile);
  int error = WriteAll(fd, bytes);
  if (error == 0) error = CutTo(fd, bytes.size());
  const int closed = SyncAndClose(fd, true);
  if (error == 0) error = closed;
  if (error != 0) {
    return {false, Describe(error, Step::OnFile) +
                       "; the file was being written over and may now be damaged"};
  }
  return {true, {}};
}

// A fresh file in folder that did not exist before, named after the target
// and this process; -1 with errno when none can be made.
int CreateTemporary(const fs::path& folder, const std::string& name, std::string& created) {
  static std::atomic<unsigned> serial{0};
  const std::string stem =
      "." + name.substr(0, kNameKept) + ".~" + std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
    created = (folder / (stem + std::to_string(serial++))).string();
    const int fd =
        ::open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// The replacement takes the old file's permission bits, and its owner and
// group where this process may give them. Best effort: some file systems
// keep neither, and refusing to save there would help no one. A set-user
// or set-group bit is kept only with the owner or group it belongs to.
void KeepOwnerAndPermissions(int fd, const struct stat& old) {
  struct stat now {};
  if (::fstat(fd, &now) != 0) return;
  if ((now.st_uid != old.st_uid || now.st_gid != old.st_gid) &&
      ::fchown(fd, old.st_uid, old.st_gid) != 0) {
    // Not the owner, then at least the group where we belong to it.
    (void)!::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
  }
  if (::fstat(fd, &now) != 0) return;
  mode_t mode = old.st_mode & 07777;
  if (now.st_uid != old.st_uid) mode &= ~static_cast<mode_t>(S_ISUID);
  if (now.st_gid != old.st_gid) mode &= ~static_cast<mode_t>(S_ISGID);
  (void)!::fchmod(fd, mode);
}

// The rename has already put the new content in place; a folder that
// cannot be synced (some file systems refuse) costs only durability across
// a crash, so the outcome stays a success.
void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  (void)!::fsync(fd);
  ::close(fd);
}

bool PermissionDenied(int error) { return error == EACCES || error == EPERM; }

}  // namespace

std::string WriteErrorText(int error) { return Describe(error, Step::OnFile); }

// The new content reaches the disk under a name of its own before it takes
// the target's name, so a reader only ever finds the old file or the new
// one whole.
FileWriteResult ReplaceFile(const std::string& path, std::string_view bytes) {
  if (path.empty()) return {false, "no file name was given"};
  std::string target = path;
  if (const int error = FollowLinks(target); error != 0) return Failed(error, Step::OnFile);

  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  const bool regular = exists && S_ISREG(old.st_mode);
  // A folder falls through to the rename, which refuses it.
  if (exists && !regular && !S_ISDIR(old.st_mode)) return WriteIntoDevice(target, bytes);
  // A file marked read-only stays as it is, even where its folder would
  // let a new file take its place.
  if (regular && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
    return Failed(errno, Step::OnFile);
  }

  const fs::path targetPath(target);
  const fs::path folder = targetPath.parent_path();
  const std::string name = targetPath.filename().string();
  if (name.empty() || name == "." || name == "..") return Failed(EISDIR, Step::OnFile);

  std::string temporary;
  const int fd = CreateTemporary(folder, name, temporary);
  if (fd < 0) {
    const int error = errno;
    if (regular && PermissionDenied(error)) return WriteInPlace(target, bytes);
    return FolderRefused(error, folder);
  }
  if (exists) KeepOwnerAndPermissions(fd, old);
  int error = WriteAll(fd, bytes);
  const int closed = SyncAndClose(fd, true);
  if (error == 0) error = closed;
  if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) {
    error = errno;
    ::unlink(temporary.c_str());
    // A folder that lets us add files but not replace another's (the
    // sticky bit) still lets us write the file itself.
    if (regular && PermissionDenied(error)) return WriteInPlace(target, bytes);
    return Failed(error, Step::InFolder);
  }
  if (error != 0) {
    ::unlink(temporary.c_str());
    return Failed(error, Step::OnFile);
  }
  SyncFolder(folder);
  return {true, {}};
}

}  // namespace vael
