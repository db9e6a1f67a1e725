#include "catalogue/ChapterTitles.h"

#include "catalogue/Catalogue.h"
#include "catalogue/FolderEntries.h"
#include "core/chapter/TextFile.h"

namespace vael {

std::string TextChapterTitle(std::string_view firstBytes) {
  std::string_view text = firstBytes.substr(0, kTitleScanBytes);
  if (std::size_t zero = text.find('\0'); zero != std::string_view::npos) text = text.substr(0, zero);
  if (text.find("TITLE") == std::string_view::npos) return {};
  // The first quote of the file opens the title, wherever the tag is; a
  // quote in a comment above the title line therefore wins.
  std::size_t open = text.find('"');
  if (open == std::string_view::npos) return {};
  std::size_t close = text.find("\";", open + 1);
  if (close == std::string_view::npos) return {};
  return std::string(text.substr(open + 1, close - open - 1));
}

std::optional<std::string> CompiledChapterTitle(std::string_view data) {
  // Offset 3 starts the version text; its zero byte ends it, and the title
  // field follows up to the next zero byte.
  if (data.size() <= 3) return std::nullopt;
  std::size_t versionEnd = data.find('\0', 3);
  if (versionEnd == std::string_view::npos) return std::nullopt;
  std::size_t titleEnd = data.find('\0', versionEnd + 1);
  if (titleEnd == std::string_view::npos) return std::nullopt;
  return std::string(data.substr(versionEnd + 1, titleEnd - versionEnd - 1));
}

std::string ReadChapterTitle(const std::string& path) {
  // The loader's header window is the first 2048 bytes of the text after a
  // UTF-8 file is taken into the code page: up to three bytes each, and the
  // byte-order mark.
  constexpr std::size_t kRawBytes = 3 * kTitleScanBytes + 3;
  auto bytes = ReadFilePrefix(path, kRawBytes);
  if (!bytes) return {};
  return TextChapterTitle(ReadTextFile(*bytes, bytes->size() == kRawBytes).text);
}

std::string ReadCompiledChapterTitle(const std::string& path) {
  auto bytes = ReadWholeFile(path);
  if (!bytes) return {};
  return CompiledChapterTitle(*bytes).value_or(std::string());
}

}  // namespace vael
