#include "cli/OutputFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace vael::cli {

namespace fs = std::filesystem;

namespace {

bool WriteAll(const fs::path& path, const std::string& bytes, std::string& error) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) {
    error = std::strerror(errno);
    return false;
  }
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.flush();
  if (!out) {
    error = "write failed";
    return false;
  }
  return true;
}

}  // namespace

bool ReplaceFile(const std::string& path, const std::string& bytes, std::string& error) {
  std::error_code code;
  fs::path target(path);
  fs::file_status status = fs::status(target, code);
  if (fs::is_directory(status)) {
    error = "it is a folder";
    return false;
  }
  if (fs::exists(status)) {
    // A link is followed so that the file it names is replaced, not the link.
    target = fs::canonical(target, code);
    if (code) {
      error = code.message();
      return false;
    }
    // A device or pipe (/dev/stdout, a FIFO) is written to, never replaced.
    if (!fs::is_regular_file(status)) return WriteAll(target, bytes, error);
  }

  fs::path temporary = target;
  temporary += ".vaelgen-" + std::to_string(::getpid()) + ".tmp";
  if (!WriteAll(temporary, bytes, error)) {
    fs::remove(temporary, code);
    return false;
  }
  if (fs::exists(status)) fs::permissions(temporary, status.permissions(), code);
  fs::rename(temporary, target, code);
  if (code) {
    error = code.message();
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return false;
  }
  return true;
}

}  // namespace vael::cli
