#pragma once
// Our help file format: plain text in UTF-8 or Windows-1252. A line
// "@topic N Title" (N a decimal number of at least 1) starts topic N, whose
// text runs up to the next such line; text before the first topic is the introduction shown
// above the contents. Lines beginning with "//" are comments. Blank lines
// separate paragraphs; the lines of a paragraph flow together, except that a
// line beginning with "- " starts a new line of its own (a list item).

#include <QString>
#include <QStringList>

#include <string_view>
#include <vector>

namespace vael::ui {

struct HelpTopic {
  int number = 0;
  QString title;
  QStringList lines;  // comments removed
};

struct HelpDocument {
  QStringList introduction;
  std::vector<HelpTopic> topics;  // file order
  // The first topic with this number, or nullptr.
  const HelpTopic* Find(int number) const;
};

HelpDocument ParseHelpText(std::string_view bytes);

// HTML for a help window: the introduction and a link "topic:N" per topic.
QString ContentsHtml(const HelpDocument& document);
QString TopicHtml(const HelpTopic& topic);

}  // namespace vael::ui
