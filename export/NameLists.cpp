// Names as data for other programs: CSV and JSON, written a name at a time
// so that a run of any length can be streamed.
#include "export/Export.h"

#include <cstdio>

namespace vael {
namespace {

// A field holding a separator, a quote or a line break is quoted, with its
// quotes doubled; any other field is written as it is.
void AppendCsvField(std::string& out, std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
    out += field;
    return;
  }
  out += '"';
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

// Quotes, backslashes and control bytes are escaped; every other byte is
// kept, so the string is valid JSON once the code page is turned into UTF-8.
void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  for (char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
          out += escape;
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

}  // namespace

std::string NameListWriter::Head() const {
  return format_ == ListFormat::Csv ? "name\r\n" : "[";
}

void NameListWriter::Append(std::string& out, std::string_view name) {
  if (format_ == ListFormat::Csv) {
    AppendCsvField(out, name);
    out += "\r\n";
  } else {
    out += entries_ == 0 ? "\n  " : ",\n  ";
    AppendJsonString(out, name);
  }
  ++entries_;
}

std::string NameListWriter::Tail() const {
  if (format_ == ListFormat::Csv) return {};
  return entries_ == 0 ? "]\n" : "\n]\n";
}

}  // namespace vael
