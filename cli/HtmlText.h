#pragma once
// Text for the report page: chapter bytes as escaped UTF-8, and numbers as
// the page writes them.

#include <string>
#include <string_view>

namespace vael::cli {

// Windows-1252 chapter text as UTF-8 with & < > " ' escaped.
std::string HtmlText(std::string_view codePageText);

// Text that is already UTF-8 (command-line arguments, the page's own), escaped.
std::string HtmlEscaped(std::string_view utf8Text);

// 12345 as "12,345".
std::string Grouped(long long number);

// A number with `decimals` digits after the point.
std::string Fixed(double number, int decimals);

}  // namespace vael::cli
