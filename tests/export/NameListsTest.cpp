#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/chapter/CodePage.h"
#include "export/Export.h"

namespace vael {
namespace {

std::string List(ListFormat format, const std::vector<std::string>& names) {
  NameListWriter writer(format);
  std::string out = writer.Head();
  for (const std::string& name : names) writer.Append(out, name);
  return out + writer.Tail();
}

// Names from a chapter hold no comma or quote (the chapter alphabet has
// neither), so the quoting is proven on the writer itself.
TEST(NameLists, CsvQuotesOnlyFieldsThatNeedIt) {
  EXPECT_EQ(List(ListFormat::Csv, {}), "name\r\n");
  EXPECT_EQ(List(ListFormat::Csv, {"Aran", "Jeanne d'Arc", "Anne-Marie", " Lead"}),
            "name\r\nAran\r\nJeanne d'Arc\r\nAnne-Marie\r\n Lead\r\n");
  EXPECT_EQ(List(ListFormat::Csv, {"Smith, John", "The \"Hawk\"", "\"", "two\nlines", "cr\rend"}),
            "name\r\n\"Smith, John\"\r\n\"The \"\"Hawk\"\"\"\r\n\"\"\"\"\r\n\"two\nlines\"\r\n"
            "\"cr\rend\"\r\n");
  // Accented letters stay code-page bytes until the edge turns them to UTF-8.
  EXPECT_EQ(List(ListFormat::Csv, {"\xC9owyn"}), "name\r\n\xC9owyn\r\n");
}

TEST(NameLists, JsonIsAnArrayOfEscapedStrings) {
  EXPECT_EQ(List(ListFormat::Json, {}), "[]\n");
  EXPECT_EQ(List(ListFormat::Json, {"Aran"}), "[\n  \"Aran\"\n]\n");
  EXPECT_EQ(List(ListFormat::Json, {"Aran", "Jeanne d'Arc"}),
            "[\n  \"Aran\",\n  \"Jeanne d'Arc\"\n]\n");
  EXPECT_EQ(List(ListFormat::Json, {"a\"b\\c", std::string("\t\n\r\b\f\x01\x1F\x7F", 8)}),
            "[\n  \"a\\\"b\\\\c\",\n  \"\\t\\n\\r\\b\\f\\u0001\\u001f\x7F\"\n]\n");
  // Turned into UTF-8 at the edge, an accented name is proper JSON text.
  EXPECT_EQ(Utf8FromWindows1252(List(ListFormat::Json, {"\xC9owyn"})),
            "[\n  \"\xC3\x89owyn\"\n]\n");
}

}  // namespace
}  // namespace vael
