#include "cli/Messages.h"

#include <cstdio>

#include "core/files/ReplaceFile.h"
#include "core/files/SameFile.h"

namespace vael::cli {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void AppendHex(std::string& out, std::string_view prefix, unsigned value, int digits) {
  out += prefix;
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out += kHexDigits[(value >> shift) & 0xF];
}

void WriteLine(std::string_view prefix, const std::string& utf8Text) {
  std::string line(prefix);
  line += VisibleText(utf8Text);
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stderr);
}

}  // namespace

std::string VisibleText(std::string_view text) {
  std::string visible;
  visible.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte == 0) {
      visible += "\\0";
      ++at;
    } else if (byte < 0x20 || byte == 0x7F) {
      AppendHex(visible, "\\x", byte, 2);
      ++at;
    } else if (byte == 0xC2 && at + 1 < text.size() &&
               static_cast<unsigned char>(text[at + 1]) >= 0x80 &&
               static_cast<unsigned char>(text[at + 1]) <= 0x9F) {
      // A C1 control, U+0080 to U+009F: the code page's five unassigned
      // bytes become these, and a terminal may act on them.
      AppendHex(visible, "\\u", static_cast<unsigned char>(text[at + 1]), 4);
      at += 2;
    } else {
      visible += text[at++];
    }
  }
  return visible;
}

void Error(const std::string& utf8Text, const std::vector<std::string>& furtherLines) {
  WriteLine("vaelgen: ", utf8Text);
  for (const std::string& line : furtherLines) WriteLine("  ", line);
}

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
