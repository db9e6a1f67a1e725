#pragma once
// A help file as the window's help windows show it: read by the catalogue
// (catalogue/HelpText.h, which describes the format), in Qt's texts and HTML.

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
