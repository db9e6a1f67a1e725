#pragma once
// The bytes of a document or chapter as vaelgen hands them out: the core
// makes them in the code page with CR LF line ends, which is what the
// window's files hold and what other readers of chapters expect.

#include <optional>
#include <string>
#include <string_view>

#include "core/chapter/TextFile.h"

namespace vael::cli {

// Code-page text in the encoding asked for (Windows-1252 when none is).
std::string InEncoding(std::string_view codePageText, std::optional<TextEncoding> encoding);

// Text with CR LF line ends as a terminal and the tools behind a pipe
// take it: every CR LF a LF.
std::string WithLineFeeds(std::string_view text);

}  // namespace vael::cli
