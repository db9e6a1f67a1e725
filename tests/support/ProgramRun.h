#pragma once
// Runs a built program in a folder, as a user would from a shell, and
// captures what it printed.

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace vael::test {

struct RunResult {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += (c == '\'') ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Runs program with arguments in folder under the environment settings
// given ("NAME=value" or "-u NAME" for env); standard output and error go to
// files beside the run so binary bytes arrive unchanged.
inline RunResult RunProgram(const std::filesystem::path& folder, const std::string& program,
                            const std::vector<std::string>& environment,
                            const std::vector<std::string>& arguments) {
  std::string command = "cd " + ShellQuoted(folder.string()) + " && env";
  for (const auto& setting : environment) command += " " + setting;
  command += " " + ShellQuoted(program);
  for (const auto& argument : arguments) command += " " + ShellQuoted(argument);
  const std::string out = (folder / ".run-out").string(), err = (folder / ".run-err").string();
  command += " >" + ShellQuoted(out) + " 2>" + ShellQuoted(err);
  // Made afresh by whoever runs this time (an ordinary user may not write
  // root's).
  std::error_code ignored;
  std::filesystem::remove(out, ignored);
  std::filesystem::remove(err, ignored);
  RunResult result;
  int raw = std::system(command.c_str());
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.out = ReadFile(out);
  result.err = ReadFile(err);
  return result;
}

}  // namespace vael::test
