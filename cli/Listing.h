#pragma once

#include <string>

namespace vael::cli {

// The books of folder and the chapters of each, titles sorted as the window
// lists them, each chapter with the path to pass to vaelgen. Windows-1252
// text, one line per row.
std::string CatalogueListing(const std::string& folder);

}  // namespace vael::cli
