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
// the format's line end; empty for out-of-range indexes.
std::string StatisticsBlock(int systemIndex, int linesIndex, DocumentFormat format);

// The whole saved document for the checked entries of history (newest
// first, as the history list shows them).
std::string NamesDocument(DocumentFormat format, const std::string& chapterTitle,
                          const std::string& line1, int systemIndex, int linesIndex,
                          const std::vector<HistoryItem>& history);

// Checked entries joined by CR LF, or the selected entry when none is
// checked; selectedIndex -1 for none.
std::string CopyText(const std::vector<HistoryItem>& history, int selectedIndex);

}  // namespace vael
