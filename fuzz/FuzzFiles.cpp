#include "FuzzFiles.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace vael::fuzz {

const std::string& ScratchFolder() {
  static const std::string folder = [] {
    const char* tmp = std::getenv("TMPDIR");
    std::filesystem::path base = (tmp && *tmp) ? tmp : "/tmp";
    auto path = base / ("vael-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    return path.string();
  }();
  return folder;
}

std::string WriteScratch(const std::string& name, const std::uint8_t* data, std::size_t size) {
  std::string path = ScratchFolder() + "/" + name;
  if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
    if (size > 0) std::fwrite(data, 1, size, file);
    std::fclose(file);
  }
  return path;
}

void RemoveScratch(const std::string& name) { std::remove((ScratchFolder() + "/" + name).c_str()); }

}  // namespace vael::fuzz
