// STUB: replaced by the export work.
#include "export/Export.h"

namespace vael {

std::string StatisticsBlock(int, int, DocumentFormat) { return {}; }
std::string NamesDocument(DocumentFormat, const std::string&, const std::string&, int, int,
                          const std::vector<HistoryItem>&) {
  return {};
}
std::string CopyText(const std::vector<HistoryItem>&, int) { return {}; }

}  // namespace vael
