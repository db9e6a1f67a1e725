#include "cli/Messages.h"

#include <cstdio>

#include "core/files/ReplaceFile.h"
#include "core/files/SameFile.h"

namespace vael::cli {

void Error(const std::string& utf8Text) { std::fprintf(stderr, "vaelgen: %s\n", utf8Text.c_str()); }

void ReportLeftOut(const std::string& path, const PlainList& list) {
  for (const std::string& refusal : list.refusals) Error(path + ": " + refusal);
  if (list.refusedCount > list.refusals.size()) {
    Error(path + ": " + std::to_string(list.refusedCount - list.refusals.size()) + " more lines left out");
  }
}

bool Save(const std::string& path, std::string_view bytes, const std::string& source) {
  if (IsSameFile(path, source)) {
    Error("Couldn't write to file " + path + ": it is the chapter itself");
    return false;
  }
  const FileWriteResult saved = ReplaceFile(path, bytes);
  if (!saved.written) Error("Couldn't write to file " + path + ": " + saved.reason);
  return saved.written;
}

}  // namespace vael::cli
