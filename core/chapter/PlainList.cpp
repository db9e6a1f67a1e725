#include "core/chapter/PlainList.h"

#include <algorithm>
#include <array>
#include <filesystem>

#include "core/chapter/CaseMapping.h"
#include "core/chapter/CodePage.h"
#include "core/chapter/LetterClasses.h"
#include "core/chapter/NameAnalysis.h"
#include "core/chapter/TextFile.h"

namespace vael {
namespace {

constexpr std::size_t kHeaderValueLength = 64;
constexpr std::size_t kShownNameLength = 40;  // characters of a refused line shown
constexpr int kNamesPerLine = 8;

// Every keyword the loader looks up by plain search: written in capitals
// inside a value it would be found there instead of at its own tag.
constexpr std::array<std::string_view, 11> kKeywords = {
    "TITLE", "LINE1", "LINE2", "AUTHOR", "DATE", "TOPIC",
    "NAMES", "SPCCON", "SPCVOW", "TEMPLATES", "GENOPT"};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\xA0'; }

template <typename Blank>
std::string_view TrimWith(std::string_view text, Blank blank) {
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view Trim(std::string_view text) { return TrimWith(text, IsBlank); }

// For UTF-8 bytes, where 0xA0 is part of a longer sequence.
std::string_view TrimAscii(std::string_view text) {
  return TrimWith(text, [](char c) { return c != '\xA0' && IsBlank(c); });
}

// A refused line as the user wrote it, for a report: UTF-8, cut to a
// readable length.
std::string Shown(std::string utf8) {
  std::size_t characters = 0;
  for (std::size_t at = 0; at < utf8.size(); ++characters) {
    if (characters == kShownNameLength) return utf8.substr(0, at) + "\xE2\x80\xA6";  // …
    at += ReadUtf8Sequence(std::string_view(utf8).substr(at)).length;
  }
  return utf8;
}

// Why a name the code page holds cannot be a sample name, or empty.
std::string NameProblem(const std::string& name) {
  if (name.size() > kMaxListNameLength) {
    return "longer than " + std::to_string(kMaxListNameLength) + " characters";
  }
  const std::string upper = ToUpper(name);
  for (char c : upper) {
    if (NameLetterIndex(c) < 0) return "a name cannot hold " + DescribeCharacter(CodePointOfByte(c));
  }
  // A list is analysed without special consonants or Y and U rules, so the
  // uppercased name is its coded form.
  const std::string shape = NameShapeFault(upper, false);
  if (shape == "Too few elements") return "each part of a name needs a vowel and a consonant";
  if (!shape.empty()) return "a part of more than 31 letter groups";
  return {};
}

// Lines end at LF, CR LF or a lone CR, as the text reader counts them.
template <typename Visit>
void ForEachLine(std::string_view bytes, Visit visit) {
  int number = 1;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= bytes.size(); ++i) {
    if (i < bytes.size() && bytes[i] != '\n' && bytes[i] != '\r') continue;
    if (i < bytes.size() || start < bytes.size()) visit(bytes.substr(start, i - start), number++);
    if (i + 1 < bytes.size() && bytes[i] == '\r' && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
}

// Lowers the capitals of every keyword after its first letter, so the
// loader cannot mistake it for a tag.
void BreakKeywords(std::string& text) {
  for (std::string_view keyword : kKeywords) {
    for (std::size_t at = text.find(keyword); at != std::string::npos; at = text.find(keyword, at)) {
      for (std::size_t i = at + 1; i < at + keyword.size(); ++i) text[i] = ToLowerChar(text[i]);
    }
  }
}

// Text that reads back as written inside a tag or a comment: no line
// breaks or other controls, no double quote (a quote directly followed by a
// semicolon would end the value, and the chapter list takes the first
// quote of the file for the title's), no keyword in capitals.
std::string SafeText(std::string_view text) {
  std::string safe(text);
  for (char& c : safe) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F) c = ' ';
    if (c == '"') c = '\'';
  }
  BreakKeywords(safe);
  return safe;
}

void AppendTag(std::string& text, std::string_view keyword, std::string_view value) {
  text += std::string(keyword) + " \"" + SafeText(value.substr(0, kHeaderValueLength)) + "\";\r\n";
}

}  // namespace

PlainList ReadListLines(std::string_view bytes, const LineProblem& problemOf) {
  PlainList list;
  if (LooksLikeUtf16(bytes)) {
    list.fault = "UTF-16 text: save the list as UTF-8";
    return list;
  }
  if (HoldsBinaryBytes(bytes)) {
    list.fault = "Not a text file";
    return list;
  }
  const TextEncoding encoding = DetectTextEncoding(bytes);
  if (encoding == TextEncoding::Utf8) bytes = WithoutByteOrderMark(bytes);

  ForEachLine(bytes, [&](std::string_view raw, int number) {
    if (!list.fault.empty()) return;
    CodePageText line = DecodeText(raw, encoding);
    if (line.fault == TextFault::InvalidUtf8) {
      line.faultLine = number;
      list.fault = TextFaultText(line);
      return;
    }
    const std::string name(Trim(line.text));
    if (name.empty() || name.front() == '#') return;
    std::string problem;
    if (line.fault == TextFault::NotInCodePage) {
      problem = "the chapter alphabet has no " + DescribeCharacter(line.character);
    } else {
      problem = problemOf(name);
    }
    if (problem.empty()) {
      if (list.names.size() == kMaxListNames) {
        list.fault = "More than " + std::to_string(kMaxListNames) + " names in the list";
        return;
      }
      list.names.push_back(name);
      return;
    }
    ++list.refusedCount;
    if (list.refusals.size() < kMaxRefusalReports) {
      // A character the code page lacks shows only in the line as written.
      // Only the start is shown; four bytes hold any character.
      const std::size_t shownBytes = 4 * (kShownNameLength + 1);
      std::string written = line.fault == TextFault::NotInCodePage
                                ? std::string(TrimAscii(raw).substr(0, shownBytes))
                                : Utf8FromWindows1252(std::string_view(name).substr(0, shownBytes));
      list.refusals.push_back("line " + std::to_string(number) + ": \"" + Shown(std::move(written)) +
                              "\" left out: " + problem);
    }
  });
  return list;
}

PlainList ReadPlainList(std::string_view bytes) {
  PlainList list = ReadListLines(bytes, NameProblem);
  if (list.fault.empty() && list.names.size() < 2) list.fault = "Fewer than two usable names in the list";
  return list;
}

ChapterHeader HeaderForList(const std::string& path, std::size_t nameCount) {
  const std::filesystem::path file(path);
  auto codePage = [](const std::string& name) { return ReadTextFile(name).text; };
  ChapterHeader header;
  header.title = codePage(file.stem().string());
  header.line1 = "Sample names from a plain list";
  header.line2 = std::to_string(nameCount) + " names from " + codePage(file.filename().string());
  return header;
}

std::string ChapterTextForNames(const ChapterHeader& header, std::string_view genopt,
                                const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& comment : header.comments) text += "// " + SafeText(comment) + "\r\n";
  AppendTag(text, "TITLE", header.title);
  AppendTag(text, "LINE1", header.line1);
  AppendTag(text, "LINE2", header.line2);
  AppendTag(text, "AUTHOR", header.author);
  AppendTag(text, "DATE", header.date);
  text += "GENOPT \"" + std::string(genopt) + "\";\r\n";
  text += "NAMES\r\n";
  for (std::size_t i = 0; i < names.size(); ++i) {
    // The first names share the header window with the tags, where a name
    // such as TEMPLATES would be taken for the tag left out. A sample name
    // is analysed in capitals, so its case may change freely.
    std::string name = names[i];
    BreakKeywords(name);
    text += "\"" + name + "\"";
    if (i + 1 == names.size()) text += ";\r\n";
    else text += (i + 1) % kNamesPerLine == 0 ? "\r\n" : " ";
  }
  return text;
}

}  // namespace vael
