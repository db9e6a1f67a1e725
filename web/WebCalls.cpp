// What the page and JavaScript programs need beyond libvael's calls: the
// window's own failure lines, its saved documents and copy text, a list
// turned into a chapter as a dropped list is, and the books of a library. Every text crossing here is UTF-8 but the
// saved documents, which are the code-page bytes the window writes.

#include <emscripten/emscripten.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/Catalogue.h"
#include "catalogue/FolderEntries.h"
#include "catalogue/HelpText.h"
#include "core/analysis/ListChapter.h"
#include "core/chapter/ChapterLoader.h"
#include "core/chapter/CodePage.h"
#include "core/chapter/Collation.h"
#include "core/chapter/TextFile.h"
#include "export/Export.h"
#include "vael/vael.h"

// The module reads and writes vael_options and vael_filters at these offsets.
static_assert(sizeof(vael_options) == 36);
static_assert(offsetof(vael_options, fit) == 4 && offsetof(vael_options, statistical) == 8 &&
              offsetof(vael_options, structural) == 12 && offsetof(vael_options, prefixes) == 16 &&
              offsetof(vael_options, suffixes) == 20 && offsetof(vael_options, initial) == 24 &&
              offsetof(vael_options, val) == 32);
static_assert(sizeof(vael_filters) == 48);
static_assert(offsetof(vael_filters, unique) == 4 && offsetof(vael_filters, min_length) == 8 &&
              offsetof(vael_filters, max_length) == 12 && offsetof(vael_filters, no_samples) == 16 &&
              offsetof(vael_filters, novel) == 20 && offsetof(vael_filters, starts_with) == 24 &&
              offsetof(vael_filters, ends_with) == 28 && offsetof(vael_filters, contains) == 32 &&
              offsetof(vael_filters, excludes) == 36 && offsetof(vael_filters, clean) == 40 &&
              offsetof(vael_filters, clean_words) == 44);

namespace {

// The last result handed out: valid until the next call that makes one.
std::string result;
// Why the last list could not become a chapter.
std::string cause;

const char* Hand(std::string text, std::size_t* length) {
  result = std::move(text);
  if (length != nullptr) *length = result.size();
  return result.c_str();
}

// UTF-8 from the page as code-page bytes; names and titles came from a
// chapter, so every character has its byte.
std::string CodePage(std::string_view utf8) { return vael::ReadTextFile(utf8).text; }

// A chapter's title or first line as the module handed it out, back in the
// chapter's own bytes: each character its byte, the curly apostrophes too,
// which reading typed text takes as the plain one. The saved document holds
// them as the window writes them.
std::string ChapterText(std::string_view utf8) {
  std::string text;
  for (std::size_t at = 0; at < utf8.size();) {
    const vael::Utf8Sequence sequence = vael::ReadUtf8Sequence(utf8.substr(at));
    const int byte = sequence.kind == vael::Utf8Sequence::Kind::Valid
                         ? vael::ByteOfCodePoint(sequence.codePoint)
                         : -1;
    text += byte >= 0 ? static_cast<char>(byte) : '?';
    at += sequence.length;
  }
  return text;
}

// The entries the page lists, newest first: `count` NUL-terminated names
// one after another, and a mark for each.
std::vector<vael::HistoryItem> History(const char* names, std::size_t count,
                                       const unsigned char* checked) {
  std::vector<vael::HistoryItem> items;
  items.reserve(count);
  const char* name = names;
  for (std::size_t i = 0; i < count; ++i) {
    const std::string_view text(name);
    items.push_back({CodePage(text), checked[i] != 0});
    name += text.size() + 1;
  }
  return items;
}

// UTF-8 text as one field of a line.
std::string Utf8Field(std::string_view utf8) {
  std::string field(utf8);
  for (char& c : field) {
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  }
  return field;
}

std::string Field(std::string_view text) { return Utf8Field(vael::Utf8FromWindows1252(text)); }

// The topics of a book's "chapters.hlp", when it has one: a line a topic,
// then a line a paragraph (see vael_web_catalogue).
std::string Topics(const std::string& folder) {
  const auto bytes = vael::ReadWholeFile(vael::PathInFolder(folder, "chapters.hlp"));
  if (!bytes) return {};
  std::string out;
  for (const vael::HelpTopic& topic : vael::ParseHelpText(*bytes).topics) {
    out += "T\t" + std::to_string(topic.number) + "\t" + Utf8Field(topic.title) + "\n";
    for (const vael::HelpParagraph& paragraph : vael::HelpParagraphs(topic.lines)) {
      out += "P";
      for (const std::string& line : paragraph) out += "\t" + Utf8Field(line);
      out += "\n";
    }
  }
  return out;
}

}  // namespace

