#include "ui/SortedList.h"

namespace vael::ui {

int InsertSorted(QComboBox* list, const QString& text) {
  int index = list->count();
  for (int i = 0; i < list->count(); ++i) {
    if (QString::compare(text, list->itemText(i), Qt::CaseInsensitive) < 0) {
      index = i;
      break;
    }
  }
  list->insertItem(index, text);
  return index;
}

}  // namespace vael::ui
