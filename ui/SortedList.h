#pragma once
// The window's drop-down lists keep their entries in alphabetical order,
// ignoring case; equal entries stay in the order they were added.

#include <QComboBox>
#include <QString>

namespace vael::ui {

// Inserts text at its sorted place and returns its index.
int InsertSorted(QComboBox* list, const QString& text);

}  // namespace vael::ui
