#pragma once
// What the interface's tests share: scratch folders holding copies of
// sample chapters (vaelgen caches compiled chapters beside the ones it
// loads), and vaelgen's names for the same chapter, seed and options.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "vael/vael.h"

namespace vael::capitest {

class ScratchFolder {
 public:
  ScratchFolder() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() / ("vael-capi-" + std::to_string(random()));
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // A copy of a file of the sample library or the test data, by its path
  // below that folder.
  std::string Copy(const std::string& from) const {
    const std::filesystem::path source(from);
    const std::filesystem::path target = path_ / source.filename();
    std::filesystem::copy_file(source, target, std::filesystem::copy_options::overwrite_existing);
    return target.string();
  }
  std::string Write(const std::string& name, const std::string& bytes) const {
    const std::string target = (path_ / name).string();
    std::FILE* file = std::fopen(target.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    return target;
  }
  std::vector<std::string> Files() const {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      files.push_back(entry.path().filename().string());
    }
    return files;
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += (c == '\'') ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// The lines vaelgen prints for these arguments.
inline std::vector<std::string> VaelgenNames(const std::vector<std::string>& arguments) {
  std::string command = Quoted(VAELGEN);
  for (const std::string& argument : arguments) command += " " + Quoted(argument);
  std::vector<std::string> lines;
  std::FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
  if (pipe == nullptr) return lines;
  std::string line;
  for (int c; (c = std::fgetc(pipe)) != EOF;) {
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else {
      line += static_cast<char>(c);
    }
  }
  pclose(pipe);
  return lines;
}

inline std::string ReadBytes(const std::string& path) {
  std::string bytes;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return bytes;
  char chunk[4096];
  for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
    bytes.append(chunk, got);
  std::fclose(file);
  return bytes;
}

inline std::string LibraryFile(const std::string& path) {
  return std::string(VAEL_LIBRARY_DIR) + "/" + path;
}
inline std::string TestDataFile(const std::string& path) {
  return std::string(VAEL_TEST_DATA) + "/" + path;
}

// The chapter at path, or nullptr after a failed expectation.
inline vael_chapter* Open(const std::string& path) {
  vael_chapter* chapter = nullptr;
  EXPECT_EQ(vael_chapter_open(path.c_str(), &chapter), VAEL_OK) << vael_last_error();
  return chapter;
}

}  // namespace vael::capitest
