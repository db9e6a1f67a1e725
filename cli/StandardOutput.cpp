#include "cli/StandardOutput.h"

#include <cerrno>
#include <cstdio>

#include "cli/Messages.h"
#include "core/chapter/CodePage.h"
#include "core/files/ReplaceFile.h"

namespace vael::cli {
namespace {

constexpr std::size_t kFlushBytes = 1 << 16;

void AppendText(std::string& out, std::string_view codePageText, bool raw) {
  if (raw)
    out += codePageText;
  else
    AppendUtf8FromWindows1252(out, codePageText);
}

int Report(int error) {
  // A reader that went away (as `| head` does once it has its lines) has
  // everything it wanted.
  if (error == EPIPE) return 0;
  Error("couldn't write to standard output: " + WriteErrorText(error));
  return 1;
}

int LastError() { return errno != 0 ? errno : EIO; }

}  // namespace

void Output::AppendNameLine(std::string& out, std::string_view codePageName, bool raw) {
  AppendText(out, codePageName, raw);
  out += '\n';
}

bool Output::Text(std::string_view codePageText) {
  AppendText(buffer_, codePageText, raw_);
  return Written();
}

bool Output::Name(std::string_view codePageName) {
  AppendNameLine(buffer_, codePageName, raw_);
  return Written();
}

bool Output::Printed(std::string_view bytes) {
  buffer_ += bytes;
  return Written();
}

int Output::Finish() {
  Flush();
  if (error_ == 0 && std::fflush(stdout) != 0) Failed();
  return error_ == 0 ? 0 : Report(error_);
}

void Output::Flush() {
  if (!buffer_.empty() && error_ == 0 &&
      std::fwrite(buffer_.data(), 1, buffer_.size(), stdout) != buffer_.size()) {
    Failed();
  }
  buffer_.clear();
}

bool Output::Written() {
  if (buffer_.size() >= kFlushBytes) Flush();
  return error_ == 0;
}

void Output::Failed() { error_ = LastError(); }

int CloseStandardOutput() {
  errno = 0;
  // A stream that failed before has been reported (or its reader is gone).
  const bool failedBefore = std::ferror(stdout) != 0;
  if (std::fclose(stdout) == 0 || failedBefore) return 0;
  // Every print ends with a flush that would have met a descriptor that was
  // never open (`>&-`); here it only means nothing was printed.
  const int error = LastError();
  return error == EBADF ? 0 : Report(error);
}

}  // namespace vael::cli
