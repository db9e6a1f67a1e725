#include "catalogue/Catalogue.h"
#include "catalogue/FolderEntries.h"
#include "core/chapter/TextFile.h"

namespace vael {

std::string ReadBookLine(const std::string& data, std::size_t& position) {
  std::string line;
  std::size_t at = position;
  while (at < data.size() && data[at] != '\r' && data[at] != '\n') line += data[at++];
  // A CR takes the byte after it along blindly (the LF of CR LF); a file
  // written with LF alone ends its lines at the LF.
  position = at < data.size() && data[at] == '\n' ? at + 1 : at + 2;
  return line;
}

BookInfo ReadBookInfo(const std::string& description) {
  BookInfo info;
  std::size_t position = 0;
  info.title = ReadBookLine(description, position);
  info.line2 = ReadBookLine(description, position);
  info.line3 = ReadBookLine(description, position);
  info.line4 = ReadBookLine(description, position);
  if (info.line2.empty()) info.line2 = info.title;
  if (info.line4.empty()) info.line4 = "Author unknown";
  return info;
}

std::optional<std::string> ReadBookDescription(const std::string& folder, std::size_t maxBytes) {
  auto bytes = ReadFilePrefix(PathInFolder(folder, "book.dat"), maxBytes);
  if (!bytes) return std::nullopt;
  return ReadTextFile(*bytes, bytes->size() == maxBytes).text;
}

}  // namespace vael
