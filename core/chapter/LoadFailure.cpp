#include "core/chapter/LoadFailure.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string_view>

#include "core/chapter/ChapterLoader.h"
#include "core/chapter/TextFile.h"
#include "core/files/FileNames.h"
#include "core/files/SystemError.h"

namespace vael {
namespace {

// A cause that only says a tag was not found: for a file that is no text at
// all, the tag was never there to be found.
bool IsTagFault(const std::string& cause) {
  return cause.size() >= 4 && cause.compare(cause.size() - 4, 4, " tag") == 0;
}

std::string SystemText(int error) {
  switch (error) {
    case ENOENT:
      return "no such file";
    case EACCES:
    case EPERM:
      return "permission denied";
    case EISDIR:
      return "is a folder";
    case ENOTDIR:
      return "a part of the path is not a folder";
    default:
      return SystemErrorText(error);
  }
}

}  // namespace

std::string ReadFailureText(const std::string& path) {
  std::error_code ignored;
  if (std::filesystem::is_directory(path, ignored)) return SystemText(EISDIR);
  if (std::filesystem::is_character_file(path, ignored) || std::filesystem::is_block_file(path, ignored)) {
    return "is a device, not a file";
  }
  errno = 0;
  if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
    // Opened now: what failed was the reading.
    std::fclose(file);
    return "could not be read";
  }
  return SystemText(errno != 0 ? errno : EIO);
}

std::string LoadFailureText(const std::string& path, const Chapter& chapter) {
  std::string bytes;
  if (!ReadChapterFile(path, bytes)) return path + ": " + ReadFailureText(path);
  return LoadFailureText(path, bytes, chapter);
}

std::string LoadFailureText(const std::string& path, std::string_view bytes,
                            const Chapter& chapter) {
  // A list says for itself what kind of file it is not.
  if (!IsPlainListPath(path)) {
    if (LooksLikeUtf16(bytes)) return path + ": UTF-16 text: save the chapter as UTF-8 or Windows-1252";
    if (IsTagFault(chapter.errorText) && HoldsBinaryBytes(bytes)) {
      return path + ": not a text file";
    }
  }
  return path + ": " + chapter.ErrorTextUtf8();
}

}  // namespace vael
