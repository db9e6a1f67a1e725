#pragma once
// Saved documents, role-playing statistics blocks and the copy text.
// Standard library only; bytes are Windows-1252.

#include <string>
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

}  // namespace vael
