#pragma once
// Runs part of a test in a forked child under limits the test program
// itself must not take: an ordinary user's permissions (root's override
// would hide every permission fault) or a file size limit.

#include <sys/stat.h>
#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vael::test {

// The user a test running as root becomes: nobody.
constexpr uid_t kOrdinaryUser = 65534;

struct ChildLimits {
  bool ordinaryUser = false;   // drop root to kOrdinaryUser (a no-op for any other user)
  long fileSizeLimit = -1;     // bytes any file may grow to; SIGXFSZ is ignored
};

// Runs body in a child with the limits and returns what body returned: an
// account of what it saw, for the test to compare. Gtest checks inside body
// do not reach the test; a child that cannot take the limits or dies
// returns a text that says so.
std::string InChild(const ChildLimits& limits, const std::function<std::string()>& body);

// The names in folder, sorted: to see that no temporary file was left.
std::vector<std::string> FolderEntries(const std::filesystem::path& folder);

// The permission bits of the file path names.
mode_t Mode(const std::string& path);

}  // namespace vael::test
