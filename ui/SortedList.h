#pragma once
// The window's drop-down lists show their entries in the program's listing
// order (ignoring case and accents, see Collation.h); equal entries stay in
// the order they were given.

#include <QComboBox>

#include <string>
#include <vector>

namespace vael::ui {

// Adds texts (Windows-1252) to an empty list, in listing order.
void AddSorted(QComboBox* list, std::vector<std::string> texts);

}  // namespace vael::ui
