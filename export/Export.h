#pragma once
// Saved documents, role-playing statistics blocks and the copy text.
// Standard library only; bytes are Windows-1252.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vael {

enum class DocumentFormat { RichText, PlainText };

struct HistoryItem {
  std::string text;
  bool checked = false;
};

// The statistics lines and description lines under one name, each ended by
// the format's line end ("\line " or CR LF). An index outside its list
// (0..5 for the system, 0..8 for the lines) adds nothing.
std::string StatisticsBlock(int systemIndex, int linesIndex, DocumentFormat format);

// The whole saved document for the checked entries of history (newest
// first, as the history list shows them). The list layout is used when
// neither index asks for a block. The Rich Text title and info line are
// escaped; names are written as they are. With nothing checked the document
// holds its head alone.
std::string NamesDocument(DocumentFormat format, const std::string& chapterTitle,
                          const std::string& line1, int systemIndex, int linesIndex,
                          const std::vector<HistoryItem>& history);

// Checked entries joined by CR LF, or the selected entry when none is
// checked; selectedIndex -1 for none.
std::string CopyText(const std::vector<HistoryItem>& history, int selectedIndex);

// Names as data for other programs, one after another in the order given:
//  - Csv: RFC 4180, a header line "name" and one record per name, CR LF
//    line ends; a name holding a comma, a double quote or a line break is
//    quoted, its quotes doubled.
//  - Json: an array of strings, one per line.
// Bytes are Windows-1252 like every document here; the JSON is valid once
// turned into UTF-8, which is how it must leave the program.
enum class ListFormat { Csv, Json };

// Writes a list a piece at a time, so a run of any length can be streamed:
// Head, then Append for each name, then Tail.
class NameListWriter {
 public:
  explicit NameListWriter(ListFormat format) : format_(format) {}
  std::string Head() const;
  void Append(std::string& out, std::string_view name);
  std::string Tail() const;

 private:
  ListFormat format_;
  std::int64_t entries_ = 0;
};

}  // namespace vael
