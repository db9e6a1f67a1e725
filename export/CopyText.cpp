#include "export/Export.h"

namespace vael {

std::string CopyText(const std::vector<HistoryItem>& history, int selectedIndex) {
  std::string text;
  bool anyChecked = false;
  for (const HistoryItem& item : history) {
    if (!item.checked) continue;
    if (anyChecked) text += "\r\n";
    text += item.text;
    anyChecked = true;
  }
  if (anyChecked) return text;
  if (selectedIndex >= 0 && static_cast<std::size_t>(selectedIndex) < history.size()) {
    return history[static_cast<std::size_t>(selectedIndex)].text;
  }
  return {};
}

}  // namespace vael
