#include "ui/SortedList.h"

#include "core/Vael.h"
#include "ui/TextCodec.h"

namespace vael::ui {

void AddSorted(QComboBox* list, std::vector<std::string> texts) {
  SortByTitle(texts, [](const std::string& text) -> const std::string& { return text; });
  for (const std::string& text : texts) list->addItem(FromWindows1252(text));
}

}  // namespace vael::ui
