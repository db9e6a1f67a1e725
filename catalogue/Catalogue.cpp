// STUB: replaced by the catalogue work.
#include "catalogue/Catalogue.h"

namespace vael {

std::string ReadBookLine(const std::string&, std::size_t&) { return {}; }
std::string ReadChapterTitle(const std::string&) { return {}; }
std::string ReadCompiledChapterTitle(const std::string&) { return {}; }
BookScan ScanBooks(const std::string&) { return {}; }
std::vector<ChapterEntry> ListChapters(const std::string&, const ListProgress&) { return {}; }

}  // namespace vael
