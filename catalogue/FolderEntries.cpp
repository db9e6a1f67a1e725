#include "catalogue/FolderEntries.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <limits>
#include <system_error>

namespace vael {

namespace fs = std::filesystem;

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), error);
  if (error) return names;
  // The listing the catalogue was built around reports "." and ".." like any
  // other entry; both can be books and both count towards the progress range.
  names.push_back(".");
  names.push_back("..");
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool IsFolder(const std::string& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

std::optional<std::string> ReadFilePrefix(const std::string& path, std::size_t maxBytes) {
  // Only regular files (or links to them) are read: a directory opens as a
  // stream and then fails, and a pipe or device could block the listing.
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes;
  std::array<char, 4096> buffer;
  while (bytes.size() < maxBytes && in) {
    std::size_t wanted = std::min(buffer.size(), maxBytes - bytes.size());
    in.read(buffer.data(), static_cast<std::streamsize>(wanted));
    bytes.append(buffer.data(), static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) return std::nullopt;
  return bytes;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  return ReadFilePrefix(path, std::numeric_limits<std::size_t>::max());
}

std::string PathInFolder(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

}  // namespace vael
