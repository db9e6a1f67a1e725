#include "export/Export.h"
#include "export/StatisticsBlocks.h"

#include <array>
#include <string_view>

namespace vael {

namespace {

// The code page's horizontal ellipsis: one byte per blank position, the same
// in both formats.
constexpr char kFill = '\x85';
constexpr int kDescriptionFill = 71;
constexpr int kSystemCount = 6;    // "None" .. "WH Fantasy"
constexpr int kMaxExtraLines = 8;  // "Lines" offers "None", "1" .. "8"

struct Field {
  std::string_view label;
  int fill;
};

// Fields separated by one space; the last field's fill run ends the line.
std::string FieldLine(std::initializer_list<Field> fields) {
  std::string line;
  for (const Field& field : fields) {
    if (!line.empty()) line += ' ';
    line += field.label;
    line.append(static_cast<std::size_t>(field.fill), kFill);
  }
  return line;
}

const std::string& GeneralLine() {
  static const std::string line =
      FieldLine({{"Race", 14}, {"Gender", 7}, {"Age", 7}, {"Occupation", 17}});
  return line;
}

// The two lines of each role-playing system after the general line; index 0
// ("None") and 1 ("Generic") have none.
const std::array<std::array<std::string, 2>, kSystemCount>& SystemLines() {
  static const std::array<std::array<std::string, 2>, kSystemCount> lines = {{
      {},
      {},
      {FieldLine({{"Alignment", 5}, {"Class", 19}, {"Level", 9}, {"HP", 6}, {"AC", 5}}),
       FieldLine({{"STR", 6}, {"CON", 6}, {"DEX", 6}, {"INT", 6}, {"WIS", 6}, {"CHA", 6},
                  {"THAC0", 6}})},
      {FieldLine({{"Order/1st abil", 8}, {"Health", 4}, {"Precision", 4}, {"Speed", 4},
                  {"Adj Speed", 4}}),
       FieldLine({{"Protection", 6}, {"Attack Precision", 6}, {"Pri Harm Rng", 6}})},
      {FieldLine({{"STR", 4}, {"CON", 4}, {"SIZ", 4}, {"INT", 4}, {"POW", 4}, {"DEX", 4},
                  {"APP", 4}, {"FAT", 4}, {"MOV", 4}}),
       FieldLine({{"HP", 5}, {"MP", 5}, {"Armor Pts", 5}, {"Damage Bonus", 5}, {"Elan", 5},
                  {"Fatigue", 5}})},
      {FieldLine({{"Alignment", 5}, {"Class", 15}, {"Career", 18}, {"M", 3}, {"WS", 3}}),
       FieldLine({{"BS", 3}, {"S", 3}, {"T", 3}, {"W", 3}, {"I", 3}, {"A", 3}, {"Dex", 3},
                  {"Ld", 3}, {"Int", 3}, {"Cl", 3}, {"WP", 3}, {"Fel", 3}})},
  }};
  return lines;
}

}  // namespace

std::string StatisticsBlock(int systemIndex, int linesIndex, DocumentFormat format) {
  const std::string_view lineEnd = format == DocumentFormat::RichText ? "\\line " : "\r\n";
  std::string block;
  auto addLine = [&](const std::string& line) {
    block += line;
    block += lineEnd;
  };
  // A damaged setting outside the lists' range adds nothing of its own.
  if (systemIndex > 0 && systemIndex < kSystemCount) {
    addLine(GeneralLine());
    for (const std::string& line : SystemLines()[static_cast<std::size_t>(systemIndex)]) {
      if (!line.empty()) addLine(line);
    }
  }
  if (linesIndex > 0 && linesIndex <= kMaxExtraLines) {
    const std::string description(kDescriptionFill, kFill);
    for (int i = 0; i < linesIndex; ++i) addLine(description);
  }
  return block;
}

bool UsesBlockLayout(int systemIndex, int linesIndex) {
  return (systemIndex > 0 && systemIndex < kSystemCount) ||
         (linesIndex > 0 && linesIndex <= kMaxExtraLines);
}

}  // namespace vael
