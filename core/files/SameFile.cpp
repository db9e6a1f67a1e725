#include "core/files/SameFile.h"

#include <filesystem>
#include <system_error>

namespace vael {

bool IsSameFile(const std::string& a, const std::string& b) {
  if (a == b) return true;
  std::error_code error;
  return std::filesystem::equivalent(a, b, error);
}

}  // namespace vael