extern "C" {

// The cause the window shows after "Cause: " for bytes that do not load as
// a chapter (or, named ".txt", as a list); "" when they load.
EMSCRIPTEN_KEEPALIVE const char* vael_web_load_cause(const void* bytes, std::size_t size,
                                                     const char* fileName) {
  const std::string_view view(static_cast<const char*>(bytes), size);
  const auto chapter = vael::OpenChapterBytes(view, fileName, nullptr);
  return Hand(chapter->loaded ? std::string() : chapter->ErrorTextUtf8(), nullptr);
}

// The saved document (format 0: Rich Text, 1: plain text) as the window
// writes it, in code-page bytes.
EMSCRIPTEN_KEEPALIVE const char* vael_web_document(int format, const char* chapterTitle,
                                                   const char* line1, int systemIndex,
                                                   int linesIndex, const char* names,
                                                   std::size_t count,
                                                   const unsigned char* checked,
                                                   std::size_t* length) {
  const auto documentFormat =
      format == 1 ? vael::DocumentFormat::PlainText : vael::DocumentFormat::RichText;
  return Hand(vael::NamesDocument(documentFormat, ChapterText(chapterTitle), ChapterText(line1),
                                  systemIndex, linesIndex, History(names, count, checked)),
              length);
}

// The text Copy puts on the clipboard, UTF-8; selected is -1 for none.
EMSCRIPTEN_KEEPALIVE const char* vael_web_copy_text(const char* names, std::size_t count,
                                                    const unsigned char* checked, int selected) {
  return Hand(vael::Utf8FromWindows1252(vael::CopyText(History(names, count, checked), selected)),
              nullptr);
}

// A plain list written as a chapter, as a list dropped on the window is:
// titled `stem` (the name it is kept under, without ".vel"), dated today,
// its options chosen by trying them on its names. Returns the chapter's
// bytes, or null when the list is unusable, vael_web_cause telling why.
EMSCRIPTEN_KEEPALIVE const char* vael_web_list_chapter(const void* bytes, std::size_t size,
                                                       const char* fileName, const char* stem,
                                                       std::size_t* length, std::size_t* leftOut) {
  const std::string_view view(static_cast<const char*>(bytes), size);
  const vael::ListChapter chapter =
      vael::ChapterFromList(view, fileName, CodePage(stem), vael::TodayText());
  *leftOut = chapter.list.refusedCount;
  if (!chapter.list.fault.empty()) {
    cause = vael::Utf8FromWindows1252(chapter.list.fault);
    *length = 0;
    return nullptr;
  }
  return Hand(chapter.text, length);
}

EMSCRIPTEN_KEEPALIVE const char* vael_web_cause(void) { return cause.c_str(); }

// The order the window lists texts in (`count` NUL-terminated texts one
// after another): order[i] receives the index of the i-th.
EMSCRIPTEN_KEEPALIVE void vael_web_title_order(const char* texts, std::size_t count, int* order) {
  struct Row {
    std::string title;
    int index;
  };
  std::vector<Row> rows;
  rows.reserve(count);
  const char* text = texts;
  for (std::size_t i = 0; i < count; ++i) {
    const std::string_view view(text);
    rows.push_back({CodePage(view), static_cast<int>(i)});
    text += view.size() + 1;
  }
  vael::SortByTitle(rows, [](const Row& row) -> const std::string& { return row.title; });
  for (std::size_t i = 0; i < count; ++i) order[i] = rows[i].index;
}

// The books and chapters of the library in the module's working folder, one
// per line, fields split by tabs; folder and file names as the file system
// holds them (UTF-8, as the page names its files), texts in UTF-8:
//   B, folder ("" for the loose chapters), title, and the book's three
//      information lines as the window shows them;
//   C, file name, title: the chapters of the book above, in listing order;
//   T, number, title: a topic of the book's "chapters.hlp" (notes on its
//      chapters, found by their TOPIC), followed by
//   P, line, line...: its paragraphs, each as the lines it shows.
EMSCRIPTEN_KEEPALIVE const char* vael_web_catalogue(std::size_t* length) {
  std::string out;
  const vael::BookScan scan = vael::ScanBooks("");
  auto chapters = [&out](const std::string& folder) {
    for (const vael::ChapterEntry& entry : vael::ListChapters(folder)) {
      out += "C\t" + Utf8Field(entry.fileName) + "\t" + Field(entry.title) + "\n";
    }
  };
  if (scan.unbound) {
    out += "B\t\tUnbound\tUnbound Book\t\tSee Help file to learn how to bind chapters into books.\n";
    chapters("");
  }
  for (const vael::BookEntry& book : scan.books) {
    const auto description = vael::ReadBookDescription(book.folder);
    if (!description) continue;
    const vael::BookInfo info = vael::ReadBookInfo(*description);
    out += "B\t" + Utf8Field(book.folder) + "\t" + Field(book.title) + "\t" + Field(info.line2) + "\t" +
           Field(info.line3) + "\t" + Field(info.line4) + "\n";
    chapters(book.folder + "/");
    out += Topics(book.folder);
  }
  return Hand(out, length);
}

}  // extern "C"
